#pragma once

#include "print/sheets.h"

namespace testenv {

// The sheet settings of a fresh installation: the worked print examples are
// computed from these.
SheetSettings standardSheetSettings();

}  // namespace testenv
