#include "platform/store/settings_store.h"

#include "platform/store/settings_error.h"
#include "platform/store/settings_type_error.h"
#include "platform/store/sqlite_file_claim.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <limits>
#include <sqlite3.h>
#include <utility>

#include <unistd.h>

namespace {

const char* const kKey = "Software\\Tarnholm\\Sleevix";

// How long a use of the store waits for another program's lock on the file.
constexpr int kLockPatienceMs = 3000;

const char* const kSchema = "CREATE TABLE IF NOT EXISTS settings_values ("
                            " key TEXT NOT NULL COLLATE NOCASE,"
                            " name TEXT NOT NULL COLLATE NOCASE,"
                            " type INTEGER NOT NULL,"
                            " value,"
                            " PRIMARY KEY (key, name))";

const char* const kSelect = "SELECT type, value FROM settings_values WHERE key = ?1 AND name = ?2";
const char* const kDelete = "DELETE FROM settings_values WHERE key = ?1 AND name = ?2";
// The name keeps the spelling of its first write, as registry values do.
const char* const kUpsert
    = "INSERT INTO settings_values (key, name, type, value) VALUES (?1, ?2, ?3, ?4) "
      "ON CONFLICT (key, name) DO UPDATE SET type = excluded.type, value = excluded.value";

QString wrongType(const QString& name)
{
    return QStringLiteral("Ungültiger Datentyp für '%1'").arg(name);
}

QString cannotRead(const QString& name)
{
    return QStringLiteral("Konnte Daten für '%1' nicht holen").arg(name);
}

// A prepared statement that finalises itself.
class Statement {
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (db)
            m_result = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return m_stmt != nullptr; }
    // SQLite's result code of the preparation.
    int result() const { return m_stmt ? SQLITE_OK : m_result; }
    sqlite3_stmt* get() const { return m_stmt; }
    void bindText(int index, const QString& text) { bindTextTo(m_stmt, index, text); }

    static void bindTextTo(sqlite3_stmt* statement, int index, const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(statement, index, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_result = SQLITE_MISUSE;
};

// A statement kept prepared for many uses: made ready for the next one when
// this use ends, however it ends. Until then it keeps its read open.
class StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* statement) : m_stmt(statement) { }
    ~StatementUse()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;

    sqlite3_stmt* get() const { return m_stmt; }
    void bindText(int index, const QString& text) { Statement::bindTextTo(m_stmt, index, text); }

private:
    sqlite3_stmt* m_stmt;
};

// The checks of an opened file give SQLite's result codes: SQLITE_OK when
// the file passes; SQLITE_BUSY or SQLITE_LOCKED when another connection's
// lock kept the check from reading; any other code for a file that cannot
// hold the store.
bool isLockedOut(int result)
{
    const int primary = result & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// The full check: the quick one passes files whose index is broken, and the
// store is small. A file that is no database fails it too.
int integrityCheck(sqlite3* db)
{
    Statement check(db, "PRAGMA integrity_check");
    if (!check.ok())
        return check.result();
    const int step = sqlite3_step(check.get());
    if (step != SQLITE_ROW)
        return step;
    const auto* verdict = reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0));
    return verdict && qstrcmp(verdict, "ok") == 0 ? SQLITE_OK : SQLITE_CORRUPT;
}

// A database file whose header asks for a later write format opens and
// reads, but refuses every write.
bool hasWritableFormat(const QString& path)
{
    constexpr int kWriteVersionOffset = 18;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QByteArray header = file.read(kWriteVersionOffset + 1);
    return header.size() <= kWriteVersionOffset || quint8(header[kWriteVersionOffset]) <= 2;
}

// Value names are found whatever their letter case only through the
// columns' collation.
bool comparesWithoutCase(sqlite3* db, const char* column)
{
    const char* collation = nullptr;
    return sqlite3_table_column_metadata(db, "main", "settings_values", column, nullptr, &collation,
                                         nullptr, nullptr, nullptr)
        == SQLITE_OK
        && collation && qstricmp(collation, "NOCASE") == 0;
}

// A sound database whose table has other columns, keys or collations cannot
// hold the values either.
int holdsTheValues(sqlite3* db)
{
    for (const char* sql : {kSelect, kDelete, kUpsert}) {
        const Statement statement(db, sql);
        if (!statement.ok())
            return statement.result();
    }
    return comparesWithoutCase(db, "key") && comparesWithoutCase(db, "name") ? SQLITE_OK
                                                                             : SQLITE_MISMATCH;
}

std::unique_ptr<SettingsStore>& userInstance()
{
    static std::unique_ptr<SettingsStore> instance;
    return instance;
}

}  // namespace

struct SettingsStore::Row {
    int type = 0;
    bool isText = false;
    QString text;
    qint64 number = 0;
};

SettingsStore::SettingsStore(const QString& filePath)
    : m_filePath(filePath), m_encodedFilePath(QFile::encodeName(filePath))
{
    const QString folder = QFileInfo(filePath).absolutePath();
    QDir().mkpath(folder);
    // Where the file could not be created, opening it now reports the
    // trouble at the first read, as it always did.
    const QFileInfo folderInfo(folder);
    if (!QFileInfo::exists(filePath) && folderInfo.isDir() && folderInfo.isWritable())
        m_createOnWrite = true;
    else
        open(Patience::NoWait);
}

void SettingsStore::open(Patience patience)
{
    m_createOnWrite = false;
    closeDatabase();
    Check check = openDatabase(patience);
    if (check == Check::Damaged) {
        closeDatabase();
        check = moveDamagedFileAside() ? openDatabase(patience) : Check::Busy;
    }
    m_checked = check == Check::Ready;
}

bool SettingsStore::ready(const QString& name, Use use) const
{
    // Asked at every read while there is no file: a plain system call.
    if (m_createOnWrite && use != Use::Write && ::access(m_encodedFilePath.constData(), F_OK) != 0)
        return false;
    // The file has come (made by this write or another program meanwhile),
    // or it could not be checked so far.
    if (m_createOnWrite || !m_checked)
        const_cast<SettingsStore*>(this)->open(Patience::Wait);
    if (!m_checked)
        throw SettingsError(use == Use::Read ? cannotRead(name) : writeFailure(name));
    return true;
}

SettingsStore::~SettingsStore()
{
    closeDatabase();
}

SettingsStore& SettingsStore::user()
{
    auto& instance = userInstance();
    if (!instance)
        instance = std::make_unique<SettingsStore>(userStorePath());
    return *instance;
}

QString SettingsStore::writeFailure(const QString& name)
{
    return QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(name);
}

QString SettingsStore::userStorePath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QDir(dir).filePath(QStringLiteral("settings.db"));
}

void SettingsStore::resetUser()
{
    userInstance().reset();
}

SettingsStore::Check SettingsStore::openDatabase(Patience patience)
{
    const bool existed = QFileInfo::exists(m_filePath);
    if (sqlite3_open_v2(m_encodedFilePath.constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK)
        return Check::Damaged;
    // Opening the store at start-up does not wait: a locked file is checked
    // again, patiently, at its first use.
    sqlite3_busy_timeout(m_db, patience == Patience::Wait ? kLockPatienceMs : 0);
    if (!existed || QFileInfo(m_filePath).size() == 0)
        QFile::setPermissions(m_filePath, QFile::ReadOwner | QFile::WriteOwner);
    // Checked before the schema is written, so that a damaged file is moved
    // aside exactly as it was.
    int result = integrityCheck(m_db);
    if (result == SQLITE_OK && !hasWritableFormat(m_filePath))
        result = SQLITE_READONLY;
    if (result == SQLITE_OK)
        result = sqlite3_exec(m_db, kSchema, nullptr, nullptr, nullptr);
    if (result == SQLITE_OK)
        result = holdsTheValues(m_db);
    sqlite3_busy_timeout(m_db, kLockPatienceMs);
    if (result == SQLITE_OK)
        return Check::Ready;
    return isLockedOut(result) ? Check::Busy : Check::Damaged;
}

void SettingsStore::closeDatabase()
{
    sqlite3_finalize(m_select);
    m_select = nullptr;
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool SettingsStore::moveDamagedFileAside()
{
    // A file of no bytes is a new store that could not be set up (a full
    // disk, a folder without write permission), not a damaged one.
    if (QFileInfo(m_filePath).size() == 0)
        return false;
    // Nobody may be using the file or its journal files while they move.
    const SqliteFileClaim claim(m_filePath);
    if (!claim.held())
        return false;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = m_filePath + QStringLiteral(".defekt-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = m_filePath + QStringLiteral(".defekt-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(m_filePath, target))
        return false;
    m_recoveredFile = target;
    // The journal files go with the file they belong to: left behind, they
    // would be played into the new store.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        const QString journal = m_filePath + QLatin1String(suffix);
        if (QFileInfo::exists(journal))
            QFile::rename(journal, target + QLatin1String(suffix));
    }
    return true;
}

bool SettingsStore::fetch(const QString& name, Row& row) const
{
    if (!ready(name, Use::Read))
        return false;
    // Reading all settings at start takes some fifty reads; preparing the
    // query for each of them took longer than the reads themselves.
    if (!m_select && sqlite3_prepare_v2(m_db, kSelect, -1, &m_select, nullptr) != SQLITE_OK)
        m_select = nullptr;
    if (!m_select)
        throw SettingsError(cannotRead(name));
    StatementUse query(m_select);
    query.bindText(1, QString::fromLatin1(kKey));
    query.bindText(2, name);
    const int step = sqlite3_step(query.get());
    if (step == SQLITE_DONE)
        return false;
    if (step != SQLITE_ROW)
        throw SettingsError(cannotRead(name));
    row.type = sqlite3_column_int(query.get(), 0);
    row.isText = sqlite3_column_type(query.get(), 1) == SQLITE_TEXT;
    if (row.isText) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(query.get(), 1));
        row.text = QString::fromUtf8(text, sqlite3_column_bytes(query.get(), 1));
    } else {
        row.number = sqlite3_column_int64(query.get(), 1);
    }
    return true;
}

bool SettingsStore::exists(const QString& name) const
{
    Row row;
    return fetch(name, row);
}

bool SettingsStore::remove(const QString& name)
{
    if (!ready(name, Use::Remove))
        return false;
    Statement del(m_db, kDelete);
    if (!del.ok())
        throw SettingsError(writeFailure(name));
    del.bindText(1, QString::fromLatin1(kKey));
    del.bindText(2, name);
    if (sqlite3_step(del.get()) != SQLITE_DONE)
        throw SettingsError(writeFailure(name));
    return sqlite3_changes(m_db) > 0;
}

QString SettingsStore::readString(const QString& name) const
{
    Row row;
    if (!fetch(name, row))
        throw SettingsError(cannotRead(name));
    const bool isString
        = row.type == int(ValueType::String) || row.type == int(ValueType::ExpandString);
    if (!isString || !row.isText)
        throw SettingsTypeError(wrongType(name));
    return row.text;
}

qint32 SettingsStore::readInteger(const QString& name) const
{
    Row row;
    if (!fetch(name, row))
        throw SettingsError(cannotRead(name));
    if (row.type != int(ValueType::Integer) || row.isText)
        throw SettingsTypeError(wrongType(name));
    return qint32(std::clamp<qint64>(row.number, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}

bool SettingsStore::readBool(const QString& name) const
{
    return readInteger(name) != 0;
}

bool SettingsStore::execute(const char* sql)
{
    return m_db && sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

void SettingsStore::changeTogether(const std::function<void()>& writes)
{
    if (m_createOnWrite)
        open(Patience::Wait);
    // Without a checked file or a transaction each write still reports its
    // own failure.
    if (!m_checked || !execute("BEGIN IMMEDIATE")) {
        writes();
        return;
    }
    try {
        writes();
    } catch (...) {
        if (!sqlite3_get_autocommit(m_db))
            execute("ROLLBACK");
        throw;
    }
    if (!execute("COMMIT")) {
        if (!sqlite3_get_autocommit(m_db))
            execute("ROLLBACK");
        throw SettingsError(writeFailure(m_lastWritten));
    }
}

void SettingsStore::write(const QString& name, ValueType type, const QString& text, qint64 number)
{
    ready(name, Use::Write);
    m_lastWritten = name;
    Statement upsert(m_db, kUpsert);
    if (!upsert.ok())
        throw SettingsError(writeFailure(name));
    upsert.bindText(1, QString::fromLatin1(kKey));
    upsert.bindText(2, name);
    sqlite3_bind_int(upsert.get(), 3, int(type));
    if (type == ValueType::Integer)
        sqlite3_bind_int64(upsert.get(), 4, number);
    else
        upsert.bindText(4, text);
    if (sqlite3_step(upsert.get()) != SQLITE_DONE)
        throw SettingsError(writeFailure(name));
}

void SettingsStore::writeString(const QString& name, const QString& value)
{
    write(name, ValueType::String, value, 0);
}

void SettingsStore::writeExpandString(const QString& name, const QString& value)
{
    write(name, ValueType::ExpandString, value, 0);
}

void SettingsStore::writeInteger(const QString& name, qint32 value)
{
    write(name, ValueType::Integer, {}, value);
}

void SettingsStore::writeBool(const QString& name, bool value)
{
    writeInteger(name, value ? 1 : 0);
}

SettingsStore::Transaction::Transaction(SettingsStore& store) : m_store(store)
{
    if (store.m_createOnWrite)
        store.open(Patience::Wait);
    // Without a checked file, each write reports its own failure.
    m_open = store.m_checked
        && sqlite3_exec(store.m_db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
}

SettingsStore::Transaction::~Transaction()
{
    end();
}

void SettingsStore::Transaction::commit()
{
    if (!end())
        throw SettingsError(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden"));
}

bool SettingsStore::Transaction::end()
{
    if (!std::exchange(m_open, false))
        return true;
    if (sqlite3_exec(m_store.m_db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    sqlite3_exec(m_store.m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}
