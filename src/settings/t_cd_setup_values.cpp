// The settings window's values by control name: in the controls once they
// exist, in a table of their own before.
#include "settings/t_cd_setup.h"

#include "platform/widgets/spin_edit.h"
#include "settings/cover_settings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>

namespace {

const SettingRow* rowOfControl(const QString& control)
{
    for (const SettingRow& row : coverSettings()) {
        if (control == QLatin1String(row.control))
            return &row;
    }
    return nullptr;
}

// A spin field starts at its minimum and keeps its values within its limits;
// minimum == maximum means no limits.
int startNumber(const QString& control)
{
    const SettingRow* row = rowOfControl(control);
    return row ? row->minimum : 0;
}

int limited(const QString& control, int value)
{
    const SettingRow* row = rowOfControl(control);
    if (!row || row->minimum == row->maximum)
        return value;
    return std::clamp(value, row->minimum, row->maximum);
}

}  // namespace

bool TCDSetup::isTicked(const char* control) const
{
    const QString name = QLatin1String(control);
    if (m_hasControls)
        return findChild<QCheckBox*>(name)->isChecked();
    return m_values.ticks.value(name, false);
}

void TCDSetup::setTicked(const char* control, bool ticked)
{
    const QString name = QLatin1String(control);
    if (m_hasControls) {
        findChild<QCheckBox*>(name)->setChecked(ticked);
        return;
    }
    if (isTicked(control) == ticked)
        return;
    m_values.ticks.insert(name, ticked);
    valueChanged(name);
}

int TCDSetup::number(const char* control) const
{
    const QString name = QLatin1String(control);
    if (m_hasControls)
        return findChild<SpinEdit*>(name)->value();
    return m_values.numbers.value(name, startNumber(name));
}

void TCDSetup::setNumber(const char* control, int value)
{
    const QString name = QLatin1String(control);
    if (m_hasControls) {
        findChild<SpinEdit*>(name)->setValue(value);
        return;
    }
    m_values.numbers.insert(name, limited(name, value));
}

QString TCDSetup::fieldText(const char* control) const
{
    const QString name = QLatin1String(control);
    if (m_hasControls)
        return findChild<QLineEdit*>(name)->text();
    return m_values.texts.value(name);
}

void TCDSetup::setFieldText(const char* control, const QString& text)
{
    const QString name = QLatin1String(control);
    if (m_hasControls) {
        findChild<QLineEdit*>(name)->setText(text);
        return;
    }
    if (fieldText(control) == text)
        return;
    m_values.texts.insert(name, text);
    valueChanged(name);
}

QStringList TCDSetup::linkEntries() const
{
    if (!m_hasControls)
        return m_values.links;
    QStringList entries;
    for (int i = 0; i < ListBox->count(); ++i)
        entries << ListBox->item(i)->text();
    return entries;
}

void TCDSetup::setLinkEntries(const QStringList& entries)
{
    if (!m_hasControls) {
        // In the order of the sorted list on the "URL's" page.
        m_values.links = entries;
        std::stable_sort(m_values.links.begin(), m_values.links.end(),
                         [](const QString& a, const QString& b) {
                             return QListWidgetItem(a) < QListWidgetItem(b);
                         });
        return;
    }
    ListBox->clear();
    for (const QString& entry : entries)
        ListBox->addItem(entry);
}

// What the controls' signals run once the controls exist.
void TCDSetup::valueChanged(const QString& control)
{
    const std::pair<const char*, void (TCDSetup::*)()> handlers[] = {
        {"eDaten", &TCDSetup::eDatenChange},         {"cbSelPrinter", &TCDSetup::cbSelPrinterClick},
        {"cbAutosave", &TCDSetup::cbAutosaveClick},  {"cbAutoFormat", &TCDSetup::cbAutoFormatClick},
        {"cbSecFront", &TCDSetup::cbSecFrontClick},  {"cbSecImg", &TCDSetup::cbSecImgClick},
    };
    for (const auto& [name, handler] : handlers) {
        if (control == QLatin1String(name))
            (this->*handler)();
    }
}

void TCDSetup::fillControls(const Values& values)
{
    for (auto it = values.ticks.begin(); it != values.ticks.end(); ++it)
        findChild<QCheckBox*>(it.key())->setChecked(it.value());
    for (auto it = values.numbers.begin(); it != values.numbers.end(); ++it)
        findChild<SpinEdit*>(it.key())->setValue(it.value());
    for (auto it = values.texts.begin(); it != values.texts.end(); ++it)
        findChild<QLineEdit*>(it.key())->setText(it.value());
    for (const QString& entry : values.links)
        ListBox->addItem(entry);
}
