// Test and benchmark programs link the code of the program's modules in
// (see src/platform/modules.h) instead of loading it; this object, linked
// into every one of them, hands it over before main() runs.
#include "platform/pictures/picture_codecs.h"
#include "platform/printing/print_support.h"

namespace {

[[maybe_unused]] const bool g_handedOver = [] {
    usePrintSupport(*sleevix_print_support());
    usePictureCodecs(*sleevix_picture_codecs());
    return true;
}();

}  // namespace
