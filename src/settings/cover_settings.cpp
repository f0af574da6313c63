#include "settings/cover_settings.h"

#include <array>
#include <cstring>

namespace {

constexpr int kNone = 0;

using T = SettingType;

const std::array<SettingRow, 43> kRows{{
    {"Daten", T::Folder, "eDaten", 0, kNone, kNone, DefaultFolder::Pictures},
    {"Vorlagen", T::Folder, "eLabels", 0, kNone, kNone, DefaultFolder::Templates},
    {"UFront", T::Bool, "cbUFront", 1, kNone, kNone},
    {"UBack", T::Bool, "cbUBack", 1, kNone, kNone},
    {"UDouble", T::Bool, "cbUDouble", 1, kNone, kNone},
    {"AutoSave", T::Bool, "cbAutosave", 1, kNone, kNone},
    {"AutoFormat", T::Bool, "cbAutoFormat", 1, kNone, kNone},
    {"TrennerVR", T::Bool, "cbKnickTrennVR", 1, kNone, kNone},
    {"TrennerD", T::Bool, "cbKnickTrennD", 1, kNone, kNone},
    {"SelPrinter", T::Bool, "cbSelPrinter", 1, kNone, kNone},
    {"Linker Rand Front", T::Integer, "spLeft", 50, kNone, kNone},
    {"Oberer Rand Front", T::Integer, "spTop", 10, kNone, kNone},
    {"Linker Rand Back", T::Integer, "spLeft2", 36, kNone, kNone},
    {"Oberer Rand Back", T::Integer, "spTop2", 130, kNone, kNone},
    {"Linker Rand Back 2", T::Integer, "spLeft2front", 50, kNone, kNone},
    {"Oberer Rand Back 2", T::Integer, "spTop2Front", 130, kNone, kNone},
    {"Doppelseite links", T::Integer, "spDleft", 30, kNone, kNone},
    {"Doppelseite oben", T::Integer, "spDTop", 30, kNone, kNone},
    {"CD-oben", T::Integer, "spCDTop", 12, kNone, kNone},
    {"CD-links", T::Integer, "spCDLeft", 50, kNone, kNone},
    {"CD-oben 2", T::Integer, "spCDTop2", 160, kNone, kNone},
    {"CD-links 2", T::Integer, "spCDLeft2", 50, kNone, kNone},
    {"DVD links", T::Integer, "spDVDLeft", 10, kNone, kNone},
    {"DVD oben", T::Integer, "spDVDTop", 10, kNone, kNone},
    {"UDVD", T::Bool, "cbUDVD", 1, kNone, kNone},
    {"VHS links", T::Integer, "spVHSLeft", 10, kNone, kNone},
    {"VHS oben", T::Integer, "spVHSTop", 10, kNone, kNone},
    {"UVHS", T::Bool, "cbUVHS", 1, kNone, kNone},
    {"PrinterName", T::Printer, "", 0, kNone, kNone},
    {"MVorlagen", T::Bool, "cbMVorlagen", 1, kNone, kNone},
    {"MVorderseite", T::Integer, "spMV", 120, 1, 130},
    {"MBackW", T::Integer, "spMRB", 152, 1, 160},
    {"MBackH", T::Integer, "spMRH", 118, 1, 250},
    {"MKB", T::Integer, "spMKB", 7, 1, 100},
    {"MCD", T::Integer, "spMCD", 117, 1, 130},
    {"MDopW", T::Integer, "spMDB", 241, 1, 300},
    {"MDopH", T::Integer, "spMDH", 120, 1, 150, DefaultFolder::None, "MDOPH"},
    {"MDVDW", T::Integer, "spMDVDB", 273, 1, 300},
    {"MDVDH", T::Integer, "spMDVDH", 184, kNone, kNone},
    {"MVHSW", T::Integer, "spMVHSB", 265, 1, 300},
    {"MVHSH", T::Integer, "spMVHSH", 191, kNone, kNone},
    {"CDRund", T::Bool, "cbCDRund", 0, kNone, kNone},
    {"MCDLoch", T::Integer, "spMCDLoch", 41, 0, 60},
}};

const auto kWriteOrder = std::to_array<const char*>({
    "Daten", "Vorlagen", "UFront", "UBack", "UDouble", "2 Front", "2 Picture",
    "AutoSave", "AutoFormat", "TrennerVR", "TrennerD", "SelPrinter",
    "Linker Rand Front", "Oberer Rand Front", "Linker Rand Back", "Oberer Rand Back",
    "Linker Rand Back 2", "Oberer Rand Back 2", "Doppelseite links", "Doppelseite oben",
    "CD-oben", "CD-links", "CD-oben 2", "CD-links 2", "DVD links", "DVD oben", "UDVD",
    "VHS links", "VHS oben", "UVHS", "PrinterName", "MVorlagen", "MVorderseite", "MBackW",
    "MBackH", "MKB", "MDopW", "MDopH", "MCD", "MDVDW", "MDVDH", "MVHSW", "MVHSH",
    "CDRund", "MCDLoch",
});
static_assert(kWriteOrder.size() == 45);

const std::array<WriteSource, 3> kWriteSources{{
    {"2 Front", "cbSecFront"},
    {"2 Picture", "cbSecImg"},
    {"SelPrinter", ""},
}};

const std::array<StandardSize, 11> kStandardSizes{{
    {"spMV", 120}, {"spMRB", 152}, {"spMRH", 118}, {"spMDB", 241}, {"spMDH", 120}, {"spMCD", 117},
    {"spMKB", 7}, {"spMDVDB", 273}, {"spMDVDH", 184}, {"spMVHSB", 265}, {"spMVHSH", 191},
}};

}  // namespace

std::span<const SettingRow> coverSettings()
{
    return kRows;
}

std::span<const char* const> registryWriteOrder()
{
    return kWriteOrder;
}

std::span<const WriteSource> writeSources()
{
    return kWriteSources;
}

const SettingRow* findSetting(const char* valueName)
{
    for (const SettingRow& row : kRows) {
        if (std::strcmp(row.valueName, valueName) == 0)
            return &row;
    }
    return nullptr;
}

std::span<const StandardSize> standardSizes()
{
    return kStandardSizes;
}
