#pragma once

#include "platform/profile/eight_bit_text.h"
#include "platform/profile/ini_document.h"

#include <QString>

#include <optional>

// One INI profile file, read and written key by key in the manner of the
// Windows profile functions:
//
// - section and key names match without regard to letter case;
// - writing a key replaces its value in its line; a new key goes to the end
//   of its section, a new section to the end of the file; every other line
//   (unknown keys, comments, blank lines) stays as it was, in its place;
// - writing to a missing file creates it;
// - values read are cut at MaxValueLength characters; surrounding blanks and
//   one pair of matching quotes around a value are removed.
//
// Files are 8-bit text with CR LF line ends. A new file is written as
// Windows-1252 ("?" for a character outside it); an existing file keeps the
// encoding it was read in (UTF-8 when its bytes are valid UTF-8).
//
// Every write replaces the file as a whole through a temporary file, so a
// crash or a full disk leaves the old file or the new one, never a mix. A
// write that fails throws TemplateWriteError. Use Batch to make many writes
// one replacement.
//
// A path that is not a regular file, or a file larger than MaxFileSize (not a
// profile, and too big to hold safely), reads as empty and is never written.
class IniProfile {
public:
    static constexpr qsizetype MaxValueLength = 2047;
    static constexpr qint64 MaxFileSize = 1024 * 1024;

    // `fileName` as given appears in error messages.
    explicit IniProfile(QString fileName);

    const QString& fileName() const { return m_fileName; }

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    // Decimal text with an optional sign, or "0x"/"0X" and hexadecimal
    // digits (taken as 32 bits, so "0xFFFFFFFF" is -1). Anything else, "12abc"
    // and numbers beyond 32 bits included, gives the default.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    // True when the integer read (default 1 or 0) is not 0.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;

    // Line breaks in the text are written as blanks, so a write always stays
    // one line.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    // Writes "1" or "0".
    void writeBool(const QString& section, const QString& key, bool value);

    // Holds the writes made while it lives and writes the file once, at
    // commit(). Reads see the held writes. Writes not committed when it ends
    // are dropped and the file stays as it was. A Batch opened while another
    // one is active joins it; only the outer one writes.
    class Batch {
    public:
        // Throws TemplateWriteError when the file exists but cannot be
        // taken over.
        explicit Batch(IniProfile& profile);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

        // Throws TemplateWriteError; the file then stays as it was.
        void commit();

    private:
        IniProfile& m_profile;
        bool m_outer;
    };

private:
    struct Contents {
        IniDocument document;
        TextEncoding encoding = TextEncoding::Windows1252;
    };

    std::optional<QString> rawValue(const QString& section, const QString& key) const;
    Contents loadForReading() const;
    Contents loadForWriting() const;
    static Contents parse(const QByteArray& bytes);
    void save(const Contents& contents) const;
    [[noreturn]] void throwWriteError() const;

    QString m_fileName;
    std::optional<Contents> m_batch;
};
