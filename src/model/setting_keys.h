#pragma once

// The persisted settings, each named after the settings window's control
// that shows it. A check box holds a tick, a spin field a length in whole
// millimetres, a text field a folder.
enum class Check {
    cbUFront,
    cbUBack,
    cbUDouble,
    cbAutosave,
    cbAutoFormat,
    cbKnickTrennVR,
    cbKnickTrennD,
    cbSelPrinter,
    cbUDVD,
    cbUVHS,
    cbMVorlagen,
    cbCDRund,
    // The layout modifiers: written to the store, but the main window reads
    // them back, not the settings.
    cbSecFront,
    cbSecImg,
    Count
};

enum class Length {
    // Positions: distances from the paper's left and top edge, no limits.
    spLeft,
    spTop,
    spLeft2,
    spTop2,
    spLeft2front,
    spTop2Front,
    spDleft,
    spDTop,
    spCDTop,
    spCDLeft,
    spCDTop2,
    spCDLeft2,
    spDVDLeft,
    spDVDTop,
    spVHSLeft,
    spVHSTop,
    // Sizes, each within its limits.
    spMV,
    spMRB,
    spMRH,
    spMKB,
    spMCD,
    spMDB,
    spMDH,
    spMDVDB,
    spMDVDH,
    spMVHSB,
    spMVHSH,
    spMCDLoch,
    Count
};

enum class Folder { eDaten, eLabels, Count };
