#include "settings/setting_bindings.h"

#include "model/cover_settings.h"
#include "model/setting_table.h"
#include "platform/widgets/spin_edit.h"
#include "settings/link_list_editor.h"
#include "settings/t_cd_setup.h"

#include <QCheckBox>
#include <QLineEdit>

#include <array>

namespace {

template <typename Setting, typename Control> struct Binding {
    Setting setting;
    Control* Ui::TCDSetup::*control;  // the control, a member made from t_cd_setup.ui
};

using C = Check;
using L = Length;

constexpr std::array<Binding<Check, QCheckBox>, std::size_t(Check::Count)> kBoxes{{
    {C::cbUFront, &TCDSetup::cbUFront},
    {C::cbUBack, &TCDSetup::cbUBack},
    {C::cbUDouble, &TCDSetup::cbUDouble},
    {C::cbAutosave, &TCDSetup::cbAutosave},
    {C::cbAutoFormat, &TCDSetup::cbAutoFormat},
    {C::cbKnickTrennVR, &TCDSetup::cbKnickTrennVR},
    {C::cbKnickTrennD, &TCDSetup::cbKnickTrennD},
    {C::cbSelPrinter, &TCDSetup::cbSelPrinter},
    {C::cbUDVD, &TCDSetup::cbUDVD},
    {C::cbUVHS, &TCDSetup::cbUVHS},
    {C::cbMVorlagen, &TCDSetup::cbMVorlagen},
    {C::cbCDRund, &TCDSetup::cbCDRund},
    {C::cbSecFront, &TCDSetup::cbSecFront},
    {C::cbSecImg, &TCDSetup::cbSecImg},
}};

constexpr std::array<Binding<Length, SpinEdit>, std::size_t(Length::Count)> kFields{{
    {L::spLeft, &TCDSetup::spLeft},
    {L::spTop, &TCDSetup::spTop},
    {L::spLeft2, &TCDSetup::spLeft2},
    {L::spTop2, &TCDSetup::spTop2},
    {L::spLeft2front, &TCDSetup::spLeft2front},
    {L::spTop2Front, &TCDSetup::spTop2Front},
    {L::spDleft, &TCDSetup::spDleft},
    {L::spDTop, &TCDSetup::spDTop},
    {L::spCDTop, &TCDSetup::spCDTop},
    {L::spCDLeft, &TCDSetup::spCDLeft},
    {L::spCDTop2, &TCDSetup::spCDTop2},
    {L::spCDLeft2, &TCDSetup::spCDLeft2},
    {L::spDVDLeft, &TCDSetup::spDVDLeft},
    {L::spDVDTop, &TCDSetup::spDVDTop},
    {L::spVHSLeft, &TCDSetup::spVHSLeft},
    {L::spVHSTop, &TCDSetup::spVHSTop},
    {L::spMV, &TCDSetup::spMV},
    {L::spMRB, &TCDSetup::spMRB},
    {L::spMRH, &TCDSetup::spMRH},
    {L::spMKB, &TCDSetup::spMKB},
    {L::spMCD, &TCDSetup::spMCD},
    {L::spMDB, &TCDSetup::spMDB},
    {L::spMDH, &TCDSetup::spMDH},
    {L::spMDVDB, &TCDSetup::spMDVDB},
    {L::spMDVDH, &TCDSetup::spMDVDH},
    {L::spMVHSB, &TCDSetup::spMVHSB},
    {L::spMVHSH, &TCDSetup::spMVHSH},
    {L::spMCDLoch, &TCDSetup::spMCDLoch},
}};

constexpr std::array<Binding<Folder, QLineEdit>, std::size_t(Folder::Count)> kFolders{{
    {Folder::eDaten, &TCDSetup::eDaten},
    {Folder::eLabels, &TCDSetup::eLabels},
}};

// Each table holds every setting of its kind once, at the setting's number.
template <typename Table> constexpr bool inSettingOrder(const Table& table)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (std::size_t(table[i].setting) != i)
            return false;
    }
    return true;
}
static_assert(inSettingOrder(kBoxes) && inSettingOrder(kFields) && inSettingOrder(kFolders));

}  // namespace

SettingBindings::SettingBindings(CoverSettings& settings, TCDSetup& window)
    : QObject(&window), m_settings(settings), m_window(window)
{
    for (const auto& [check, member] : kBoxes) {
        showTick(check);
        connect(window.*member, &QCheckBox::toggled, this,
                [this, check = check](bool ticked) { m_settings.setTicked(check, ticked); });
    }
    for (const auto& [length, member] : kFields) {
        SpinEdit* field = window.*member;
        const SettingRow& row = rowOf(length);
        field->setLimits(row.minimum, row.maximum);
        showLength(length);
        connect(field, &SpinEdit::changed, this, [this, length = length, field] {
            m_typedLength = length;
            m_settings.setLength(length, field->value());
            m_typedLength.reset();
        });
    }
    for (const auto& [folder, member] : kFolders) {
        showFolder(folder);
        connect(
            window.*member, &QLineEdit::textChanged, this,
            [this, folder = folder](const QString& text) { m_settings.setFolder(folder, text); });
    }
    connect(&settings, &CoverSettings::tickChanged, this, &SettingBindings::showTick);
    connect(&settings, &CoverSettings::lengthChanged, this, &SettingBindings::showLength);
    connect(&settings, &CoverSettings::folderChanged, this, &SettingBindings::showFolder);
    connect(&settings, &CoverSettings::linksChanged, this, &SettingBindings::showLinks);
}

void SettingBindings::showTick(Check check)
{
    (m_window.*kBoxes[std::size_t(check)].control)->setChecked(m_settings.ticked(check));
}

// A field keeps what the user types, even beyond its limits, until it loses
// the focus; the setting holds the value within them.
void SettingBindings::showLength(Length length)
{
    if (m_typedLength == length)
        return;
    SpinEdit* field = m_window.*kFields[std::size_t(length)].control;
    if (field->value() != m_settings.length(length))
        field->setValue(m_settings.length(length));
}

void SettingBindings::showFolder(Folder folder)
{
    QLineEdit* edit = m_window.*kFolders[std::size_t(folder)].control;
    if (edit->text() != m_settings.folder(folder))
        edit->setText(m_settings.folder(folder));
}

void SettingBindings::showLinks()
{
    if (m_window.linkEditor && m_window.linkEditor->entries() != m_settings.links())
        m_window.linkEditor->load(m_settings.links());
}
