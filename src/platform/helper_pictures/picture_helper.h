#pragma once

#include "platform/metafiles/metafile_helper.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

// Runs the picture helper program (tools/picture-helper), which decodes
// HEIC, HEIF, AVIF and PDF pictures with libheif and Qt PDF. Those libraries
// are not safe on hostile files, so they run in that short-lived process,
// with the limits on time, memory and output of the metafile helper.
class PictureHelper {
public:
    static constexpr char kProgramName[] = "sleevix-picture-helper";

    // Beside the program, then in the installed helpers' folder.
    static QString locate();

    explicit PictureHelper(QString program = locate(), MetafileHelperLimits limits = {});

    // Each throws InvalidPictureError when the helper fails, crashes,
    // exceeds a limit, cannot be started or writes something unexpected.
    QImage heifImage(const QByteArray& file) const;    // turned as the file says
    QSizeF pdfPageSize(const QByteArray& file) const;  // points
    QImage pdfPage(const QByteArray& file, const QSize& pixels) const;

private:
    QByteArray run(const QStringList& arguments, const QByteArray& input) const;

    MetafileHelper m_process;
};
