#pragma once

#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/pictures/picture.h"

#include <QByteArray>
#include <QString>

class MetafileHelper;

// Decodes an enhanced ("emf") or Windows ("wmf") metafile into a picture
// that draws as vectors, with the file's stored size at 96 dpi. Throws
// InvalidMetafileError for a file that is broken, that the libraries reject
// or that makes the converter crash or hang, and for any other extension.
Picture decodeMetafile(const QByteArray& data, const QString& extensionLowercase);
Picture decodeMetafile(const QByteArray& data, const QString& extensionLowercase,
                       const MetafileHelper& helper);
