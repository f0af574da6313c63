#pragma once

#include "model/layout_box.h"

// What the settings side may do to the main window: tick its layout boxes,
// each change switching the layout as a click would, and set the check mark
// of its picture recognition items.
class MainWindowControl {
public:
    virtual void setLayoutTicked(LayoutBox box, bool ticked) = 0;
    virtual void setRecognitionChecked(bool checked) = 0;

protected:
    ~MainWindowControl() = default;
};
