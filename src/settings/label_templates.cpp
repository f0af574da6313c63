#include "settings/label_templates.h"

#include "app/globals.h"
#include "platform/profile/ini_profile.h"
#include "platform/widgets/spin_edit.h"
#include "settings/t_cd_setup.h"
#include "settings/cover_settings.h"
#include "model/program_values.h"
#include "workspace/t_sleevix.h"

#include <QCheckBox>
#include <QFileInfo>

#include <array>
#include <cstring>

// Where a key's value comes from and goes to.
enum class TemplateSlot {
    Check,        // a check box of the settings window
    MainCheck,    // a layout check box of the main window
    Position,     // a number field of the settings window (positions default to 0)
    Size,         // a size field of the "Maße" page, default its standard value
    SelPrinter,   // written from the program-wide value, read into cbSelPrinter
    PrinterName,  // the program-wide printer name
};

struct TemplateKey {
    const char* section;
    const char* key;
    TemplateSlot slot;
    const char* control = "";
    int defaultValue = 0;
    QCheckBox* TSleevix::*mainBox = nullptr;
};

namespace {

using S = TemplateSlot;

constexpr const char* kSizeSection = "Masse";

// Every key, in the order a template file is written.
const std::array<TemplateKey, 44> kKeys{{
    {"CB", "cbUFront", S::Check, "cbUFront", 1},
    {"CB", "cbUBack", S::Check, "cbUBack", 1},
    {"CB", "cbUDouble", S::Check, "cbUDouble", 1},
    {"CB", "cbSecFront", S::Check, "cbSecFront", 0},
    {"CB", "cbDouble", S::MainCheck, "", 0, &TSleevix::cbDouble},
    {"CB", "cbCD", S::MainCheck, "", 0, &TSleevix::cbCD},
    {"CB", "cbSecImg", S::Check, "cbSecImg", 0},
    {"CB", "cbAutosave", S::Check, "cbAutosave", 1},
    {"CB", "cbAutoFormat", S::Check, "cbAutoFormat", 1},
    {"Settings", "ORand", S::Position, "spTop"},
    {"Settings", "LRand", S::Position, "spLeft"},
    {"Settings", "ORand2", S::Position, "spTop2"},
    {"Settings", "LRand2", S::Position, "spLeft2"},
    {"Settings", "LRand2Frnt", S::Position, "spLeft2front"},
    {"Settings", "ORand2Frnt", S::Position, "spTop2Front"},
    {"Settings", "CDOben", S::Position, "spCDTop"},
    {"Settings", "CDLeft", S::Position, "spCDLeft"},
    {"Settings", "CDOben2", S::Position, "spCDTop2"},
    {"Settings", "CDLeft2", S::Position, "spCDLeft2"},
    {"Settings", "LRandD", S::Position, "spDleft"},
    {"Settings", "ORandD", S::Position, "spDTop"},
    {"Settings", "DVDOben", S::Position, "spDVDTop"},
    {"Settings", "DVDLeft", S::Position, "spDVDLeft"},
    {"Settings", "cbDVD", S::Check, "cbUDVD", 1},
    {"Settings", "VHSOben", S::Position, "spVHSTop"},
    {"Settings", "VHSLeft", S::Position, "spVHSLeft"},
    {"Settings", "cbVHS", S::Check, "cbUVHS", 1},
    {"Settings", "CDRund", S::Check, "cbCDRund", 0},
    {"Settings", "CDLoch", S::Position, "spMCDLoch", 41},
    {"CB", "cbKnickTrennVR", S::Check, "cbKnickTrennVR", 1},
    {"CB", "cbKnickTrennD", S::Check, "cbKnickTrennD", 1},
    {"CB", "cbSelPrinter", S::SelPrinter, "cbSelPrinter", 0},
    {"Printer", "Drucker", S::PrinterName},
    {kSizeSection, "Vorderseite", S::Size, "spMV"},
    {kSizeSection, "RB", S::Size, "spMRB"},
    {kSizeSection, "RH", S::Size, "spMRH"},
    {kSizeSection, "KR", S::Size, "spMKB"},
    {kSizeSection, "DopB", S::Size, "spMDB"},
    {kSizeSection, "DopH", S::Size, "spMDH"},
    {kSizeSection, "CD", S::Size, "spMCD"},
    {kSizeSection, "DVDB", S::Size, "spMDVDB"},
    {kSizeSection, "DVDH", S::Size, "spMDVDH"},
    {kSizeSection, "VHSB", S::Size, "spMVHSB"},
    {kSizeSection, "VHSH", S::Size, "spMVHSH"},
}};

// Loading runs in two groups; between them the main window's recognition
// items take the tick of cbAutoFormat.
const auto kSwitchLoadOrder = std::to_array<const char*>({
    "cbUFront", "cbUBack", "cbUDouble", "cbSecFront", "cbDouble", "cbCD",
    "cbSecImg", "cbAutosave", "cbAutoFormat",
});

const auto kRestLoadOrder = std::to_array<const char*>({
    "ORand", "LRand", "ORand2", "LRand2", "LRand2Frnt", "ORand2Frnt",
    "DVDOben", "DVDLeft", "cbDVD", "VHSOben", "VHSLeft", "cbVHS",
    "CDOben", "CDLeft", "CDOben2", "CDLeft2", "LRandD", "ORandD", "CDRund", "CDLoch",
    "cbKnickTrennVR", "cbKnickTrennD", "cbSelPrinter",
    "Drucker",
    "Vorderseite", "RB", "RH", "KR", "DopB", "DopH", "CD", "DVDB", "DVDH", "VHSB", "VHSH",
});
static_assert(kSwitchLoadOrder.size() + kRestLoadOrder.size() == kKeys.size());

const TemplateKey& keyNamed(const char* name)
{
    for (const TemplateKey& key : kKeys) {
        if (std::strcmp(key.key, name) == 0)
            return key;
    }
    Q_UNREACHABLE();
}

int standardSizeOf(const char* control)
{
    for (const StandardSize& size : standardSizes()) {
        if (std::strcmp(size.control, control) == 0)
            return size.standard;
    }
    Q_UNREACHABLE();
}

int defaultOf(const TemplateKey& key)
{
    return key.slot == S::Size ? standardSizeOf(key.control) : key.defaultValue;
}

QString text(const char* s)
{
    return QString::fromLatin1(s);
}

}  // namespace

LabelTemplate::LabelTemplate(TCDSetup& setup) : m_setup(setup) {}

bool LabelTemplate::carriesSizes() const
{
    return m_setup.cbMVorlagen->isChecked();
}

void LabelTemplate::save(const QString& fileName) const
{
    IniProfile file(fileName);
    IniProfile::Batch batch(file);
    for (const TemplateKey& key : kKeys) {
        if (key.slot != S::Size || carriesSizes())
            writeKey(file, key);
    }
    batch.commit();
}

void LabelTemplate::writeKey(IniProfile& file, const TemplateKey& key) const
{
    const QString section = text(key.section);
    const QString name = text(key.key);
    switch (key.slot) {
    case S::Check:
        file.writeBool(section, name, m_setup.findChild<QCheckBox*>(text(key.control))->isChecked());
        break;
    case S::MainCheck:
        file.writeBool(section, name, Sleevix && (Sleevix->*key.mainBox)->isChecked());
        break;
    case S::Position:
    case S::Size:
        file.writeInteger(section, name, m_setup.findChild<SpinEdit*>(text(key.control))->value());
        break;
    case S::SelPrinter:
        file.writeBool(section, name, program().SelPrinter);
        break;
    case S::PrinterName:
        file.writeString(section, name, program().printerName());
        break;
    }
}

void LabelTemplate::load(const QString& fileName) const
{
    if (!QFileInfo(fileName).isFile())
        return;
    const IniProfile file(fileName);
    loadKeys(file, kSwitchLoadOrder);
    if (Sleevix)
        Sleevix->setRecognitionChecked(m_setup.cbAutoFormat->isChecked());
    loadKeys(file, kRestLoadOrder);
}

void LabelTemplate::loadKeys(const IniProfile& file, std::span<const char* const> keyNames) const
{
    for (const char* name : keyNames) {
        const TemplateKey& key = keyNamed(name);
        if (key.slot != S::Size || carriesSizes())
            loadKey(file, key);
    }
}

void LabelTemplate::loadKey(const IniProfile& file, const TemplateKey& key) const
{
    const QString section = text(key.section);
    const QString name = text(key.key);
    switch (key.slot) {
    case S::Check:
    case S::SelPrinter:
        m_setup.findChild<QCheckBox*>(text(key.control))
            ->setChecked(file.readBool(section, name, key.defaultValue != 0));
        break;
    case S::MainCheck:
        if (Sleevix)
            (Sleevix->*key.mainBox)->setChecked(file.readBool(section, name, key.defaultValue != 0));
        break;
    case S::Position:
    case S::Size:
        m_setup.findChild<SpinEdit*>(text(key.control))
            ->setValue(file.readInteger(section, name, defaultOf(key)));
        break;
    case S::PrinterName:
        program().setPrinterName(file.readString(section, name));
        break;
    }
}
