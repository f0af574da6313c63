#include "print/sheets.h"

#include "platform/pictures/picture.h"
#include "platform/printing/print_device.h"
#include "print/print_geometry.h"

#include <QString>

namespace {

using Orientation = PrintDevice::Orientation;

// Titles, orients, starts and ends one job around `drawItems`. A job whose
// drawing fails is aborted, so that nothing half-printed reaches the queue.
template <typename DrawItems>
void runJob(PrintDevice& device, const QString& sheetName, Orientation orientation, bool test,
            DrawItems drawItems)
{
    device.setTitle((test ? QStringLiteral("Testausdruck") : QStringLiteral("Ausdruck"))
                    + sheetName);
    device.setOrientation(orientation);
    PrintJob job(device);
    job.StartPrintJob();
    try {
        drawItems(job);
        device.endDoc();
    } catch (...) {
        device.abortDoc();
        throw;
    }
}

// A page of the front/back sheet: its outline in a test print; otherwise the
// picture, with the frame drawn over it.
void drawCasePage(const PrintJob& job, const PrintRect& page, const Picture& picture, bool framed,
                  bool test)
{
    if (test) {
        job.rectangle(page);
    } else if (!picture.isEmpty()) {
        job.stretchDraw(page, picture);
        job.device().setBrushClear();
        if (framed)
            job.rectangle(page);
    }
}

bool showsBackFoldGuides(const SheetSettings& s, const Picture& image2, bool test)
{
    if (s.secondFront || !s.cbKnickTrennVR)
        return false;
    return test || (s.cbUBack && !image2.isEmpty());
}

// Two vertical lines `distanceMm` inside the back page's left and right edge,
// reaching one unit beyond its top and bottom.
void drawBackFoldGuides(const PrintJob& job, const PrintRect& back, int distanceMm)
{
    const int distance = job.MmLenX(distanceMm);
    for (const int x : {back.Left + distance - 1, back.Right + 1 - distance}) {
        job.device().moveTo(x, back.Top - 1);
        job.device().lineTo(x, back.Bottom + 1);
    }
}

// A CD label: its circle in a test print, otherwise the whole picture over
// the label's bounding square. A round label clips the picture to the circle
// and leaves its centre hole blank; its test print shows the hole too.
void drawLabel(const PrintJob& job, const PrintRect& square, const Picture& picture,
               const SheetSettings& s, bool test)
{
    const bool hole = s.cbCDRund && s.spMCDLoch > 0;
    if (test) {
        job.ellipse(square);
        if (hole)
            job.ellipse(job.centredSquare(square, s.spMCDLoch));
        return;
    }
    if (picture.isEmpty())
        return;
    if (!s.cbCDRund) {
        job.stretchDraw(square, picture);
        return;
    }
    job.stretchDrawRound(square, picture);
    if (hole)
        job.clearEllipse(job.centredSquare(square, s.spMCDLoch));
}

// The settings that tell the DVD cover from the VHS cover.
struct CoverSheet {
    const char16_t* name;
    int SheetSettings::*left;
    int SheetSettings::*top;
    int SheetSettings::*width;
    int SheetSettings::*height;
    bool SheetSettings::*framed;
};

constexpr CoverSheet dvdCover{u" DVD von Sleevix",      &SheetSettings::spDVDLeft,
                              &SheetSettings::spDVDTop, &SheetSettings::spMDVDB,
                              &SheetSettings::spMDVDH,  &SheetSettings::cbUDVD};
constexpr CoverSheet vhsCover{u" VHS von Sleevix",      &SheetSettings::spVHSLeft,
                              &SheetSettings::spVHSTop, &SheetSettings::spMVHSB,
                              &SheetSettings::spMVHSH,  &SheetSettings::cbUVHS};

// A cover printed from one picture: the frame (if ticked) on the cover's
// edge and the picture one unit inside it; the outline alone in a test print
// or without a picture.
void printCover(const CoverSheet& cover, PrintDevice& device, const SheetSettings& s,
                const Picture& image1, bool test)
{
    runJob(
        device, QString::fromUtf16(cover.name), Orientation::Landscape, test, [&](PrintJob& job) {
            PrintRect rect = job.item(s.*cover.left, s.*cover.top, s.*cover.width, s.*cover.height);
            if (test || image1.isEmpty()) {
                job.rectangle(rect);
                return;
            }
            if (s.*cover.framed)
                job.rectangle(rect);
            rect.inset(1);
            job.stretchDraw(rect, image1);
        });
}

}  // namespace

void PrintFrontBack(PrintDevice& device, const SheetSettings& s, const Picture& image1,
                    const Picture& image2, bool test)
{
    runJob(device, QStringLiteral(" Vorder-Rückseite von Sleevix"), Orientation::Portrait, test,
           [&](PrintJob& job) {
               const PrintRect front = job.item(s.spLeft, s.spTop, s.spMV, s.spMV);
               drawCasePage(job, front, image1, s.cbUFront, test);
               const PrintRect back = s.secondFront
                   ? job.item(s.spLeft2front, s.spTop2Front, s.spMV, s.spMV)
                   : job.item(s.spLeft2, s.spTop2, s.spMRB, s.spMRH);
               drawCasePage(job, back, image2, s.cbUBack, test);
               if (showsBackFoldGuides(s, image2, test))
                   drawBackFoldGuides(job, back, s.spMKB);
           });
}

void PrintDouble(PrintDevice& device, const SheetSettings& s, const Picture& image1,
                 const Picture& image2, bool test)
{
    runJob(device, QStringLiteral(" Doppelseite von Sleevix"), Orientation::Landscape, test,
           [&](PrintJob& job) {
               PrintRect rect = job.item(s.spDleft, s.spDTop, s.spMDB, s.spMDH);
               const int half = job.halfWidthX(s.spMDB);
               if (test || image1.isEmpty()) {
                   job.rectangle(rect);
               } else {
                   if (s.cbUDouble)
                       job.rectangle(rect);
                   if (s.secondPicture)
                       rect.Right = rect.Left + half;
                   rect.inset(1);
                   job.stretchDraw(rect, image1);
                   if (s.secondPicture && !image2.isEmpty()) {
                       rect.Left = rect.Right;
                       rect.Right = rect.Left + half - 1;
                       job.stretchDraw(rect, image2);
                   }
               }
               // The fold runs through the sheet's middle, where two pictures
               // meet; its ends follow the edges left in `rect`.
               const int foldX = job.MmPosX(s.spDleft) + half - 1;
               job.device().moveTo(foldX, rect.Top - 1);
               if (s.cbKnickTrennD)
                   job.device().lineTo(foldX, rect.Bottom + 1);
           });
}

void PrintCDLabels(PrintDevice& device, const SheetSettings& s, const Picture& image1,
                   const Picture& image2, bool test)
{
    runJob(device, QStringLiteral(" CD Labels von Sleevix"), Orientation::Portrait, test,
           [&](PrintJob& job) {
               drawLabel(job, job.item(s.spCDLeft, s.spCDTop, s.spMCD, s.spMCD), image1, s, test);
               drawLabel(job, job.item(s.spCDLeft2, s.spCDTop2, s.spMCD, s.spMCD), image2, s, test);
           });
}

void PrintDVD(PrintDevice& device, const SheetSettings& settings, const Picture& image1,
              const Picture& /*image2*/, bool test)
{
    printCover(dvdCover, device, settings, image1, test);
}

void PrintVHS(PrintDevice& device, const SheetSettings& settings, const Picture& image1,
              const Picture& /*image2*/, bool test)
{
    printCover(vhsCover, device, settings, image1, test);
}
