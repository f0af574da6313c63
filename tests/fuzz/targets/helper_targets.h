#pragma once

#include <QByteArrayView>

// The helpers' converters, run in-process on what the program would
// hand them, followed by what the program does with their SVG. Only the
// fuzzing build has them: the program itself runs them in the helper
// process.
namespace fuzz {

void emfHelper(QByteArrayView data);
void wmfHelper(QByteArrayView data);
// The picture helper's decoders, in-process, with what the program does
// with their output.
void heifHelper(QByteArrayView data);
void pdfHelper(QByteArrayView data);

}  // namespace fuzz
