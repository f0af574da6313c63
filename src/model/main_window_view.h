#pragma once

#include "model/layout_box.h"

class Picture;

// What the settings side may read from the main window: its layout boxes,
// the check mark of its picture recognition items, and the pictures of its
// two slots (1: front, 2: back), for the previews and for printing.
class MainWindowView {
public:
    virtual bool layoutTicked(LayoutBox box) const = 0;
    virtual bool recognitionChecked() const = 0;
    virtual Picture slotPicture(int slot) const = 0;

protected:
    ~MainWindowView() = default;
};
