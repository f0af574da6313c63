#pragma once

#include <QByteArray>

class WmfFile;

// The metafile rewritten for libwmf, which is stricter than Windows in some
// places and forgets state in others:
// - region records it cannot read become empty regions, because one bad
//   region makes it give up on the whole file;
// - after each SAVEDC the colours, background mode, fill mode, raster
//   operation and text alignment are set again, because libwmf resets them
//   to their defaults there;
// - a white solid brush is selected before the first record, because
//   libwmf starts without one where Windows starts with the white stock
//   brush; it keeps the first place of the object table, so every object
//   index of the file moves up by one;
// - an EOF record ends the records, and the header's sizes and the
//   placeable header's checksum are computed afresh.
QByteArray libwmfInput(const WmfFile& file);
