// The settings window's print routines: a snapshot of its values, the
// main window's slot pictures and the current printer, handed to the sheets.
#include "model/main_window_view.h"
#include "platform/pictures/picture.h"
#include "platform/printing/print_support.h"
#include "platform/widgets/error_box.h"
#include "platform/widgets/tabbed_pages.h"
#include "print/sheets.h"
#include "settings/t_cd_setup.h"

#include <QPushButton>

namespace {

using L = Length;
using C = Check;

struct LengthField {
    Length setting;
    int SheetSettings::*member;
};

struct BoxField {
    Check setting;
    bool SheetSettings::*member;
};

const LengthField kLengthFields[] = {
    {L::spLeft, &SheetSettings::spLeft},
    {L::spTop, &SheetSettings::spTop},
    {L::spMV, &SheetSettings::spMV},
    {L::spLeft2, &SheetSettings::spLeft2},
    {L::spTop2, &SheetSettings::spTop2},
    {L::spMRB, &SheetSettings::spMRB},
    {L::spMRH, &SheetSettings::spMRH},
    {L::spLeft2front, &SheetSettings::spLeft2front},
    {L::spTop2Front, &SheetSettings::spTop2Front},
    {L::spMKB, &SheetSettings::spMKB},
    {L::spDleft, &SheetSettings::spDleft},
    {L::spDTop, &SheetSettings::spDTop},
    {L::spMDB, &SheetSettings::spMDB},
    {L::spMDH, &SheetSettings::spMDH},
    {L::spCDLeft, &SheetSettings::spCDLeft},
    {L::spCDTop, &SheetSettings::spCDTop},
    {L::spCDLeft2, &SheetSettings::spCDLeft2},
    {L::spCDTop2, &SheetSettings::spCDTop2},
    {L::spMCD, &SheetSettings::spMCD},
    {L::spDVDLeft, &SheetSettings::spDVDLeft},
    {L::spDVDTop, &SheetSettings::spDVDTop},
    {L::spMDVDB, &SheetSettings::spMDVDB},
    {L::spMDVDH, &SheetSettings::spMDVDH},
    {L::spVHSLeft, &SheetSettings::spVHSLeft},
    {L::spVHSTop, &SheetSettings::spVHSTop},
    {L::spMVHSB, &SheetSettings::spMVHSB},
    {L::spMVHSH, &SheetSettings::spMVHSH},
    {L::spMCDLoch, &SheetSettings::spMCDLoch},
};

const BoxField kBoxFields[] = {
    {C::cbUFront, &SheetSettings::cbUFront},
    {C::cbUBack, &SheetSettings::cbUBack},
    {C::cbKnickTrennVR, &SheetSettings::cbKnickTrennVR},
    {C::cbUDouble, &SheetSettings::cbUDouble},
    {C::cbKnickTrennD, &SheetSettings::cbKnickTrennD},
    {C::cbUDVD, &SheetSettings::cbUDVD},
    {C::cbUVHS, &SheetSettings::cbUVHS},
    {C::cbCDRund, &SheetSettings::cbCDRund},
};

}  // namespace

SheetSettings TCDSetup::sheetSettings() const
{
    SheetSettings sheet;
    for (const LengthField& field : kLengthFields)
        sheet.*field.member = m_settings.length(field.setting);
    for (const BoxField& field : kBoxFields)
        sheet.*field.member = m_settings.ticked(field.setting);
    sheet.secondFront
        = m_settings.ticked(C::cbSecFront) || m_mainWindowView.layoutTicked(LayoutBox::SecondFront);
    sheet.secondPicture = m_mainWindowView.layoutTicked(LayoutBox::SecondPicture);
    return sheet;
}

std::function<void(PrintDevice&)> TCDSetup::sheetJob(SheetRoutine routine, bool test) const
{
    const SheetSettings settings = sheetSettings();
    const Picture front = m_mainWindowView.slotPicture(1);
    const Picture back = m_mainWindowView.slotPicture(2);
    return [=](PrintDevice& device) { routine(device, settings, front, back, test); };
}

void TCDSetup::printSheet(SheetRoutine routine, bool test)
{
    // The run-long window is never shown: its dialogs belong to its parent.
    QWidget* parent = isVisible() ? this : parentWidget();
    printSupport().print(parent, m_settings.ticked(Check::cbSelPrinter), sheetJob(routine, test),
                         /*calibrated*/ true);
}

void TCDSetup::PrintFrontBack(bool Test)
{
    printSheet(&::PrintFrontBack, Test);
}

void TCDSetup::PrintDouble(bool Test)
{
    printSheet(&::PrintDouble, Test);
}

void TCDSetup::PrintCDLabels(bool Test)
{
    printSheet(&::PrintCDLabels, Test);
}

void TCDSetup::PrintDVD(bool Test)
{
    printSheet(&::PrintDVD, Test);
}

void TCDSetup::PrintVHS(bool Test)
{
    printSheet(&::PrintVHS, Test);
}

void TCDSetup::bTestDruckClick()
{
    using Print = void (TCDSetup::*)(bool);
    const Print byPage[] = {nullptr,
                            &TCDSetup::PrintFrontBack,
                            &TCDSetup::PrintDouble,
                            &TCDSetup::PrintCDLabels,
                            &TCDSetup::PrintDVD,
                            &TCDSetup::PrintVHS};
    const int page = PageControl->currentIndex();
    if (page < PageFrontBack || page > PageVhs)
        return;
    runGuarded(this, [this, print = byPage[page]] { (this->*print)(true); });
}
