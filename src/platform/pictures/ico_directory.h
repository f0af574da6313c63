#pragma once

#include <QByteArray>
#include <QSize>

#include <vector>

// One picture of an icon file.
struct IcoEntry {
    int index = 0;
    QSize size;
    int depth = 0;  // bits per pixel
};

// The directory of an ICO file, checked against each entry's own bitmap or
// PNG header before anything is decoded: every entry must lie inside the
// file and its header must agree with the directory, so that a small file
// cannot make a decoder allocate a huge picture. Throws InvalidPictureError.
class IcoDirectory {
public:
    explicit IcoDirectory(const QByteArray& data);

    const std::vector<IcoEntry>& entries() const { return m_entries; }

    // The entry with the most pixels; among those the deepest, then the first.
    IcoEntry largest() const;

private:
    std::vector<IcoEntry> m_entries;
};
