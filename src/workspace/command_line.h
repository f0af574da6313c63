#pragma once

#include <QStringList>

// What the program was started with: `sleevix [open] [FILE...]`. A first
// argument that is exactly "open" asks for the picture folder in the file
// manager; every other argument names a picture file.
class CommandLine {
public:
    CommandLine() = default;
    // `arguments` as QCoreApplication::arguments() gives them, the program
    // first.
    explicit CommandLine(const QStringList& arguments);

    bool opensPictureFolder() const { return m_opensPictureFolder; }
    // The picture files, as absolute paths: a later start hands them to the
    // running instance, whose working folder may be another.
    const QStringList& pictureFiles() const { return m_pictureFiles; }

private:
    bool m_opensPictureFolder = false;
    QStringList m_pictureFiles;
};
