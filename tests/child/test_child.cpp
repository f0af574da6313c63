// A helper process for tests that need the program's file writers in a
// process of their own: to kill it in the middle of a write, or to run it
// with fewer rights than the test. Reports on standard output, one line per
// event.
//
//   sleevix_test_child template-loop FILE   rewrites a large template until killed
//   sleevix_test_child store-loop FILE      rewrites store values until killed
//   sleevix_test_child store-write FILE     one write, as "nobody" when started as root
//   sleevix_test_child store-lock FILE      as another program: changes "CD-links" to 88 in
//                                           an exclusive transaction, reports "locked", and
//                                           commits when a line comes on standard input
//   sleevix_test_child foreign-listener PATH
//                                           listens on a socket at PATH as "nobody" (started
//                                           as root), reports "listening", then what each
//                                           connection sent, as "received: BYTES"
#include "platform/profile/ini_profile.h"
#include "platform/store/settings_error.h"
#include "platform/store/settings_store.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstring>
#include <sqlite3.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <unistd.h>

namespace {

constexpr int kTemplateKeys = 300;
constexpr int kStoreValues = 50;
constexpr uid_t kNobody = 65534;

void report(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Every key of one generation holds the same number, so a reader can tell a
// whole file from a mix of two.
[[noreturn]] void rewriteTemplateForever(const QString& file)
{
    IniProfile profile(file);
    for (int generation = 1;; ++generation) {
        IniProfile::Batch batch(profile);
        const QString value = QString::number(generation) + QLatin1Char('-') + QString(1500, u'v');
        for (int key = 0; key < kTemplateKeys; ++key)
            profile.writeString(QStringLiteral("Settings"), QStringLiteral("K%1").arg(key), value);
        batch.commit();
        report(QStringLiteral("generation %1").arg(generation));
    }
}

[[noreturn]] void rewriteStoreForever(const QString& file)
{
    SettingsStore store(file);
    for (int generation = 1;; ++generation) {
        for (int i = 0; i < kStoreValues; ++i)
            store.writeString(QStringLiteral("Url%1").arg(i),
                              QStringLiteral("https://example.org/%1").arg(generation));
        store.writeInteger(QStringLiteral("AnzPrint"), generation);
        report(QStringLiteral("generation %1").arg(generation));
    }
}

// Root may write any file; "nobody" is stopped by the file's permissions.
int writeOnce(const QString& file)
{
    if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
        return 3;
    SettingsStore store(file);
    try {
        report(QStringLiteral("read: %1").arg(store.readString(QStringLiteral("Daten"))));
    } catch (const SettingsError& error) {
        report(QStringLiteral("read: %1").arg(error.message()));
    }
    try {
        store.writeString(QStringLiteral("Daten"), QStringLiteral("/neu"));
        report(QStringLiteral("write: ok"));
    } catch (const SettingsError& error) {
        report(QStringLiteral("write: %1").arg(error.message()));
    }
    return 0;
}

// Another program's transaction on the store file, through SQLite alone.
int holdExclusiveLock(const QString& file)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(file).constData(), &db) != SQLITE_OK)
        return 3;
    const char* change = "BEGIN EXCLUSIVE;"
                         "INSERT INTO settings_values (key, name, type, value) VALUES "
                         "('Software\\Tarnholm\\Sleevix', 'CD-links', 4, 88)"
                         " ON CONFLICT (key, name) DO UPDATE SET value = excluded.value";
    if (sqlite3_exec(db, change, nullptr, nullptr, nullptr) != SQLITE_OK) {
        report(QStringLiteral("lock: %1").arg(QString::fromUtf8(sqlite3_errmsg(db))));
        return 0;
    }
    report(QStringLiteral("locked"));
    for (int c = std::getchar(); c != '\n' && c != EOF; c = std::getchar()) {
    }
    const bool committed = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    report(QStringLiteral("commit: %1")
               .arg(committed ? QStringLiteral("ok") : QString::fromUtf8(sqlite3_errmsg(db))));
    sqlite3_close(db);
    return 0;
}

// Another user's program on the socket path of the user's instance.
int listenAsNobody(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (encoded.size() >= qsizetype(sizeof address.sun_path))
        return 3;
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    // Bound while still root, in the user's folder; the peer credentials
    // are those of the moment listen() is called.
    if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
        || setgid(kNobody) != 0 || setuid(kNobody) != 0 || ::listen(listener, 5) != 0)
        return 3;
    report(QStringLiteral("listening"));
    for (;;) {
        const int connection = ::accept(listener, nullptr, nullptr);
        if (connection < 0)
            return 3;
        QByteArray received;
        char buffer[256];
        for (ssize_t count; (count = ::recv(connection, buffer, sizeof buffer, 0)) > 0;)
            received.append(buffer, qsizetype(count));
        ::close(connection);
        report(QStringLiteral("received: %1").arg(QString::fromUtf8(received).trimmed()));
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[2]);
    if (std::strcmp(argv[1], "template-loop") == 0)
        rewriteTemplateForever(file);
    if (std::strcmp(argv[1], "store-loop") == 0)
        rewriteStoreForever(file);
    if (std::strcmp(argv[1], "store-write") == 0)
        return writeOnce(file);
    if (std::strcmp(argv[1], "store-lock") == 0)
        return holdExclusiveLock(file);
    if (std::strcmp(argv[1], "foreign-listener") == 0)
        return listenAsNobody(file);
    return 2;
}
