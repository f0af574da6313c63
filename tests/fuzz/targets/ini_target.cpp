#include "platform/profile/ini_profile.h"
#include "platform/profile/template_write_error.h"
#include "targets.h"

#include <QFile>
#include <QTemporaryDir>

#include <array>

namespace {

struct Name {
    const char* section;
    const char* key;
};

// Names a label template uses, in the letter case it writes them and in
// others, plus some that are not there.
constexpr std::array<Name, 8> kNames{{
    {"CB", "cbUFront"},
    {"cb", "CBSECIMG"},
    {"Settings", "ORand"},
    {"SETTINGS", "lrand2frnt"},
    {"Printer", "Drucker"},
    {"Masse", "RB"},
    {"Masse", "DopH"},
    {"Fehlt", "Nichts"},
}};

QString text(const char* s)
{
    return QString::fromLatin1(s);
}

QString workFile()
{
    static QTemporaryDir dir(QStringLiteral("/dev/shm/sleevix-fuzz-ini-XXXXXX"));
    static QTemporaryDir fallback;
    return (dir.isValid() ? dir : fallback).filePath(QStringLiteral("vorlage.lab"));
}

void writeFile(const QString& path, QByteArrayView data)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(data.data(), data.size()) == data.size());
}

std::array<QString, kNames.size()> readAll(const IniProfile& profile)
{
    std::array<QString, kNames.size()> values;
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        values[i] = profile.readString(text(kNames[i].section), text(kNames[i].key),
                                       QStringLiteral("<fehlt>"));
        FUZZ_CHECK(values[i].size() <= IniProfile::MaxValueLength);
        (void)profile.readInteger(text(kNames[i].section), text(kNames[i].key), -1);
    }
    return values;
}

// The first bytes of the input, as printable ASCII, become a value to write:
// it must read back as written and leave every other value alone.
QString valueFrom(QByteArrayView data)
{
    QString value;
    for (qsizetype i = 0; i < data.size() && i < 40; ++i) {
        const char c = data[i];
        value += QChar(c >= 0x20 && c < 0x7f ? c : 'x');
    }
    return value;
}

}  // namespace

namespace fuzz {

void iniProfile(QByteArrayView data)
{
    const QString path = workFile();
    writeFile(path, data);
    IniProfile profile(path);
    const auto before = readAll(profile);

    const std::size_t target = data.isEmpty() ? 0 : std::size_t(uchar(data[0])) % kNames.size();
    const QString value = valueFrom(data);
    try {
        profile.writeString(text(kNames[target].section), text(kNames[target].key), value);
    } catch (const TemplateWriteError&) {
        FUZZ_CHECK(false);  // a small regular file can always be rewritten
    }
    const auto after = readAll(profile);
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        const bool sameKey = QString::compare(text(kNames[i].section), text(kNames[target].section),
                                              Qt::CaseInsensitive)
                == 0
            && QString::compare(text(kNames[i].key), text(kNames[target].key), Qt::CaseInsensitive)
                == 0;
        if (sameKey)
            FUZZ_CHECK(after[i] == value);
        else
            FUZZ_CHECK(after[i] == before[i]);
    }
}

}  // namespace fuzz
