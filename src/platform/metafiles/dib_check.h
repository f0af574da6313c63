#pragma once

#include <QByteArrayView>

// Checks the device-independent bitmaps that metafiles embed, before a
// metafile library decodes them: a header of a kind Windows writes, one
// plane, a known depth, a positive size within the picture memory limit and
// a colour table that fits the depth and the bytes there are.
// `dib` starts at the bitmap's header. When `bitsAvailable` is not negative,
// uncompressed pixel rows must also fit in that many bytes.
bool isSoundDib(QByteArrayView dib, qint64 bitsAvailable = -1);
