#include "platform/pictures/unreadable_file_error.h"

UnreadableFileError::UnreadableFileError(const QString& fileName)
    : UserError(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden.").arg(fileName)),
      m_fileName(fileName)
{ }
