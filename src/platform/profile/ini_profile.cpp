#include "platform/profile/ini_profile.h"

#include "platform/profile/template_write_error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

enum class FileAccess { Missing, Readable, Unusable };

struct FileBytes {
    FileAccess access = FileAccess::Missing;
    QByteArray bytes;
};

// Never blocks on special files and never reads more than the size limit.
FileBytes readFileBytes(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return {FileAccess::Missing, {}};
    if (!info.isFile() || info.size() > IniProfile::MaxFileSize)
        return {FileAccess::Unusable, {}};

    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {FileAccess::Unusable, {}};
    // One byte more than expected shows a file that grew since the check.
    QByteArray bytes = file.read(info.size() + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() != info.size())
        return {FileAccess::Unusable, {}};
    return {FileAccess::Readable, bytes};
}

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Hexadecimal digits as a 32-bit pattern.
std::optional<int> parseHex(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (const QChar c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<quint64>(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<int>(static_cast<quint32>(value));
}

std::optional<int> parseProfileInteger(QStringView text)
{
    if (text.startsWith(u"0x", Qt::CaseInsensitive))
        return parseHex(text.sliced(2));
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool isQuoteChar(QChar c)
{
    return c == u'"' || c == u'\'';
}

bool isQuoted(QStringView text)
{
    return text.size() >= 2 && isQuoteChar(text.front()) && text.back() == text.front();
}

QString unquoted(const QString& text)
{
    return isQuoted(text) ? text.sliced(1, text.size() - 2) : text;
}

QString cutToMaxLength(QString text)
{
    if (text.size() <= IniProfile::MaxValueLength)
        return text;
    qsizetype length = IniProfile::MaxValueLength;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    text.truncate(length);
    return text;
}

QString singleLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

// Quotes protect a value that reading would otherwise change: surrounding
// blanks, or a pair of quotes of its own.
QString storedValueText(const QString& value)
{
    QString text = singleLine(value);
    if (text != text.trimmed() || isQuoted(text))
        return u'"' + text + u'"';
    return text;
}

}  // namespace

IniProfile::IniProfile(QString fileName) : m_fileName(std::move(fileName))
{ }

QString IniProfile::readString(const QString& section, const QString& key,
                               const QString& defaultValue) const
{
    const std::optional<QString> raw = rawValue(section, key);
    return raw ? cutToMaxLength(unquoted(*raw)) : defaultValue;
}

int IniProfile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    return parseProfileInteger(readString(section, key)).value_or(defaultValue);
}

bool IniProfile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniProfile::writeString(const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = singleLine(section);
    const QString keyName = singleLine(key);
    const QString valueText = storedValueText(value);
    if (m_batch) {
        m_batch->document.setValue(sectionName, keyName, valueText);
        return;
    }
    Contents contents = loadForWriting();
    contents.document.setValue(sectionName, keyName, valueText);
    save(contents);
}

void IniProfile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniProfile::writeBool(const QString& section, const QString& key, bool value)
{
    writeInteger(section, key, value ? 1 : 0);
}

std::optional<QString> IniProfile::rawValue(const QString& section, const QString& key) const
{
    if (m_batch)
        return m_batch->document.value(section, key);
    return loadForReading().document.value(section, key);
}

IniProfile::Contents IniProfile::loadForReading() const
{
    const FileBytes file = readFileBytes(m_fileName);
    return file.access == FileAccess::Readable ? parse(file.bytes) : Contents();
}

// Rewriting a file that could not be read whole would destroy what it holds.
IniProfile::Contents IniProfile::loadForWriting() const
{
    const FileBytes file = readFileBytes(m_fileName);
    if (file.access == FileAccess::Unusable)
        throwWriteError();
    return file.access == FileAccess::Readable ? parse(file.bytes) : Contents();
}

IniProfile::Contents IniProfile::parse(const QByteArray& bytes)
{
    const DecodedText decoded = decodeEightBitText(bytes);
    return {IniDocument::parse(decoded.text), decoded.encoding};
}

void IniProfile::save(const Contents& contents) const
{
    const QByteArray bytes = encodeEightBitText(contents.document.serialize(), contents.encoding);
    // Unbuffered, so that a short write (full disk) shows in write()'s result:
    // commit() does not notice a failure while flushing its buffer and would
    // put the cut file in place. An uncommitted QSaveFile removes its
    // temporary file.
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throwWriteError();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throwWriteError();
}

void IniProfile::throwWriteError() const
{
    throw TemplateWriteError(
        QStringLiteral("nach %1 kann nicht geschrieben werden").arg(m_fileName));
}

IniProfile::Batch::Batch(IniProfile& profile) : m_profile(profile), m_outer(!profile.m_batch)
{
    if (m_outer)
        m_profile.m_batch = m_profile.loadForWriting();
}

IniProfile::Batch::~Batch()
{
    if (m_outer)
        m_profile.m_batch.reset();
}

void IniProfile::Batch::commit()
{
    if (!m_outer || !m_profile.m_batch)
        return;
    m_profile.save(*m_profile.m_batch);
    m_profile.m_batch.reset();
}
