#pragma once

#include "platform/user_error.h"

// The content cannot be shown as a picture: unknown extension, a file its
// format rejects, corrupt or truncated data, or a picture too large to decode.
// The message is the status bar text; detail() says what was wrong.
class InvalidPictureError : public UserError {
public:
    explicit InvalidPictureError(const QString& detail);
    const QString& detail() const { return m_detail; }

private:
    QString m_detail;
};
