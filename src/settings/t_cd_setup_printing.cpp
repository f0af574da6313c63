// The settings window's print routines: a snapshot of its values, the
// main window's slot pictures and the current printer, handed to the sheets.
#include "settings/t_cd_setup.h"

#include "app/globals.h"
#include "platform/widgets/error_box.h"
#include "platform/pictures/picture.h"
#include "platform/widgets/spin_edit.h"
#include "platform/widgets/tabbed_pages.h"
#include "platform/printing/print_support.h"
#include "print/sheets.h"
#include "workspace/t_sleevix.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

struct NumberField {
    const char* control;
    int SheetSettings::*member;
};

struct BoxField {
    const char* control;
    bool SheetSettings::*member;
};

const NumberField kNumberFields[] = {
    {"spLeft", &SheetSettings::spLeft},       {"spTop", &SheetSettings::spTop},
    {"spMV", &SheetSettings::spMV},           {"spLeft2", &SheetSettings::spLeft2},
    {"spTop2", &SheetSettings::spTop2},       {"spMRB", &SheetSettings::spMRB},
    {"spMRH", &SheetSettings::spMRH},         {"spLeft2front", &SheetSettings::spLeft2front},
    {"spTop2Front", &SheetSettings::spTop2Front}, {"spMKB", &SheetSettings::spMKB},
    {"spDleft", &SheetSettings::spDleft},     {"spDTop", &SheetSettings::spDTop},
    {"spMDB", &SheetSettings::spMDB},         {"spMDH", &SheetSettings::spMDH},
    {"spCDLeft", &SheetSettings::spCDLeft},   {"spCDTop", &SheetSettings::spCDTop},
    {"spCDLeft2", &SheetSettings::spCDLeft2}, {"spCDTop2", &SheetSettings::spCDTop2},
    {"spMCD", &SheetSettings::spMCD},         {"spDVDLeft", &SheetSettings::spDVDLeft},
    {"spDVDTop", &SheetSettings::spDVDTop},   {"spMDVDB", &SheetSettings::spMDVDB},
    {"spMDVDH", &SheetSettings::spMDVDH},     {"spVHSLeft", &SheetSettings::spVHSLeft},
    {"spVHSTop", &SheetSettings::spVHSTop},   {"spMVHSB", &SheetSettings::spMVHSB},
    {"spMVHSH", &SheetSettings::spMVHSH},     {"spMCDLoch", &SheetSettings::spMCDLoch},
};

const BoxField kBoxFields[] = {
    {"cbUFront", &SheetSettings::cbUFront},     {"cbUBack", &SheetSettings::cbUBack},
    {"cbKnickTrennVR", &SheetSettings::cbKnickTrennVR}, {"cbUDouble", &SheetSettings::cbUDouble},
    {"cbKnickTrennD", &SheetSettings::cbKnickTrennD}, {"cbUDVD", &SheetSettings::cbUDVD},
    {"cbUVHS", &SheetSettings::cbUVHS},       {"cbCDRund", &SheetSettings::cbCDRund},
};

}  // namespace

SheetSettings TCDSetup::sheetSettings() const
{
    SheetSettings settings;
    for (const NumberField& field : kNumberFields)
        settings.*field.member = number(field.control);
    for (const BoxField& field : kBoxFields)
        settings.*field.member = isTicked(field.control);
    settings.secondFront = isTicked("cbSecFront") || (Sleevix && Sleevix->cbSecFront->isChecked());
    settings.secondPicture = Sleevix && Sleevix->cbSecIMG->isChecked();
    return settings;
}

std::function<void(PrintDevice&)> TCDSetup::sheetJob(SheetRoutine routine, bool test) const
{
    const SheetSettings settings = sheetSettings();
    const Picture front = Sleevix ? Sleevix->slotPicture(1) : Picture();
    const Picture back = Sleevix ? Sleevix->slotPicture(2) : Picture();
    return [=](PrintDevice& device) { routine(device, settings, front, back, test); };
}

void TCDSetup::printSheet(SheetRoutine routine, bool test)
{
    QWidget* parent = isVisible() ? static_cast<QWidget*>(this) : Sleevix;
    printSupport().print(parent, isTicked("cbSelPrinter"), sheetJob(routine, test), /*calibrated*/ true);
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
    const Print byPage[] = {nullptr, &TCDSetup::PrintFrontBack, &TCDSetup::PrintDouble,
                            &TCDSetup::PrintCDLabels, &TCDSetup::PrintDVD, &TCDSetup::PrintVHS};
    const int page = PageControl->currentIndex();
    if (page < PageFrontBack || page > PageVhs)
        return;
    runGuarded(this, [this, print = byPage[page]] { (this->*print)(true); });
}
