#include "platform/pictures/invalid_picture_error.h"

InvalidPictureError::InvalidPictureError(const QString& detail)
    : UserError(QStringLiteral("Ungültiges Format...")), m_detail(detail)
{ }
