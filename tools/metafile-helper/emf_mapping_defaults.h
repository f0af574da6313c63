#pragma once

#include <string>

namespace helper {

// GDI starts every device context with window and viewport extents of
// (1, 1), so a metafile that switches to an isotropic or anisotropic mapping
// mode and sets only one of them (or neither) still draws at one logical unit
// per device pixel. libemf2svg treats a missing extent as zero and draws
// everything collapsed onto a point. This writes the implicit extents into
// the record stream, after each such SETMAPMODE, so the library sees them.
// `data` must hold a record stream whose sizes have been checked; the
// header's byte and record counts are updated.
void insertDefaultExtents(std::string& data);

}  // namespace helper
