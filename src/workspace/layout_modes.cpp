// The layout state machine of the main window: what each layout box does to
// panels, captions, hints and visibility. Every box runs its handler on each
// real change of its tick (toggled), so handlers that clear another box run
// that box's handler in the middle of their own steps.
#include "model/program_values.h"
#include "platform/widgets/image_view.h"
#include "workspace/slot_panel.h"
#include "workspace/status_bar.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

namespace hint {
const char* const P1front = "Doppelklick zum öffnen der Dateiliste für die Vorderseite";
const char* const P1double = "Doppelklick zum öffnen der Dateiliste für die Doppelseite";
const char* const P1cd = "Doppelklick zum öffnen der Dateiliste für die 1. CD";
const char* const P1dvd = "Doppelklick zum öffnen der Dateiliste für die DVD";
const char* const P1vhs = "Doppelklick zum öffnen der Dateiliste für die VHS";
const char* const P2back = "Doppelklick zum öffnen der Dateiliste für die Rückseite";
const char* const P2cd = "Doppelklick zum öffnen der Dateiliste für die 2. CD";
const char* const P2front2 = "Doppelklick zum öffnen der Dateiliste für die 2. Vorderseite";
const char* const T1front = "Ab in den Müll mit der Vorderseite";
const char* const T1double = "Ab in den Müll mit der Doppelseite";
const char* const T1page1 = "Ab in den Müll mit der 1. Seite der Doppelseite";
const char* const T1cd = "Ab in den Müll mit der 1. CD";
const char* const T1dvd = "Ab in den Müll mit der DVD";
const char* const T1vhs = "Ab in den Müll mit der VHS";
const char* const T2back = "Ab in den Müll mit der Rückseite";
const char* const T2page2 = "Ab in den Müll mit der 2. Seite der Doppelseite";
const char* const T2cd = "Ab in den Müll mit der 2. CD";
const char* const T2front2 = "Ab in den Müll mit der 2. Vorderseite";
}  // namespace hint

void setHint(QWidget* widget, const char* text)
{
    widget->setToolTip(QString::fromUtf8(text));
}

void setCaption(QPushButton* button, const char* text)
{
    button->setText(QString::fromUtf8(text));
}

void clearIfTicked(QCheckBox* box)
{
    if (box->isChecked())
        box->setChecked(false);
}

bool shown(const QWidget* widget)
{
    return !widget->isHidden();
}

void setLeft(QWidget* widget, int left)
{
    widget->move(left, widget->y());
}

void setWidth(QWidget* widget, int width)
{
    widget->resize(width, widget->height());
}

// What differs between the DVD and the VHS cover layouts.
struct CoverLayout {
    int panelWidth;
    const char* frontCaption;
    const char* panelHint;
    const char* trashHint;
};

const CoverLayout kDvdLayout{410, "D&VD", hint::P1dvd, hint::T1dvd};
const CoverLayout kVhsLayout{390, "&VHS", hint::P1vhs, hint::T1vhs};

}  // namespace

void TSleevix::connectLayoutHandlers()
{
    connect(cbDouble, &QCheckBox::toggled, this, &TSleevix::cbDoubleClick);
    connect(cbSecIMG, &QCheckBox::toggled, this, &TSleevix::cbSecIMGClick);
    connect(cbCD, &QCheckBox::toggled, this, &TSleevix::cbCDClick);
    connect(cbSecFront, &QCheckBox::toggled, this, &TSleevix::cbSecFrontClick);
    connect(cbDVD, &QCheckBox::toggled, this, &TSleevix::cbDVDClick);
    connect(cbVHS, &QCheckBox::toggled, this, &TSleevix::cbVHSClick);
    connect(sbDouble, &QToolButton::clicked, this, &TSleevix::sbDoubleClick);
    connect(sbCD, &QToolButton::clicked, this, &TSleevix::sbCDClick);
    connect(spDVD, &QToolButton::clicked, this, &TSleevix::spDVDClick);
    connect(spVHS, &QToolButton::clicked, this, &TSleevix::spVHSClick);
    connect(sbFront, &QToolButton::clicked, this, &TSleevix::sbFrontClick);
    connect(sbBack, &QToolButton::clicked, this, &TSleevix::sbBackClick);
    connect(mFront, &QAction::triggered, this, &TSleevix::mFrontClick);
    connect(mBack, &QAction::triggered, this, &TSleevix::mBackClick);
    connect(mDoppel, &QAction::triggered, this, &TSleevix::mDoppelClick);
    connect(mCD, &QAction::triggered, this, &TSleevix::mCDClick);
    connect(mDVD, &QAction::triggered, this, &TSleevix::mDVDClick);
    connect(mVHS, &QAction::triggered, this, &TSleevix::spVHSClick);
    connect(sbKonfig, &QToolButton::clicked, this, &TSleevix::sbKonfigClick);
    connect(mKonfig, &QAction::triggered, this, &TSleevix::sbKonfigClick);
    connect(popupItem(1, kSettingsItem), &QAction::triggered, this, &TSleevix::sbKonfigClick);
    connect(popupItem(2, kSettingsItem), &QAction::triggered, this, &TSleevix::sbKonfigClick);
}

// --- Shared steps ------------------------------------------------------------

void TSleevix::centreTrash(int slot)
{
    QWidget* panel = slot == 1 ? Panel1 : Panel2;
    QToolButton* trash = slot == 1 ? sbTrash1 : sbTrash2;
    setLeft(trash, panel->x() + (panel->width() - trash->width()) / 2);
}

void TSleevix::statusSplit()
{
    statusBarPanels->setPanelWidth(1, Panel2->x() - 8);
}

void TSleevix::focusAway()
{
    statusBarPanels->setFocus(Qt::OtherFocusReason);
}

void TSleevix::recognitionItemRule(std::initializer_list<QCheckBox*> boxes)
{
    bool noneTicked = true;
    for (QCheckBox* box : boxes)
        noneTicked = noneTicked && !box->isChecked();
    popupItem(1, kRecognitionItem)->setEnabled(noneTicked);
    popupItem(2, kRecognitionItem)->setEnabled(noneTicked);
}

void TSleevix::resetUnfoldedFrame()
{
    setLeft(Panel2, 294);
    setWidth(Panel2, 312);
    setLeft(cbSecIMG, cbSecFront->x() - 2);
    setCaption(bFront, "&Vorderseite");
    setHint(Panel1, hint::P1front);
    setHint(sbTrash1, hint::T1front);
    setLeft(Panel1, 8);
    setWidth(Panel1, 250);
}

// The second front box and slot 2 with its panel, buttons and paste button.
void TSleevix::showBackControls(bool visible)
{
    for (QWidget* widget : {static_cast<QWidget*>(cbSecFront), static_cast<QWidget*>(Image2),
                            static_cast<QWidget*>(Panel2), static_cast<QWidget*>(sbTrash2),
                            static_cast<QWidget*>(sbClipbrd2), static_cast<QWidget*>(bBack)})
        widget->setVisible(visible);
}

// A circle over the slot shows where the round label's edge will be. White
// is the overlay's transparent colour, so only the line shows.
void TSleevix::drawCdOutline(ImageView* overlay)
{
    QImage canvas = overlay->picture().isEmpty()
        ? QImage(overlay->size(), QImage::Format_RGB32)
        : overlay->picture().image().convertToFormat(QImage::Format_RGB32);
    if (overlay->picture().isEmpty())
        canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRect(0, 0, canvas.width() - 1, canvas.height() - 1));
    painter.end();
    overlay->setPicture(Picture::fromImage(canvas));
}

// --- Layout box handlers -------------------------------------------------------

void TSleevix::cbDoubleClick()
{
    const bool folded = cbDouble->isChecked();
    resetUnfoldedFrame();
    cbSecIMG->setVisible(folded);
    if (folded) {
        clearIfTicked(cbDVD);
        clearIfTicked(cbVHS);
        if (cbCD->isChecked()) {
            cbCD->setChecked(false);
            cbSecFront->hide();
        }
        setLeft(Panel1, 60);
        setCaption(bFront, "Do&ppelseite");
        setHint(Panel1, hint::P1double);
        setHint(sbTrash1, hint::T1double);
    }
    showBackControls(!folded);
    setLeft(bFront, Panel1->x());
    centreTrash(1);
    if (folded)
        cbSecIMGClick();
    else
        cbSecFrontClick();
    statusSplit();
    focusAway();
    recognitionItemRule({cbCD, cbDouble, cbSecFront});
}

void TSleevix::cbSecIMGClick()
{
    if (!cbDouble->isChecked())
        return;
    setHint(sbTrash1, hint::T1double);
    sbClipbrd2->setVisible(false);
    setHint(sbTrash2, hint::T2back);
    setCaption(bFront, "Do&ppelseite");
    setLeft(Panel1, 60);
    setWidth(Panel1, 500);
    setCaption(bBack, "&Rückseite");
    const bool twoPictures = cbSecIMG->isChecked();
    if (twoPictures) {
        sbClipbrd2->setVisible(true);
        setHint(sbTrash1, hint::T1page1);
        setHint(sbTrash2, hint::T2page2);
        setCaption(bFront, "&1. Seite");
        setWidth(Panel1, 250);
        setLeft(Panel2, Panel1->x() + Panel1->width() - 4);
        setWidth(Panel2, Panel1->width());
        setCaption(bBack, "&2. Seite");
    }
    Panel2->setVisible(twoPictures);
    Image2->setVisible(twoPictures);
    sbTrash2->setVisible(twoPictures);
    setLeft(bBack, Panel2->x());
    bBack->setVisible(shown(Panel2));
    centreTrash(1);
    centreTrash(2);
    statusSplit();
}

void TSleevix::cbCDClick()
{
    const bool cd = cbCD->isChecked();
    setHint(Panel1, hint::P1front);
    setHint(Panel2, hint::P2back);
    setHint(sbTrash1, hint::T1front);
    setHint(sbTrash2, hint::T2back);
    cbSecFront->setVisible(!cd);
    Image3->setVisible(cd);
    Image4->setVisible(cd);
    setCaption(bFront, "&Vorderseite");
    setCaption(bBack, "&Rückseite");
    setWidth(Panel1, 250);
    setLeft(Panel2, cbSecFront->isChecked() ? 314 : 298);
    setWidth(Panel2, cbSecFront->isChecked() ? Panel1->width() : 312);
    setLeft(bFront, 8);
    if (cd) {
        clearIfTicked(cbDVD);
        clearIfTicked(cbVHS);
        setHint(Panel1, hint::P1cd);
        setHint(Panel2, hint::P2cd);
        setHint(sbTrash1, hint::T1cd);
        setHint(sbTrash2, hint::T2cd);
        if (cbDouble->isChecked()) {
            cbDouble->setChecked(false);
            cbSecFront->hide();
        }
        setCaption(bFront, "CD &1");
        setCaption(bBack, "CD &2");
        setLeft(Panel2, 360);
        Panel2->resize(Panel2->width(), Panel1->height());
        setWidth(Panel1, 250);
        setWidth(Panel2, 250);
        drawCdOutline(Image3);
        drawCdOutline(Image4);
    }
    setLeft(bBack, Panel2->x());
    centreTrash(2);
    statusSplit();
    focusAway();
    recognitionItemRule({cbCD, cbDouble, cbSecFront});
}

void TSleevix::cbSecFrontClick()
{
    if (cbSecFront->isChecked()) {
        setCaption(bBack, "&2. Vorderseite");
        setHint(Panel2, hint::P2front2);
        setHint(sbTrash2, hint::T2front2);
        setLeft(Panel2, 360);
        setWidth(Panel2, Panel1->width());
    } else {
        setCaption(bBack, "&Rückseite");
        setHint(Panel1, hint::P1front);
        setHint(Panel2, hint::P2back);
        setHint(sbTrash1, hint::T1front);
        setHint(sbTrash2, hint::T2back);
        setLeft(Panel2, 298);
        setWidth(Panel2, m_backPanelWidth);
    }
    setLeft(bBack, Panel2->x());
    centreTrash(1);
    centreTrash(2);
    statusSplit();
    focusAway();
    recognitionItemRule({cbCD, cbDouble, cbSecFront});
}

void TSleevix::coverLayoutClick(QCheckBox* own)
{
    const bool dvd = own == cbDVD;
    const CoverLayout& layout = dvd ? kDvdLayout : kVhsLayout;
    QCheckBox* other = dvd ? cbVHS : cbDVD;
    const bool ticked = own->isChecked();

    resetUnfoldedFrame();
    if (ticked) {
        clearIfTicked(cbDouble);
        clearIfTicked(other);
        if (cbCD->isChecked()) {
            cbCD->setChecked(false);
            cbSecFront->hide();
        }
        setWidth(Panel1, layout.panelWidth);
        setLeft(Panel1, (frameGeometry().width() - layout.panelWidth) / 2);
        setCaption(bFront, layout.frontCaption);
        setHint(Panel1, layout.panelHint);
        setHint(sbTrash1, layout.trashHint);
    }
    program().AutoFormat = !ticked;
    showBackControls(!ticked);
    setLeft(bFront, Panel1->x());
    centreTrash(1);
    if (!ticked)
        cbSecFrontClick();
    statusSplit();
    focusAway();
    if (dvd)
        recognitionItemRule({cbCD, cbDVD, cbSecFront});
    else
        recognitionItemRule({cbCD, cbVHS});
}

void TSleevix::cbDVDClick()
{
    coverLayoutClick(cbDVD);
}

void TSleevix::cbVHSClick()
{
    coverLayoutClick(cbVHS);
}

// --- Toolbar and menu twins ----------------------------------------------------

void TSleevix::sbDoubleClick()
{
    cbDouble->setChecked(true);
    cbDoubleClick();
    FDblClick(1);
}

void TSleevix::sbCDClick()
{
    cbCD->setChecked(true);
    FDblClick(1);
}

void TSleevix::spDVDClick()
{
    cbDVD->setChecked(true);
    cbDVDClick();
    FDblClick(1);
}

void TSleevix::spVHSClick()
{
    cbVHS->setChecked(true);
    cbVHSClick();
    FDblClick(1);
}

void TSleevix::sbFrontClick()
{
    clearIfTicked(cbCD);
    clearIfTicked(cbDouble);
    FDblClick(1);
}

void TSleevix::sbBackClick()
{
    clearIfTicked(cbCD);
    clearIfTicked(cbDouble);
    FDblClick(2);
}

void TSleevix::mFrontClick()
{
    clearIfTicked(cbCD);
    clearIfTicked(cbDouble);
    sbFrontClick();
}

void TSleevix::mBackClick()
{
    clearIfTicked(cbCD);
    clearIfTicked(cbDouble);
    sbBackClick();
}

void TSleevix::mDoppelClick()
{
    clearIfTicked(cbCD);
    clearIfTicked(cbDouble);
    sbDoubleClick();
}

void TSleevix::mCDClick()
{
    sbCDClick();
}

void TSleevix::mDVDClick()
{
    spDVDClick();
}

void TSleevix::sbKonfigClick()
{
    if (runSettingsDialog)
        runSettingsDialog();
    m_openDialogFolder = program().ImageFolder;
    setRecognitionChecked(program().AutoFormat);
    recognitionItemRule({cbCD, cbDouble, cbSecFront, cbDVD, cbVHS});
}
