// Loading the settings store into the settings window and saving it back.
#include "settings/cdsetup.h"

#include "app/globals.h"
#include "platform/settings_store.h"
#include "platform/spin_edit.h"
#include "print/printer_choice.h"
#include "settings/cover_settings.h"
#include "settings/program_values.h"
#include "settings/ready_templates.h"
#include "workspace/sleevix.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>

namespace {

QString defaultFolder(DefaultFolder folder)
{
    switch (folder) {
    case DefaultFolder::Pictures:
        return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    case DefaultFolder::Templates:
        return defaultTemplatesFolder();
    case DefaultFolder::None:
        break;
    }
    return {};
}

QString linkName(const char* prefix, int index)
{
    return QLatin1String(prefix) + QString::number(index);
}

// Length of the numbered run "URL0", "URL1", ... without a gap.
int linkRunLength(const SettingsStore& store)
{
    int n = 0;
    while (store.exists(linkName("URL", n)))
        ++n;
    return n;
}

}  // namespace

void TCDSetup::loadRow(const SettingRow& row)
{
    const SettingsStore& store = SettingsStore::user();
    const QString name = QLatin1String(row.valueName);
    const bool present =
        store.exists(row.existenceName ? QString::fromLatin1(row.existenceName) : name);
    switch (row.type) {
    case SettingType::Folder:
        findChild<QLineEdit*>(QLatin1String(row.control))
            ->setText(present ? store.readString(name) : defaultFolder(row.defaultFolder));
        break;
    case SettingType::Bool:
        findChild<QCheckBox*>(QLatin1String(row.control))
            ->setChecked(present ? store.readBool(name) : row.defaultValue != 0);
        break;
    case SettingType::Integer:
        findChild<SpinEdit*>(QLatin1String(row.control))
            ->setValue(present ? store.readInteger(name) : row.defaultValue);
        break;
    case SettingType::Printer:
        if (present)
            program().setPrinterName(store.readString(name));
        else
            program().setPrinterNameFromSystem();
        break;
    }
}

void TCDSetup::loadLinkList()
{
    const SettingsStore& store = SettingsStore::user();
    ListBox->clear();
    const int n = linkRunLength(store);
    for (int i = 0; i <= n; ++i) {
        if (store.exists(linkName("URL", i)))
            ListBox->addItem(store.readString(linkName("URL", i)));
    }
}

void TCDSetup::ReadRegistry()
{
    for (const SettingRow& row : coverSettings())
        loadRow(row);
    loadLinkList();
    program().AutoSave = cbAutosave->isChecked();
    program().AutoFormat = cbAutoFormat->isChecked();
    applyFoldGuideRules();
    if (Sleevix)
        Sleevix->setRecognitionChecked(cbAutoFormat->isChecked());
    // Selecting the current printer itself would change nothing.
    if (!program().printerNameFromSystem())
        PrinterChoice::instance().selectSavedPrinter(program().printerName());
}

void TCDSetup::writeRow(const SettingRow& row)
{
    SettingsStore& store = SettingsStore::user();
    const QString name = QLatin1String(row.valueName);
    switch (row.type) {
    case SettingType::Folder:
        store.writeString(name, findChild<QLineEdit*>(QLatin1String(row.control))->text());
        break;
    case SettingType::Bool:
        store.writeBool(name, findChild<QCheckBox*>(QLatin1String(row.control))->isChecked());
        break;
    case SettingType::Integer:
        store.writeInteger(name, findChild<SpinEdit*>(QLatin1String(row.control))->value());
        break;
    case SettingType::Printer:
        store.writeString(name, program().printerName());
        break;
    }
}

void TCDSetup::writeLinkList()
{
    SettingsStore& store = SettingsStore::user();
    const int n = linkRunLength(store);
    for (int i = 0; i <= n; ++i) {
        if (store.exists(linkName("URL", i)))
            store.remove(linkName("URL", i));
    }
    for (int i = 0; i < ListBox->count(); ++i)
        store.writeString(linkName("Url", i), ListBox->item(i)->text());
}

void TCDSetup::WriteRegistry()
{
    SettingsStore& store = SettingsStore::user();
    for (const char* valueName : registryWriteOrder()) {
        const QString name = QLatin1String(valueName);
        bool fromSource = false;
        for (const WriteSource& source : writeSources()) {
            if (name != QLatin1String(source.valueName))
                continue;
            fromSource = true;
            const bool value = *source.control
                ? findChild<QCheckBox*>(QLatin1String(source.control))->isChecked()
                : program().SelPrinter;
            store.writeBool(name, value);
        }
        if (!fromSource)
            writeRow(*findSetting(valueName));
    }
    writeLinkList();
}
