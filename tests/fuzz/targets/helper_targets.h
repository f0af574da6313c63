#pragma once

#include <QByteArrayView>

// The metafile helper's converters, run in-process on what the program would
// hand them, followed by what the program does with their SVG. Only the
// fuzzing build has them: the program itself runs them in the helper
// process.
namespace fuzz {

void emfHelper(QByteArrayView data);
void wmfHelper(QByteArrayView data);
// The picture helper's formats through the helper process, as the program
// reads them, and what the program does with the pictures.
void heifHelper(QByteArrayView data);
void pdfHelper(QByteArrayView data);

}  // namespace fuzz
