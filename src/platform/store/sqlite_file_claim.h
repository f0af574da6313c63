#pragma once

#include <QString>

// Keeps every SQLite connection away from a database file while it lives,
// so that the file can be moved without pulling it from under a program
// that uses it. It takes the byte-range locks that a connection must hold
// to read or write the file (and, where the file has a shared-memory file
// in WAL mode, that file's locks), and only when nobody holds any of them:
// it never waits. The locks belong to this object's own descriptors, so they
// also keep out this process's connections, and no other descriptor's
// closing drops them.
class SqliteFileClaim {
public:
    explicit SqliteFileClaim(const QString& databasePath);
    ~SqliteFileClaim();
    SqliteFileClaim(const SqliteFileClaim&) = delete;
    SqliteFileClaim& operator=(const SqliteFileClaim&) = delete;

    // False when some connection holds a lock on the file, or the file
    // cannot be opened for writing.
    bool held() const { return m_held; }

private:
    int m_database = -1;
    int m_sharedMemory = -1;
    bool m_held = false;
};
