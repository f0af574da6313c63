// Loading the settings store into the settings window and saving it back.
#include "settings/cdsetup.h"

#include "app/globals.h"
#include "platform/error_box.h"
#include "platform/errors.h"
#include "platform/settings_store.h"
#include "print/printer_choice.h"
#include "settings/cover_settings.h"
#include "settings/program_values.h"
#include "settings/ready_templates.h"
#include "workspace/sleevix.h"

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

void TCDSetup::loadRow(const SettingRow& row, bool stored)
{
    const SettingsStore& store = SettingsStore::user();
    const QString name = QLatin1String(row.valueName);
    switch (row.type) {
    case SettingType::Folder:
        setFieldText(row.control, stored ? store.readString(name) : defaultFolder(row.defaultFolder));
        break;
    case SettingType::Bool:
        setTicked(row.control, stored ? store.readBool(name) : row.defaultValue != 0);
        break;
    case SettingType::Integer:
        setNumber(row.control, stored ? store.readInteger(name) : row.defaultValue);
        break;
    case SettingType::Printer:
        if (stored)
            program().setPrinterName(store.readString(name));
        else
            program().setPrinterNameFromSystem();
        break;
    }
}

// A value of the wrong type costs only itself: its control takes the
// default, and the rows after it load as ever.
void TCDSetup::loadRows(QStringList& wrongTypes)
{
    const SettingsStore& store = SettingsStore::user();
    for (const SettingRow& row : coverSettings()) {
        const QString name = QLatin1String(row.existenceName ? row.existenceName : row.valueName);
        try {
            loadRow(row, store.exists(name));
        } catch (const SettingsTypeError& error) {
            wrongTypes << error.message();
            loadRow(row, false);
        }
    }
}

void TCDSetup::loadLinkList(QStringList& wrongTypes)
{
    const SettingsStore& store = SettingsStore::user();
    QStringList entries;
    const int n = linkRunLength(store);
    for (int i = 0; i <= n; ++i) {
        if (!store.exists(linkName("URL", i)))
            continue;
        try {
            entries << store.readString(linkName("URL", i));
        } catch (const SettingsTypeError& error) {
            wrongTypes << error.message();
        }
    }
    setLinkEntries(entries);
}

QWidget* TCDSetup::messageParent()
{
    if (isVisible())
        return this;
    return parentWidget() ? parentWidget() : Sleevix;
}

void TCDSetup::ReadRegistry()
{
    QStringList wrongTypes;
    try {
        loadRows(wrongTypes);
        loadLinkList(wrongTypes);
    } catch (const SettingsError&) {
        m_loadStopped = true;
        throw;
    }
    m_loadStopped = false;
    program().AutoSave = isTicked("cbAutosave");
    program().AutoFormat = isTicked("cbAutoFormat");
    applyFoldGuideRules();
    if (Sleevix)
        Sleevix->setRecognitionChecked(isTicked("cbAutoFormat"));
    // Selecting the current printer itself would change nothing.
    if (!program().printerNameFromSystem())
        PrinterChoice::instance().selectSavedPrinter(program().printerName());
    if (!wrongTypes.isEmpty())
        showErrorBox(messageParent(), wrongTypes.join(u'\n'));
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
    // Saving a window whose load stopped early would write the values it
    // never read over the stored ones: the save stops at its first value.
    if (m_loadStopped)
        throw SettingsError(SettingsStore::writeFailure(QLatin1String(registryWriteOrder().front())));
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
