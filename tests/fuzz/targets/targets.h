#pragma once

#include <QByteArrayView>

class VectorDrawing;

#include <cstdio>
#include <cstdlib>

// Entry points that feed one untrusted input to a reader of outside data, the
// way the program does. Each one returns normally for any input the reader
// either accepts or rejects with its documented error; a crash, a hang, a
// leak or a broken promise (fuzzCheck) is a bug. The same functions run
// under libFuzzer (tests/fuzz) and replay the kept inputs in the tests.
namespace fuzz {

void jpeg(QByteArrayView data);
void bitmap(QByteArrayView data);      // BMP and ICO
void emf(QByteArrayView data);         // the structure checks before the helper
void wmf(QByteArrayView data);         // the same, and the rewrite for libwmf
void qtPictures(QByteArrayView data);  // PNG, GIF, WebP, TIFF
void metadata(QByteArrayView data);    // EXIF orientation, HEIF boxes, the picture helper's output
void svg(QByteArrayView data);
void iniProfile(QByteArrayView data);
void settingsStore(QByteArrayView data);

// Draws the drawing into a small canvas, as a slot shows it.
void drawAsASlotDoes(const VectorDrawing& drawing);

// The target one fuzzing executable runs.
void fuzzedTarget(QByteArrayView data);

// A promise of the reader that does not hold for this input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

}  // namespace fuzz
