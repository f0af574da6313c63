#pragma once

#include <string>

namespace helper {

// GDI starts every device context with the stock white brush and black pen
// selected, so a metafile may fill and outline shapes before it selects
// either. libemf2svg starts with a black fill instead. This selects both
// stock objects right after the header, so the library sees them. `data`
// must hold a record stream whose sizes have been checked; the header's
// byte and record counts are updated.
void selectDefaultObjects(std::string& data);

}  // namespace helper
