#pragma once

#include <functional>

class PrintDevice;

// One sheet, ready to be drawn on a device.
using SheetJob = std::function<void(PrintDevice&)>;
