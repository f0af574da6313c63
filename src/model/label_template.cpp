#include "model/label_template.h"

#include "model/cover_settings.h"
#include "model/main_window_control.h"
#include "model/main_window_view.h"
#include "model/overloaded.h"
#include "model/program_values.h"
#include "model/setting_table.h"
#include "platform/profile/ini_profile.h"

#include <QFileInfo>

#include <array>
#include <string_view>
#include <variant>

// "cbSelPrinter": loaded into its box, written from the program-wide value.
struct SelPrinterValue { };
// "Drucker": the program-wide printer name.
struct TemplatePrinterName { };

struct TemplateKey {
    const char* section;
    const char* key;
    std::variant<Check, Length, LayoutBox, SelPrinterValue, TemplatePrinterName> target;
    int defaultValue = 0;
    bool isSize = false;  // in section "Masse"; its default is the standard size
};

namespace {

using C = Check;
using L = Length;

constexpr TemplateKey box(const char* section, const char* key, Check check, bool standard)
{
    return {section, key, check, standard ? 1 : 0};
}

constexpr TemplateKey position(const char* key, Length length, int standard = 0)
{
    return {"Settings", key, length, standard};
}

constexpr TemplateKey size(const char* key, Length length)
{
    return {"Masse", key, length, 0, true};
}

// Every key, in the order a template file is written.
// clang-format off
constexpr std::array kKeys{
    box("CB", "cbUFront", C::cbUFront, true),
    box("CB", "cbUBack", C::cbUBack, true),
    box("CB", "cbUDouble", C::cbUDouble, true),
    box("CB", "cbSecFront", C::cbSecFront, false),
    TemplateKey{"CB", "cbDouble", LayoutBox::LayoutDouble},
    TemplateKey{"CB", "cbCD", LayoutBox::LayoutCd},
    box("CB", "cbSecImg", C::cbSecImg, false),
    box("CB", "cbAutosave", C::cbAutosave, true),
    box("CB", "cbAutoFormat", C::cbAutoFormat, true),
    position("ORand", L::spTop),
    position("LRand", L::spLeft),
    position("ORand2", L::spTop2),
    position("LRand2", L::spLeft2),
    position("LRand2Frnt", L::spLeft2front),
    position("ORand2Frnt", L::spTop2Front),
    position("CDOben", L::spCDTop),
    position("CDLeft", L::spCDLeft),
    position("CDOben2", L::spCDTop2),
    position("CDLeft2", L::spCDLeft2),
    position("LRandD", L::spDleft),
    position("ORandD", L::spDTop),
    position("DVDOben", L::spDVDTop),
    position("DVDLeft", L::spDVDLeft),
    box("Settings", "cbDVD", C::cbUDVD, true),
    position("VHSOben", L::spVHSTop),
    position("VHSLeft", L::spVHSLeft),
    box("Settings", "cbVHS", C::cbUVHS, true),
    box("Settings", "CDRund", C::cbCDRund, false),
    position("CDLoch", L::spMCDLoch, 41),
    box("CB", "cbKnickTrennVR", C::cbKnickTrennVR, true),
    box("CB", "cbKnickTrennD", C::cbKnickTrennD, true),
    TemplateKey{"CB", "cbSelPrinter", SelPrinterValue{}},
    TemplateKey{"Printer", "Drucker", TemplatePrinterName{}},
    size("Vorderseite", L::spMV),
    size("RB", L::spMRB),
    size("RH", L::spMRH),
    size("KR", L::spMKB),
    size("DopB", L::spMDB),
    size("DopH", L::spMDH),
    size("CD", L::spMCD),
    size("DVDB", L::spMDVDB),
    size("DVDH", L::spMDVDH),
    size("VHSB", L::spMVHSB),
    size("VHSH", L::spMVHSH),
};
// clang-format on

consteval const TemplateKey* named(std::string_view name)
{
    for (const TemplateKey& key : kKeys) {
        if (name == key.key)
            return &key;
    }
    throw "no such template key";  // a compile-time error
}

// Loading runs in two groups; between them the main window's recognition
// items take the tick of cbAutoFormat.
constexpr std::array kSwitchLoadOrder{
    named("cbUFront"),   named("cbUBack"),    named("cbUDouble"),
    named("cbSecFront"), named("cbDouble"),   named("cbCD"),
    named("cbSecImg"),   named("cbAutosave"), named("cbAutoFormat"),
};

constexpr std::array kRestLoadOrder{
    named("ORand"),
    named("LRand"),
    named("ORand2"),
    named("LRand2"),
    named("LRand2Frnt"),
    named("ORand2Frnt"),
    named("DVDOben"),
    named("DVDLeft"),
    named("cbDVD"),
    named("VHSOben"),
    named("VHSLeft"),
    named("cbVHS"),
    named("CDOben"),
    named("CDLeft"),
    named("CDOben2"),
    named("CDLeft2"),
    named("LRandD"),
    named("ORandD"),
    named("CDRund"),
    named("CDLoch"),
    named("cbKnickTrennVR"),
    named("cbKnickTrennD"),
    named("cbSelPrinter"),
    named("Drucker"),
    named("Vorderseite"),
    named("RB"),
    named("RH"),
    named("KR"),
    named("DopB"),
    named("DopH"),
    named("CD"),
    named("DVDB"),
    named("DVDH"),
    named("VHSB"),
    named("VHSH"),
};
static_assert(kSwitchLoadOrder.size() + kRestLoadOrder.size() == kKeys.size());

int defaultOf(const TemplateKey& key)
{
    return key.isSize ? rowOf(std::get<Length>(key.target)).defaultValue : key.defaultValue;
}

}  // namespace

LabelTemplate::LabelTemplate(CoverSettings& settings, MainWindowControl& mainWindow,
                             const MainWindowView& mainWindowView)
    : m_settings(settings), m_mainWindow(mainWindow), m_mainWindowView(mainWindowView)
{ }

bool LabelTemplate::carriesSizes() const
{
    return m_settings.ticked(Check::cbMVorlagen);
}

void LabelTemplate::save(const QString& fileName) const
{
    IniProfile file(fileName);
    IniProfile::Batch batch(file);
    for (const TemplateKey& key : kKeys) {
        if (!key.isSize || carriesSizes())
            writeKey(file, key);
    }
    batch.commit();
}

void LabelTemplate::writeKey(IniProfile& file, const TemplateKey& key) const
{
    const QString section = QLatin1String(key.section);
    const QString name = QLatin1String(key.key);
    std::visit(
        Overloaded{
            [&](Check check) { file.writeBool(section, name, m_settings.ticked(check)); },
            [&](Length length) { file.writeInteger(section, name, m_settings.length(length)); },
            [&](LayoutBox box) {
                file.writeBool(section, name, m_mainWindowView.layoutTicked(box));
            },
            [&](SelPrinterValue) { file.writeBool(section, name, program().SelPrinter); },
            [&](TemplatePrinterName) { file.writeString(section, name, program().printerName()); },
        },
        key.target);
}

void LabelTemplate::load(const QString& fileName) const
{
    if (!QFileInfo(fileName).isFile())
        return;
    const IniProfile file(fileName);
    loadKeys(file, kSwitchLoadOrder);
    m_mainWindow.setRecognitionChecked(m_settings.ticked(Check::cbAutoFormat));
    loadKeys(file, kRestLoadOrder);
}

void LabelTemplate::loadKeys(const IniProfile& file, std::span<const TemplateKey* const> keys) const
{
    for (const TemplateKey* key : keys) {
        if (!key->isSize || carriesSizes())
            loadKey(file, *key);
    }
}

void LabelTemplate::loadKey(const IniProfile& file, const TemplateKey& key) const
{
    const QString section = QLatin1String(key.section);
    const QString name = QLatin1String(key.key);
    const bool standardTick = key.defaultValue != 0;
    std::visit(
        Overloaded{
            [&](Check check) {
                m_settings.setTicked(check, file.readBool(section, name, standardTick));
            },
            [&](Length length) {
                m_settings.setLength(length, file.readInteger(section, name, defaultOf(key)));
            },
            [&](LayoutBox box) {
                m_mainWindow.setLayoutTicked(box, file.readBool(section, name, standardTick));
            },
            [&](SelPrinterValue) {
                m_settings.setTicked(Check::cbSelPrinter,
                                     file.readBool(section, name, standardTick));
            },
            [&](TemplatePrinterName) { program().setPrinterName(file.readString(section, name)); },
        },
        key.target);
}
