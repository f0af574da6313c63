#pragma once

#include "platform/user_error.h"

// The file itself cannot be read: missing, no permission, a directory or
// another kind of non-regular file, or a read error.
class UnreadableFileError : public UserError {
public:
    explicit UnreadableFileError(const QString& fileName);
    const QString& fileName() const { return m_fileName; }

private:
    QString m_fileName;
};
