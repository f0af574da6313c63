#pragma once

#include "model/setting_keys.h"

#include <QObject>
#include <QStringList>

#include <array>

class SettingsStore;
struct SettingRow;

// Every persisted setting of the settings window, typed and named after
// the control that shows it. Setting a value that differs from the one held
// emits the matching signal at once, so whoever is connected runs to
// completion before the setter returns; setting the value already held
// emits nothing. Lengths stay within their limits.
class CoverSettings : public QObject {
    Q_OBJECT
public:
    // Every setting starts as a new control would: unticked, at its
    // minimum, empty.
    explicit CoverSettings(QObject* parent = nullptr);

    bool ticked(Check check) const { return m_checks[std::size_t(check)]; }
    void setTicked(Check check, bool ticked);
    int length(Length length) const { return m_lengths[std::size_t(length)]; }
    void setLength(Length length, int millimetres);
    QString folder(Folder folder) const { return m_folders[std::size_t(folder)]; }
    void setFolder(Folder folder, const QString& path);
    // The link list, in the order it shows.
    const QStringList& links() const { return m_links; }
    void setLinks(const QStringList& links);
    // The same entries in the order a sorted list shows them.
    static QStringList sortedLinks(QStringList links);

    // Loads every stored value in the table's order, then the numbered link
    // list; a missing value loads its default. A value of the wrong type
    // loads its default too, and the load goes on: the messages of such
    // values come back in load order. Throws SettingsError at the first
    // value that cannot be read; the values before it are loaded.
    QStringList load(const SettingsStore& store);
    // Writes every value in the table's write order, then replaces the
    // stored link list. Throws SettingsError at the first value that cannot
    // be written; what was written before it stays written.
    void save(SettingsStore& store) const;

    // "S&tandard Werte": the sizes of the "Maße" page back to their defaults.
    void restoreStandardSizes();

signals:
    void tickChanged(Check check);
    void lengthChanged(Length length);
    void folderChanged(Folder folder);
    void linksChanged();

private:
    void loadRow(const SettingsStore& store, const SettingRow& row, bool stored);
    void loadLinks(const SettingsStore& store, QStringList& wrongTypes);
    void saveLinks(SettingsStore& store) const;

    std::array<bool, std::size_t(Check::Count)> m_checks{};
    std::array<int, std::size_t(Length::Count)> m_lengths{};
    std::array<QString, std::size_t(Folder::Count)> m_folders;
    QStringList m_links;
};
