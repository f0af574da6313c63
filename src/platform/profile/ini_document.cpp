#include "platform/profile/ini_document.h"

namespace {

constexpr QChar kCommentMark = u';';
constexpr QChar kEquals = u'=';

// The section name of a "[name]" line, or nothing for any other line.
std::optional<QStringView> sectionNameOf(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.lastIndexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmed.sliced(1, close - 1).trimmed();
}

struct KeyLine {
    QStringView key;
    QStringView value;
};

std::optional<KeyLine> keyLineOf(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (trimmed.startsWith(kCommentMark))
        return std::nullopt;
    const qsizetype equals = trimmed.indexOf(kEquals);
    if (equals < 0)
        return std::nullopt;
    return KeyLine{trimmed.first(equals).trimmed(), trimmed.sliced(equals + 1).trimmed()};
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isBlank(const QString& line)
{
    return line.trimmed().isEmpty();
}

}  // namespace

IniDocument IniDocument::parse(QStringView text)
{
    IniDocument document;
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (text.isEmpty())
        return document;

    for (QStringView line : text.tokenize(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (const auto name = sectionNameOf(line))
            document.m_sections.push_back({name->toString(), line.toString(), {}});
        else
            document.lastLines().push_back(line.toString());
    }
    return document;
}

QString IniDocument::serialize() const
{
    static const QString lineEnd = QStringLiteral("\r\n");
    QString text;
    const auto appendLine = [&text](const QString& line) { text += line + lineEnd; };
    for (const QString& line : m_leadingLines)
        appendLine(line);
    for (const Section& section : m_sections) {
        appendLine(section.header);
        for (const QString& line : section.lines)
            appendLine(line);
    }
    return text;
}

std::optional<QString> IniDocument::value(QStringView section, QStringView key) const
{
    const Section* found = findSection(section);
    if (!found)
        return std::nullopt;
    for (const QString& line : found->lines) {
        const auto keyLine = keyLineOf(line);
        if (keyLine && sameName(keyLine->key, key))
            return keyLine->value.toString();
    }
    return std::nullopt;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& valueText)
{
    Section* target = findSection(section);
    if (!target)
        target = &appendSection(section);

    for (QString& line : target->lines) {
        const auto keyLine = keyLineOf(line);
        if (keyLine && sameName(keyLine->key, key)) {
            line = keyLine->key.toString() + kEquals + valueText;
            return;
        }
    }

    auto insertAt = target->lines.end();
    while (insertAt != target->lines.begin() && isBlank(*(insertAt - 1)))
        --insertAt;
    target->lines.insert(insertAt, key + kEquals + valueText);
}

IniDocument::Section* IniDocument::findSection(QStringView name)
{
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

const IniDocument::Section* IniDocument::findSection(QStringView name) const
{
    const QStringView wanted = name.trimmed();
    for (const Section& section : m_sections) {
        if (sameName(section.name, wanted))
            return &section;
    }
    return nullptr;
}

IniDocument::Section& IniDocument::appendSection(const QString& name)
{
    std::vector<QString>& previous = lastLines();
    const bool documentEmpty = m_sections.empty() && m_leadingLines.empty();
    if (!documentEmpty && (previous.empty() || !isBlank(previous.back())))
        previous.emplace_back();
    m_sections.push_back({name, u'[' + name + u']', {}});
    return m_sections.back();
}

std::vector<QString>& IniDocument::lastLines()
{
    return m_sections.empty() ? m_leadingLines : m_sections.back().lines;
}
