// Loading the settings store into the settings window and saving it back.
#include "settings/t_cd_setup.h"

#include "app/globals.h"
#include "platform/store/settings_store.h"
#include "platform/printing/printer_choice.h"
#include "settings/cover_settings.h"
#include "model/program_values.h"
#include "model/ready_templates.h"
#include "workspace/t_sleevix.h"

#include <QDir>
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
        setFieldText(row.control, present ? store.readString(name) : defaultFolder(row.defaultFolder));
        break;
    case SettingType::Bool:
        setTicked(row.control, present ? store.readBool(name) : row.defaultValue != 0);
        break;
    case SettingType::Integer:
        setNumber(row.control, present ? store.readInteger(name) : row.defaultValue);
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
    QStringList entries;
    const int n = linkRunLength(store);
    for (int i = 0; i <= n; ++i) {
        if (store.exists(linkName("URL", i)))
            entries << store.readString(linkName("URL", i));
    }
    setLinkEntries(entries);
}

void TCDSetup::ReadRegistry()
{
    for (const SettingRow& row : coverSettings())
        loadRow(row);
    loadLinkList();
    program().AutoSave = isTicked("cbAutosave");
    program().AutoFormat = isTicked("cbAutoFormat");
    applyFoldGuideRules();
    if (Sleevix)
        Sleevix->setRecognitionChecked(isTicked("cbAutoFormat"));
    SelectSavedPrinter();
}

void TCDSetup::SelectSavedPrinter()
{
    // A name taken from the current printer would select that printer
    // itself, and reading it means asking the print system.
    if (!program().printerNameFromSystem())
        PrinterChoice::instance().selectPrinterNamed(program().printerName());
}

void TCDSetup::writeRow(const SettingRow& row)
{
    SettingsStore& store = SettingsStore::user();
    const QString name = QLatin1String(row.valueName);
    switch (row.type) {
    case SettingType::Folder:
        store.writeString(name, fieldText(row.control));
        break;
    case SettingType::Bool:
        store.writeBool(name, isTicked(row.control));
        break;
    case SettingType::Integer:
        store.writeInteger(name, number(row.control));
        break;
    case SettingType::Printer:
        store.writeString(name, program().printerName());
        break;
    }
}

// The list is replaced as a whole: a list of thousands of links takes one
// commit, and a failed save keeps the old list.
void TCDSetup::writeLinkList()
{
    SettingsStore& store = SettingsStore::user();
    store.changeTogether([&] {
        const int n = linkRunLength(store);
        for (int i = 0; i <= n; ++i) {
            if (store.exists(linkName("URL", i)))
                store.remove(linkName("URL", i));
        }
        const QStringList entries = linkEntries();
        for (int i = 0; i < entries.size(); ++i)
            store.writeString(linkName("Url", i), entries.at(i));
    });
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
            const bool value = *source.control ? isTicked(source.control) : program().SelPrinter;
            store.writeBool(name, value);
        }
        if (!fromSource)
            writeRow(*findSetting(valueName));
    }
    writeLinkList();
}
