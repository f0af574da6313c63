#include "support/sheet_settings.h"

namespace testenv {

SheetSettings standardSheetSettings()
{
    SheetSettings s;
    s.spLeft = 50;
    s.spTop = 10;
    s.spMV = 120;
    s.spLeft2 = 36;
    s.spTop2 = 130;
    s.spMRB = 152;
    s.spMRH = 118;
    s.spLeft2front = 50;
    s.spTop2Front = 130;
    s.spMKB = 7;
    s.cbUFront = s.cbUBack = s.cbKnickTrennVR = true;
    s.spDleft = 30;
    s.spDTop = 30;
    s.spMDB = 241;
    s.spMDH = 120;
    s.cbUDouble = s.cbKnickTrennD = true;
    s.spCDLeft = 50;
    s.spCDTop = 12;
    s.spCDLeft2 = 50;
    s.spCDTop2 = 160;
    s.spMCD = 117;
    s.spDVDLeft = 10;
    s.spDVDTop = 10;
    s.spMDVDB = 273;
    s.spMDVDH = 184;
    s.cbUDVD = true;
    s.spVHSLeft = 10;
    s.spVHSTop = 10;
    s.spMVHSB = 265;
    s.spMVHSH = 191;
    s.cbUVHS = true;
    return s;
}

}  // namespace testenv
