#include "platform/store/settings_error.h"
#include "platform/store/settings_store.h"
#include "targets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QDir workDir()
{
    static QTemporaryDir dir(QStringLiteral("/dev/shm/sleevix-fuzz-store-XXXXXX"));
    static QTemporaryDir fallback;
    return QDir((dir.isValid() ? dir : fallback).path());
}

void removeAllFiles(QDir dir)
{
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(name);
}

void writeFile(const QString& path, QByteArrayView data)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(data.data(), data.size()) == data.size());
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Reading may fail with the store's own messages, never otherwise.
void readSome(const SettingsStore& store)
{
    for (const char* name : {"Daten", "AnzPrint", "URL0", "MDOPH"}) {
        try {
            if (store.exists(QString::fromLatin1(name))) {
                (void)store.readString(QString::fromLatin1(name));
            }
        } catch (const SettingsError&) {
        }
        try {
            (void)store.readInteger(QString::fromLatin1(name));
        } catch (const SettingsError&) {
        }
    }
}

}  // namespace

namespace fuzz {

// A store file damaged in any way opens as a working store; what the file
// held is kept, either in place or moved aside.
void settingsStore(QByteArrayView data)
{
    const QDir dir = workDir();
    removeAllFiles(dir);
    const QString path = dir.filePath(QStringLiteral("settings.db"));
    writeFile(path, data);
    {
        SettingsStore store(path);
        if (!store.recoveredFile().isEmpty())
            FUZZ_CHECK(contentsOf(store.recoveredFile()) == data);
        readSome(store);
        store.writeInteger(QStringLiteral("AnzPrint"), 7);
        store.writeString(QStringLiteral("Url0"), QStringLiteral("https://example.org/ä"));
        FUZZ_CHECK(store.readInteger(QStringLiteral("ANZPRINT")) == 7);
        FUZZ_CHECK(store.readString(QStringLiteral("URL0"))
                   == QStringLiteral("https://example.org/ä"));
    }
    SettingsStore reopened(path);
    FUZZ_CHECK(reopened.recoveredFile().isEmpty());
    FUZZ_CHECK(reopened.readInteger(QStringLiteral("AnzPrint")) == 7);
}

}  // namespace fuzz
