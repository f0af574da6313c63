#include "settings/page_previews.h"

#include "model/main_window_view.h"
#include "platform/widgets/spin_edit.h"
#include "platform/widgets/tabbed_pages.h"
#include "settings/preview_holder.h"
#include "settings/stock_outlines.h"
#include "settings/t_cd_setup.h"

#include <QCheckBox>

namespace previews {

// The holders are members of the settings window (t_cd_setup.ui).
constexpr Holder kNoHolder = nullptr;

// Which of the back page's two pairs of position fields a rule belongs to.
enum class Gate { Always, BackPage, SecondFront };
enum class Axis { Left, Top };

// A position field moves an outline holder to (field div 2) pixels, the
// picture holder inside it 1 pixel further, a disc overlay onto it while the
// CD layout is ticked, and the right half of a double front beside the
// picture holder.
struct PositionRule {
    Length field;
    Axis axis;
    Gate gate;
    Holder outline;
    Holder inset = kNoHolder;
    Holder overlay = kNoHolder;
    Holder beside = kNoHolder;
    void (PagePreviews::*handler)() = nullptr;  // the field's own change handler, if it has one
};

struct DiscPreview {
    Holder disc;
    Holder overlay;
    int slot;
};

struct CoverPreview {
    int page;
    Holder outline;
    Holder inset;
    Check frame;
    LayoutBox layout;
    StockOutline plain;
    StockOutline framed;
};

}  // namespace previews

namespace {

using previews::Axis;
using previews::CoverPreview;
using previews::DiscPreview;
using previews::Gate;
using previews::Holder;
using previews::kNoHolder;
using previews::PositionRule;

// clang-format off
const PositionRule kPositionRules[] = {
    {Length::spTop,        Axis::Top,  Gate::Always,      &TCDSetup::Image4,  &TCDSetup::Image12},
    {Length::spLeft,       Axis::Left, Gate::Always,      &TCDSetup::Image4,  &TCDSetup::Image12},
    {Length::spTop2,       Axis::Top,  Gate::BackPage,    &TCDSetup::Image5,  &TCDSetup::Image13},
    {Length::spLeft2,      Axis::Left, Gate::BackPage,    &TCDSetup::Image5,  &TCDSetup::Image13},
    {Length::spTop2Front,  Axis::Top,  Gate::SecondFront, &TCDSetup::Image5,  &TCDSetup::Image13},
    {Length::spLeft2front, Axis::Left, Gate::SecondFront, &TCDSetup::Image5,  &TCDSetup::Image13},
    {Length::spDTop,       Axis::Top,  Gate::Always,      &TCDSetup::Image3,  &TCDSetup::Image14, kNoHolder,          &TCDSetup::Image18},
    {Length::spDleft,      Axis::Left, Gate::Always,      &TCDSetup::Image3,  &TCDSetup::Image14, kNoHolder,          &TCDSetup::Image18, &PagePreviews::spDleftChange},
    {Length::spCDTop,      Axis::Top,  Gate::Always,      &TCDSetup::Image1,  kNoHolder,          &TCDSetup::Image10},
    {Length::spCDLeft,     Axis::Left, Gate::Always,      &TCDSetup::Image1,  kNoHolder,          &TCDSetup::Image10},
    {Length::spCDTop2,     Axis::Top,  Gate::Always,      &TCDSetup::Image2,  kNoHolder,          &TCDSetup::Image11, kNoHolder,          &PagePreviews::spCDTop2Change},
    {Length::spCDLeft2,    Axis::Left, Gate::Always,      &TCDSetup::Image2,  kNoHolder,          &TCDSetup::Image11},
    {Length::spDVDTop,     Axis::Top,  Gate::Always,      &TCDSetup::Image19, &TCDSetup::Image22},
    {Length::spDVDLeft,    Axis::Left, Gate::Always,      &TCDSetup::Image19, &TCDSetup::Image22},
    {Length::spVHSTop,     Axis::Top,  Gate::Always,      &TCDSetup::Image23, &TCDSetup::Image26},
    {Length::spVHSLeft,    Axis::Left, Gate::Always,      &TCDSetup::Image23, &TCDSetup::Image26},
};
// clang-format on

const DiscPreview kDiscs[] = {
    {&TCDSetup::Image1, &TCDSetup::Image10, 1},
    {&TCDSetup::Image2, &TCDSetup::Image11, 2},
};

const CoverPreview kDvdCover{TCDSetup::PageDvd,      &TCDSetup::Image19,   &TCDSetup::Image22,
                             Check::cbUDVD,          LayoutBox::LayoutDvd, StockOutline::DvdPlain,
                             StockOutline::DvdFramed};
const CoverPreview kVhsCover{TCDSetup::PageVhs,      &TCDSetup::Image23,   &TCDSetup::Image26,
                             Check::cbUVHS,          LayoutBox::LayoutVhs, StockOutline::VhsPlain,
                             StockOutline::VhsFramed};

struct BoxHandler {
    Check box;
    void (PagePreviews::*handler)();
};

const BoxHandler kBoxHandlers[] = {
    {Check::cbSecFront, &PagePreviews::cbSecFrontClick},
    {Check::cbSecImg, &PagePreviews::cbSecImgClick},
    {Check::cbUFront, &PagePreviews::cbUFrontClick},
    {Check::cbUBack, &PagePreviews::cbUBackClick},
    {Check::cbKnickTrennVR, &PagePreviews::cbKnickTrennVRClick},
    {Check::cbUDouble, &PagePreviews::cbUDoubleClick},
    {Check::cbKnickTrennD, &PagePreviews::cbKnickTrennDClick},
    {Check::cbUDVD, &PagePreviews::cbUDVDClick},
    {Check::cbUVHS, &PagePreviews::cbUVHSClick},
};

struct ShowHandler {
    int page;
    void (PagePreviews::*handler)();
};

const ShowHandler kShowHandlers[] = {
    {TCDSetup::PageFrontBack, &PagePreviews::TabSheet2Show},
    {TCDSetup::PageDouble, &PagePreviews::TabSheet3Show},
    {TCDSetup::PageCd, &PagePreviews::TabSheet4Show},
    {TCDSetup::PageDvd, &PagePreviews::TabSheet7Show},
    {TCDSetup::PageVhs, &PagePreviews::TabSheet8Show},
};

// The back outline's width whenever it stands for the back page.
constexpr int kBackOutlineWidth = 81;

// One preview pixel per 2 mm; the division truncates toward zero.
int previewPixels(int millimetres)
{
    return millimetres / 2;
}

void moveAlong(QWidget* widget, Axis axis, int value)
{
    if (axis == Axis::Left)
        widget->move(value, widget->y());
    else
        widget->move(widget->x(), value);
}

}  // namespace

PagePreviews::PagePreviews(TCDSetup& setup, const MainWindowView& mainWindow)
    : QObject(&setup), m_setup(setup), m_settings(setup.settings()), m_mainWindow(mainWindow)
{
    prepareHolders();
    connectControls();
    // The store was read into the controls before the drawings existed.
    for (const ShowHandler& show : kShowHandlers)
        (this->*show.handler)();
}

PagePreviews::~PagePreviews() = default;

void PagePreviews::prepareHolders()
{
    // The picture holders and the disc overlays show only once a handler
    // shows them.
    for (PreviewHolder* hidden :
         {m_setup.Image12, m_setup.Image13, m_setup.Image14, m_setup.Image18, m_setup.Image10,
          m_setup.Image11, m_setup.Image22, m_setup.Image26})
        hidden->hide();
    // The disc overlays keep the stock disc; the discs take it from them.
    for (const DiscPreview& disc : kDiscs)
        holder(disc.overlay)->setPicture(stockOutline(StockOutline::Disc));
}

void PagePreviews::connectControls()
{
    connect(&m_settings, &CoverSettings::lengthChanged, this, [this](Length field) {
        for (const PositionRule& rule : kPositionRules) {
            if (rule.field != field)
                continue;
            if (rule.handler)
                (this->*rule.handler)();
            else
                applyPosition(rule);
        }
    });
    connect(&m_settings, &CoverSettings::tickChanged, this, [this](Check check) {
        for (const BoxHandler& box : kBoxHandlers) {
            if (box.box == check)
                (this->*box.handler)();
        }
    });
    connect(m_setup.PageControl, &TabbedPages::pageShown, this, &PagePreviews::showPage);
}

void PagePreviews::showPage(int index)
{
    for (const ShowHandler& show : kShowHandlers) {
        if (show.page == index)
            (this->*show.handler)();
    }
}

bool PagePreviews::slotHolds(int slot) const
{
    return !m_mainWindow.slotPicture(slot).isEmpty();
}

bool PagePreviews::anyLayoutTicked() const
{
    for (LayoutBox layout : {LayoutBox::LayoutCd, LayoutBox::LayoutDouble, LayoutBox::LayoutDvd,
                             LayoutBox::LayoutVhs}) {
        if (m_mainWindow.layoutTicked(layout))
            return true;
    }
    return false;
}

PreviewHolder* PagePreviews::holder(Holder member) const
{
    return m_setup.*member;
}

// --- Positions -----------------------------------------------------------------

void PagePreviews::applyPosition(const PositionRule& rule)
{
    const bool secondFront = m_settings.ticked(Check::cbSecFront);
    if ((rule.gate == Gate::BackPage && secondFront)
        || (rule.gate == Gate::SecondFront && !secondFront))
        return;

    const int place = previewPixels(m_settings.length(rule.field));
    moveAlong(holder(rule.outline), rule.axis, place);
    if (rule.inset != kNoHolder)
        moveAlong(holder(rule.inset), rule.axis, place + 1);
    if (rule.overlay != kNoHolder && m_mainWindow.layoutTicked(LayoutBox::LayoutCd))
        moveAlong(holder(rule.overlay), rule.axis, place);
    if (rule.beside != kNoHolder) {
        const PreviewHolder* inset = holder(rule.inset);
        moveAlong(holder(rule.beside), rule.axis,
                  rule.axis == Axis::Left ? inset->x() + inset->width() : inset->y());
    }
}

void PagePreviews::positionFieldChanged(Length field)
{
    for (const PositionRule& rule : kPositionRules) {
        if (rule.field == field)
            applyPosition(rule);
    }
}

// The right half of a two-picture double front moves with the left one.
void PagePreviews::spDleftChange()
{
    positionFieldChanged(Length::spDleft);
}

// The disc outline over the second label follows it while the CD layout
// is ticked.
void PagePreviews::spCDTop2Change()
{
    positionFieldChanged(Length::spCDTop2);
}

void PagePreviews::placeOutlines(int page)
{
    for (const PositionRule& rule : kPositionRules) {
        if (m_setup.PageControl->widget(page)->isAncestorOf(holder(rule.outline)))
            applyPosition(rule);
    }
}

void PagePreviews::placeOutline(Holder outline)
{
    for (const PositionRule& rule : kPositionRules) {
        if (rule.outline == outline)
            applyPosition(rule);
    }
}

void PagePreviews::showInside(Holder picture, Holder outline, int slot, bool visible)
{
    PreviewHolder* view = holder(picture);
    view->setGeometry(holder(outline)->geometry().adjusted(1, 1, -1, -1));
    view->setPicture(m_mainWindow.slotPicture(slot));
    view->setVisible(visible);
}

// --- Page 1: front and back page -------------------------------------------

void PagePreviews::TabSheet2Show()
{
    placeOutlines(TCDSetup::PageFrontBack);
    m_setup.spLeft2front->move(m_setup.spLeft2->pos());
    m_setup.spTop2Front->move(m_setup.spTop2->pos());

    showInside(&TCDSetup::Image12, &TCDSetup::Image4, 1, slotHolds(1) && !anyLayoutTicked());
    if (m_settings.ticked(Check::cbSecFront))
        m_setup.Image5->resize(m_setup.Image4->size());
    const bool backShown = slotHolds(2) && !m_mainWindow.layoutTicked(LayoutBox::LayoutCd)
        && !m_mainWindow.layoutTicked(LayoutBox::LayoutDouble);
    showInside(&TCDSetup::Image13, &TCDSetup::Image5, 2, backShown);

    positionFieldChanged(Length::spLeft);
    positionFieldChanged(Length::spTop);
    cbUFrontClick();
    cbUBackClick();
    m_setup.cbUBackClick();  // the fold guide box's enabled state
}

void PagePreviews::cbSecFrontClick()
{
    PreviewHolder* back = m_setup.Image5;
    back->resize(kBackOutlineWidth, back->height());
    placeOutline(&TCDSetup::Image5);
    TabSheet2Show();
}

bool PagePreviews::foldedBackApplies() const
{
    return m_settings.ticked(Check::cbKnickTrennVR) && !m_settings.ticked(Check::cbSecFront);
}

void PagePreviews::cbUFrontClick()
{
    m_setup.Image4->setPicture(stockOutline(
        m_settings.ticked(Check::cbUFront) ? StockOutline::FrontFramed : StockOutline::FrontPlain));
    if (m_settings.ticked(Check::cbUBack) && foldedBackApplies())
        m_setup.Image5->setPicture(stockOutline(StockOutline::BackFolded));
}

void PagePreviews::cbUBackClick()
{
    if (m_settings.ticked(Check::cbUBack))
        showBackOutline();
    else
        m_setup.Image5->setPicture(stockOutline(StockOutline::BackPlain));
}

void PagePreviews::cbKnickTrennVRClick()
{
    if (!slotHolds(2))
        showBackOutline();
}

void PagePreviews::showBackOutline()
{
    m_setup.Image5->setPicture(
        stockOutline(foldedBackApplies() ? StockOutline::BackFolded : StockOutline::BackFramed));
}

// --- Page 2: folded double front ---------------------------------------------

void PagePreviews::TabSheet3Show()
{
    placeOutlines(TCDSetup::PageDouble);
    showInside(&TCDSetup::Image14, &TCDSetup::Image3, 1,
               m_mainWindow.layoutTicked(LayoutBox::LayoutDouble) && slotHolds(1));
    if (m_settings.ticked(Check::cbSecImg))
        ShowSecImg();
    cbUDoubleClick();
}

void PagePreviews::ShowSecImg()
{
    const QRect outline = m_setup.Image3->geometry();
    PreviewHolder* left = m_setup.Image14;
    left->setGeometry(outline.left() + 1, outline.top() + 1, (outline.width() - 2) / 2,
                      outline.height() - 2);
    left->setPicture(m_mainWindow.slotPicture(1));

    PreviewHolder* right = m_setup.Image18;
    right->setPicture(m_mainWindow.slotPicture(2));
    right->setGeometry(left->x() + left->width(), left->y(), left->width() + 1, left->height());
    right->setVisible(m_mainWindow.layoutTicked(LayoutBox::LayoutDouble)
                      && m_settings.ticked(Check::cbSecImg) && slotHolds(2));
}

void PagePreviews::cbSecImgClick()
{
    const bool twoPictures = m_settings.ticked(Check::cbSecImg);
    const int interior = m_setup.Image3->width() - 2;
    PreviewHolder* left = m_setup.Image14;
    left->resize(twoPictures ? interior / 2 : interior, left->height());
    m_setup.Image18->setVisible(twoPictures);
    if (twoPictures)
        ShowSecImg();
}

void PagePreviews::cbUDoubleClick()
{
    if (m_settings.ticked(Check::cbUDouble))
        showFramedDoubleOutline();
    else
        m_setup.Image3->setPicture(stockOutline(StockOutline::DoublePlain));
}

void PagePreviews::cbKnickTrennDClick()
{
    if (!(m_mainWindow.layoutTicked(LayoutBox::LayoutDouble) && slotHolds(1)))
        showFramedDoubleOutline();
}

void PagePreviews::showFramedDoubleOutline()
{
    m_setup.Image3->setPicture(stockOutline(m_settings.ticked(Check::cbKnickTrennD)
                                                ? StockOutline::DoubleFolded
                                                : StockOutline::DoubleFramed));
}

// --- Page 3: the two CD labels -----------------------------------------------

void PagePreviews::TabSheet4Show()
{
    placeOutlines(TCDSetup::PageCd);
    for (const DiscPreview& disc : kDiscs)
        showDisc(disc);
}

void PagePreviews::showDisc(const DiscPreview& disc)
{
    PreviewHolder* view = holder(disc.disc);
    PreviewHolder* overlay = holder(disc.overlay);
    view->setPicture(overlay->picture());
    const bool ownPicture = m_mainWindow.layoutTicked(LayoutBox::LayoutCd) && slotHolds(disc.slot);
    if (ownPicture)
        view->setPicture(m_mainWindow.slotPicture(disc.slot));
    overlay->setVisible(ownPicture);
    overlay->setGeometry(view->geometry());
    overlay->setPicture(
        Picture::fromImage(withDiscCircle(overlay->picture().image(), overlay->size())));
}

// --- Pages 4 and 5: DVD and VHS covers -----------------------------------------

void PagePreviews::TabSheet7Show()
{
    showCover(kDvdCover);
}

void PagePreviews::TabSheet8Show()
{
    showCover(kVhsCover);
}

void PagePreviews::cbUDVDClick()
{
    showCoverOutline(kDvdCover);
}

void PagePreviews::cbUVHSClick()
{
    showCoverOutline(kVhsCover);
}

void PagePreviews::showCover(const CoverPreview& cover)
{
    placeOutlines(cover.page);
    showCoverOutline(cover);
    showInside(cover.inset, cover.outline, 1,
               m_mainWindow.layoutTicked(cover.layout) && slotHolds(1));
}

void PagePreviews::showCoverOutline(const CoverPreview& cover)
{
    holder(cover.outline)
        ->setPicture(stockOutline(m_settings.ticked(cover.frame) ? cover.framed : cover.plain));
}
