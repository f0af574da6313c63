#include "platform/store/sqlite_file_claim.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Where SQLite's unix locking takes its locks: the pending, reserved and
// shared bytes of the database file, and the WAL index locks and the
// "connection open" byte of the shared-memory file.
constexpr off_t kPendingByte = 0x40000000;
constexpr off_t kDatabaseLockBytes = 2 + 510;
constexpr off_t kWalLocksStart = 120;
constexpr off_t kWalLockBytes = 8 + 1;

bool lockExclusively(int fd, off_t start, off_t length)
{
    struct flock lock { };
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = length;
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

int openForLocking(const QString& path)
{
    return ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
}

}  // namespace

SqliteFileClaim::SqliteFileClaim(const QString& databasePath)
{
    m_database = openForLocking(databasePath);
    if (m_database < 0 || !lockExclusively(m_database, kPendingByte, kDatabaseLockBytes))
        return;
    const QString sharedMemory = databasePath + QStringLiteral("-shm");
    if (QFile::exists(sharedMemory)) {
        m_sharedMemory = openForLocking(sharedMemory);
        if (m_sharedMemory < 0 || !lockExclusively(m_sharedMemory, kWalLocksStart, kWalLockBytes))
            return;
    }
    m_held = true;
}

SqliteFileClaim::~SqliteFileClaim()
{
    // Closing the descriptors releases their locks.
    for (int fd : {m_sharedMemory, m_database}) {
        if (fd >= 0)
            ::close(fd);
    }
}
