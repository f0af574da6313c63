#include "model/cover_settings.h"

#include "model/overloaded.h"
#include "model/program_values.h"
#include "model/ready_templates.h"
#include "model/setting_table.h"
#include "platform/store/settings_store.h"
#include "platform/store/settings_type_error.h"

#include <QStandardPaths>

#include <algorithm>

namespace {

QString defaultFolder(DefaultFolder folder)
{
    switch (folder) {
    case DefaultFolder::Pictures:
        return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    case DefaultFolder::Templates: return defaultTemplatesFolder();
    case DefaultFolder::None: break;
    }
    return {};
}

int limited(const SettingRow& row, qint64 value)
{
    if (!row.hasLimits())
        return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                      std::numeric_limits<int>::max()));
    return int(std::clamp<qint64>(value, row.minimum, row.maximum));
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

CoverSettings::CoverSettings(QObject* parent) : QObject(parent)
{
    for (std::size_t i = 0; i < m_lengths.size(); ++i)
        m_lengths[i] = rowOf(Length(i)).minimum;
}

void CoverSettings::setTicked(Check check, bool ticked)
{
    bool& held = m_checks[std::size_t(check)];
    if (held == ticked)
        return;
    held = ticked;
    emit tickChanged(check);
}

void CoverSettings::setLength(Length length, int millimetres)
{
    int& held = m_lengths[std::size_t(length)];
    const int value = limited(rowOf(length), millimetres);
    if (held == value)
        return;
    held = value;
    emit lengthChanged(length);
}

void CoverSettings::setFolder(Folder folder, const QString& path)
{
    QString& held = m_folders[std::size_t(folder)];
    if (held == path)
        return;
    held = path;
    emit folderChanged(folder);
}

void CoverSettings::setLinks(const QStringList& links)
{
    if (m_links == links)
        return;
    m_links = links;
    emit linksChanged();
}

QStringList CoverSettings::sortedLinks(QStringList links)
{
    std::stable_sort(links.begin(), links.end());
    return links;
}

QStringList CoverSettings::load(const SettingsStore& store)
{
    QStringList wrongTypes;
    for (const SettingRow& row : settingRows()) {
        if (!row.loaded)
            continue;
        const QString existence
            = QLatin1String(row.existenceName ? row.existenceName : row.valueName);
        // A value of the wrong type costs only itself: it takes the default,
        // and the rows after it load as ever.
        try {
            loadRow(store, row, store.exists(existence));
        } catch (const SettingsTypeError& error) {
            wrongTypes << error.message();
            loadRow(store, row, false);
        }
    }
    loadLinks(store, wrongTypes);
    return wrongTypes;
}

void CoverSettings::loadRow(const SettingsStore& store, const SettingRow& row, bool stored)
{
    const QString name = QLatin1String(row.valueName);
    std::visit(Overloaded{
                   [&](Check check) {
                       setTicked(check, stored ? store.readBool(name) : row.defaultValue != 0);
                   },
                   [&](Length length) {
                       setLength(length, stored ? store.readInteger(name) : row.defaultValue);
                   },
                   [&](Folder folder) {
                       setFolder(folder,
                                 stored ? store.readString(name)
                                        : defaultFolder(row.defaultFolder));
                   },
                   [&](PrinterNameValue) {
                       if (stored)
                           program().setPrinterName(store.readString(name));
                       else
                           program().setPrinterNameFromSystem();
                   },
               },
               row.setting);
}

void CoverSettings::loadLinks(const SettingsStore& store, QStringList& wrongTypes)
{
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
    setLinks(sortedLinks(entries));
}

void CoverSettings::save(SettingsStore& store) const
{
    for (const SettingRow* row : settingWriteOrder()) {
        const QString name = QLatin1String(row->valueName);
        std::visit(Overloaded{
                       [&](Check check) {
                           store.writeBool(name,
                                           row->writtenFromProgram ? program().SelPrinter
                                                                   : ticked(check));
                       },
                       [&](Length length) { store.writeInteger(name, this->length(length)); },
                       [&](Folder folder) { store.writeString(name, this->folder(folder)); },
                       [&](PrinterNameValue) { store.writeString(name, program().printerName()); },
                   },
                   row->setting);
    }
    saveLinks(store);
}

// The list is replaced as a whole: a list of thousands of links takes one
// commit, and a failed save keeps the old list.
void CoverSettings::saveLinks(SettingsStore& store) const
{
    store.changeTogether([&] {
        const int n = linkRunLength(store);
        for (int i = 0; i <= n; ++i) {
            if (store.exists(linkName("URL", i)))
                store.remove(linkName("URL", i));
        }
        for (int i = 0; i < m_links.size(); ++i)
            store.writeString(linkName("Url", i), m_links.at(i));
    });
}

void CoverSettings::restoreStandardSizes()
{
    for (Length size : standardSizes())
        setLength(size, rowOf(size).defaultValue);
}
