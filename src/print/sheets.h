#pragma once

class Picture;
class PrintDevice;

// Every setting the sheet routines read, as the settings window's controls
// hold it at the moment of printing. Lengths are whole millimetres; positions
// are measured from the paper's left and top edge. Fields left unset hold
// their control's lower bound.
struct SheetSettings {
    // Front and back of a jewel case.
    int spLeft = 0;
    int spTop = 0;
    int spMV = 1;
    int spLeft2 = 0;
    int spTop2 = 0;
    int spMRB = 1;
    int spMRH = 1;
    int spLeft2front = 0;
    int spTop2Front = 0;
    int spMKB = 1;
    bool cbUFront = false;
    bool cbUBack = false;
    bool cbKnickTrennVR = false;
    // Layout modifier: a second front page instead of the back page (on when
    // either the main window's or the settings window's box is ticked).
    bool secondFront = false;

    // Folded front.
    int spDleft = 0;
    int spDTop = 0;
    int spMDB = 1;
    int spMDH = 1;
    bool cbUDouble = false;
    bool cbKnickTrennD = false;
    // Layout modifier: two pictures side by side (main window's box only).
    bool secondPicture = false;

    // CD labels.
    int spCDLeft = 0;
    int spCDTop = 0;
    int spCDLeft2 = 0;
    int spCDTop2 = 0;
    int spMCD = 1;
    // Round labels: the picture clipped to the disc, a blank centre hole of
    // this diameter (0: none).
    bool cbCDRund = false;
    int spMCDLoch = 0;

    // DVD cover.
    int spDVDLeft = 0;
    int spDVDTop = 0;
    int spMDVDB = 1;
    int spMDVDH = 1;
    bool cbUDVD = false;

    // VHS cover.
    int spVHSLeft = 0;
    int spVHSTop = 0;
    int spMVHSB = 1;
    int spMVHSH = 1;
    bool cbUVHS = false;
};

// The five sheets. Each prints one page on `device`: it titles the job
// ("Ausdruck", or "Testausdruck" for a test print, followed by the sheet's
// name), sets the orientation, starts the job, draws the items and ends the
// job. `image1` is the front slot's picture, `image2` the back slot's; an
// empty picture leaves its item blank. A test print draws only outlines and
// fold guides. When drawing fails, the job is aborted and the error passed on.
void PrintFrontBack(PrintDevice& device, const SheetSettings& settings, const Picture& image1,
                    const Picture& image2, bool test);
void PrintDouble(PrintDevice& device, const SheetSettings& settings, const Picture& image1,
                 const Picture& image2, bool test);
void PrintCDLabels(PrintDevice& device, const SheetSettings& settings, const Picture& image1,
                   const Picture& image2, bool test);
void PrintDVD(PrintDevice& device, const SheetSettings& settings, const Picture& image1,
              const Picture& image2, bool test);
void PrintVHS(PrintDevice& device, const SheetSettings& settings, const Picture& image1,
              const Picture& image2, bool test);
