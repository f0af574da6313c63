#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// The per-user settings store: one flat key of typed, named values in an
// SQLite file. Names are compared without regard to letter case. Every write
// is committed at once.
//
// Reads and writes throw SettingsError with the German message for the
// value's name when the file cannot be used, and SettingsTypeError when the
// value has the wrong type.
//
// Another program may hold a lock on the file: every use waits a few
// seconds for it (SQLite's busy handler) and then fails with the value's
// message, changing no file.
class SettingsStore {
public:
    enum class ValueType { String = 1, ExpandString = 2, Integer = 4 };

    // Opens the store file. A missing file reads as an empty store and is
    // created by the first write: creating a database waits for the disk.
    // A file that is not a readable database while nobody holds a lock on
    // it is moved aside, together with its journal files, and replaced by
    // an empty store; see recoveredFile(). A file that is locked just now is
    // checked at its first use.
    explicit SettingsStore(const QString& filePath);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The user's store in the per-user config folder. Created on first use.
    static SettingsStore& user();
    static QString userStorePath();
    // Forgets the user's store so the next user() opens the file anew (tests).
    static void resetUser();

    bool exists(const QString& name) const;
    bool remove(const QString& name);

    QString readString(const QString& name) const;
    // A stored number beyond 32 bits reads as the nearest 32-bit value.
    qint32 readInteger(const QString& name) const;
    bool readBool(const QString& name) const;

    void writeString(const QString& name, const QString& value);
    void writeExpandString(const QString& name, const QString& value);
    void writeInteger(const QString& name, qint32 value);
    void writeBool(const QString& name, bool value);

    // Runs `writes` (writes and removals on this store) as one commit, which
    // is much faster for many values: either every change is stored or, when
    // one fails, none is, and the error is thrown as from a single write.
    void changeTogether(const std::function<void()>& writes);

    // Makes the writes done while it lives one commit: a run of writes then
    // waits for the disk once instead of once per value. commit() throws
    // SettingsError when the commit fails; left without commit() (by an
    // exception), it commits what was written, as single writes would have.
    class Transaction {
    public:
        explicit Transaction(SettingsStore& store);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

    private:
        bool end();
        SettingsStore& m_store;
        bool m_open = false;
    };

    // "Konnte Daten für 'NAME' nicht setzen".
    static QString writeFailure(const QString& name);

    // Where a damaged store file was moved at opening, or empty.
    const QString& recoveredFile() const { return m_recoveredFile; }
    const QString& filePath() const { return m_filePath; }

private:
    struct Row;
    enum class Check { Ready, Busy, Damaged };
    enum class Patience { Wait, NoWait };
    enum class Use { Read, Remove, Write };
    Check openDatabase(Patience patience);
    void open(Patience patience);
    // Opens and checks the file where that has not succeeded yet. False
    // while the file is missing and `use` only reads; throws the message
    // for `name` when the file cannot be used.
    bool ready(const QString& name, Use use) const;
    void closeDatabase();
    bool moveDamagedFileAside();
    bool fetch(const QString& name, Row& row) const;
    void write(const QString& name, ValueType type, const QString& text, qint64 number);
    bool execute(const char* sql);

    QString m_filePath;
    QByteArray m_encodedFilePath;
    QString m_lastWritten;
    QString m_recoveredFile;
    sqlite3* m_db = nullptr;
    mutable sqlite3_stmt* m_select = nullptr;
    bool m_createOnWrite = false;
    bool m_checked = false;
};
