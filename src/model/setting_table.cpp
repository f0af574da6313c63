#include "model/setting_table.h"

#include <array>
#include <string_view>

namespace {

using C = Check;
using L = Length;
using F = Folder;

constexpr SettingRow check(const char* name, Check check, bool standard)
{
    return {name, check, standard ? 1 : 0};
}

constexpr SettingRow position(const char* name, Length length, int standard)
{
    return {name, length, standard};
}

constexpr SettingRow size(const char* name, Length length, int standard, int minimum, int maximum)
{
    return {name, length, standard, minimum, maximum};
}

constexpr SettingRow folder(const char* name, Folder folder, DefaultFolder standard)
{
    return {.valueName = name, .setting = folder, .defaultFolder = standard};
}

constexpr SettingRow modifier(const char* name, Check check)
{
    return {.valueName = name, .setting = check, .loaded = false};
}

// clang-format off
constexpr std::array kRows{
    folder("Daten", F::eDaten, DefaultFolder::Pictures),
    folder("Vorlagen", F::eLabels, DefaultFolder::Templates),
    check("UFront", C::cbUFront, true),
    check("UBack", C::cbUBack, true),
    check("UDouble", C::cbUDouble, true),
    check("AutoSave", C::cbAutosave, true),
    check("AutoFormat", C::cbAutoFormat, true),
    check("TrennerVR", C::cbKnickTrennVR, true),
    check("TrennerD", C::cbKnickTrennD, true),
    SettingRow{.valueName = "SelPrinter", .setting = C::cbSelPrinter, .defaultValue = 1,
               .writtenFromProgram = true},
    position("Linker Rand Front", L::spLeft, 50),
    position("Oberer Rand Front", L::spTop, 10),
    position("Linker Rand Back", L::spLeft2, 36),
    position("Oberer Rand Back", L::spTop2, 130),
    position("Linker Rand Back 2", L::spLeft2front, 50),
    position("Oberer Rand Back 2", L::spTop2Front, 130),
    position("Doppelseite links", L::spDleft, 30),
    position("Doppelseite oben", L::spDTop, 30),
    position("CD-oben", L::spCDTop, 12),
    position("CD-links", L::spCDLeft, 50),
    position("CD-oben 2", L::spCDTop2, 160),
    position("CD-links 2", L::spCDLeft2, 50),
    position("DVD links", L::spDVDLeft, 10),
    position("DVD oben", L::spDVDTop, 10),
    check("UDVD", C::cbUDVD, true),
    position("VHS links", L::spVHSLeft, 10),
    position("VHS oben", L::spVHSTop, 10),
    check("UVHS", C::cbUVHS, true),
    SettingRow{.valueName = "PrinterName", .setting = PrinterNameValue{}},
    check("MVorlagen", C::cbMVorlagen, true),
    size("MVorderseite", L::spMV, 120, 1, 130),
    size("MBackW", L::spMRB, 152, 1, 160),
    size("MBackH", L::spMRH, 118, 1, 250),
    size("MKB", L::spMKB, 7, 1, 100),
    size("MCD", L::spMCD, 117, 1, 130),
    size("MDopW", L::spMDB, 241, 1, 300),
    SettingRow{.valueName = "MDopH", .setting = L::spMDH, .defaultValue = 120, .minimum = 1,
               .maximum = 150, .existenceName = "MDOPH"},
    size("MDVDW", L::spMDVDB, 273, 1, 300),
    size("MDVDH", L::spMDVDH, 184, 0, 0),
    size("MVHSW", L::spMVHSB, 265, 1, 300),
    size("MVHSH", L::spMVHSH, 191, 0, 0),
    check("CDRund", C::cbCDRund, false),
    size("MCDLoch", L::spMCDLoch, 41, 0, 60),
    modifier("2 Front", C::cbSecFront),
    modifier("2 Picture", C::cbSecImg),
};
// clang-format on

consteval const SettingRow* named(std::string_view name)
{
    for (const SettingRow& row : kRows) {
        if (name == row.valueName)
            return &row;
    }
    throw "no such setting";  // a compile-time error
}

constexpr std::array kWriteOrder{
    named("Daten"),
    named("Vorlagen"),
    named("UFront"),
    named("UBack"),
    named("UDouble"),
    named("2 Front"),
    named("2 Picture"),
    named("AutoSave"),
    named("AutoFormat"),
    named("TrennerVR"),
    named("TrennerD"),
    named("SelPrinter"),
    named("Linker Rand Front"),
    named("Oberer Rand Front"),
    named("Linker Rand Back"),
    named("Oberer Rand Back"),
    named("Linker Rand Back 2"),
    named("Oberer Rand Back 2"),
    named("Doppelseite links"),
    named("Doppelseite oben"),
    named("CD-oben"),
    named("CD-links"),
    named("CD-oben 2"),
    named("CD-links 2"),
    named("DVD links"),
    named("DVD oben"),
    named("UDVD"),
    named("VHS links"),
    named("VHS oben"),
    named("UVHS"),
    named("PrinterName"),
    named("MVorlagen"),
    named("MVorderseite"),
    named("MBackW"),
    named("MBackH"),
    named("MKB"),
    named("MDopW"),
    named("MDopH"),
    named("MCD"),
    named("MDVDW"),
    named("MDVDH"),
    named("MVHSW"),
    named("MVHSH"),
    named("CDRund"),
    named("MCDLoch"),
};
static_assert(kWriteOrder.size() == kRows.size());

constexpr std::array kStandardSizes{
    L::spMV,  L::spMRB,   L::spMRH,   L::spMDB,   L::spMDH,   L::spMCD,
    L::spMKB, L::spMDVDB, L::spMDVDH, L::spMVHSB, L::spMVHSH,
};

// The row of each setting, by the setting's number.
template <typename Setting> consteval auto rowIndex()
{
    std::array<const SettingRow*, std::size_t(Setting::Count)> index{};
    for (const SettingRow& row : kRows) {
        if (const Setting* setting = std::get_if<Setting>(&row.setting))
            index[std::size_t(*setting)] = &row;
    }
    for (const SettingRow* row : index) {
        if (!row)
            throw "a setting without a row";  // a compile-time error
    }
    return index;
}

constexpr auto kCheckRows = rowIndex<Check>();
constexpr auto kLengthRows = rowIndex<Length>();
constexpr auto kFolderRows = rowIndex<Folder>();

}  // namespace

std::span<const SettingRow> settingRows()
{
    return kRows;
}

std::span<const SettingRow* const> settingWriteOrder()
{
    return kWriteOrder;
}

const SettingRow& rowOf(Check check)
{
    return *kCheckRows[std::size_t(check)];
}

const SettingRow& rowOf(Length length)
{
    return *kLengthRows[std::size_t(length)];
}

const SettingRow& rowOf(Folder folder)
{
    return *kFolderRows[std::size_t(folder)];
}

std::span<const Length> standardSizes()
{
    return kStandardSizes;
}
