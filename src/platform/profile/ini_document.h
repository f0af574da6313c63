#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// The lines of an INI text, grouped by section, with lookup and in-place
// update. Lines that are neither section headers nor "key=value" (comments,
// blank lines, anything unreadable) are kept verbatim, in their place.
//
// Section and key names are matched without regard to letter case; when a
// name occurs twice, the first occurrence counts.
class IniDocument {
public:
    static IniDocument parse(QStringView text);

    // The whole text, every line ended by CR LF.
    QString serialize() const;

    // The text right of the "=", blanks around it removed; nothing when the
    // section or key is missing.
    std::optional<QString> value(QStringView section, QStringView key) const;

    // Replaces the key's value in its line, or appends "key=value" after the
    // last non-blank line of the section; a missing section is appended at
    // the end, after a blank line. The value text is written as given.
    void setValue(const QString& section, const QString& key, const QString& valueText);

private:
    struct Section {
        QString name;
        QString header;
        std::vector<QString> lines;
    };

    Section* findSection(QStringView name);
    const Section* findSection(QStringView name) const;
    Section& appendSection(const QString& name);
    std::vector<QString>& lastLines();

    std::vector<QString> m_leadingLines;  // lines before the first section
    std::vector<Section> m_sections;
};
