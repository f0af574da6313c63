#pragma once

#include "model/setting_keys.h"
#include "platform/pictures/picture.h"

#include <QObject>

class PreviewHolder;
class CoverSettings;
class MainWindowView;
class TCDSetup;

namespace Ui {
class TCDSetup;
}

namespace previews {
using Holder = PreviewHolder* Ui::TCDSetup::*;
struct PositionRule;
struct DiscPreview;
struct CoverPreview;
}  // namespace previews

// The small drawings of the printed sheet on the five layout pages of the
// settings window. A white panel stands for the paper, at one pixel per
// 2 mm; outline holders stand for the printed items and follow the position
// fields and the frame boxes; picture holders inside them show the main
// window's slot pictures while the matching layout is ticked there. The
// drawings only show: they never change a setting.
class PagePreviews : public QObject {
    Q_OBJECT
public:
    PagePreviews(TCDSetup& setup, const MainWindowView& mainWindow);
    ~PagePreviews() override;

    // Rebuilds the drawing of a layout page from the controls and the main
    // window; any other page index does nothing. Called for every page that
    // becomes visible, and by whoever shows a page without a page change.
    void showPage(int index);

    // Page show handlers.
    void TabSheet2Show();
    void TabSheet3Show();
    void TabSheet4Show();
    void TabSheet7Show();
    void TabSheet8Show();

    // The double front made of two pictures: front left, back right.
    void ShowSecImg();

    // Position fields with handlers of their own; the other position fields
    // move their holders by the same rules.
    void spDleftChange();
    void spCDTop2Change();

    // Preview effects of the setup's check boxes.
    void cbSecFrontClick();
    void cbSecImgClick();
    void cbUFrontClick();
    void cbUBackClick();
    void cbKnickTrennVRClick();
    void cbUDoubleClick();
    void cbKnickTrennDClick();
    void cbUDVDClick();
    void cbUVHSClick();

private:
    using Holder = previews::Holder;

    void prepareHolders();
    void connectControls();

    PreviewHolder* holder(Holder member) const;
    void applyPosition(const previews::PositionRule& rule);
    void positionFieldChanged(Length field);
    void placeOutlines(int page);
    void placeOutline(Holder outline);
    void showInside(Holder picture, Holder outline, int slot, bool visible);
    void showDisc(const previews::DiscPreview& disc);
    void showCover(const previews::CoverPreview& cover);
    void showCoverOutline(const previews::CoverPreview& cover);
    void showBackOutline();
    void showFramedDoubleOutline();
    bool foldedBackApplies() const;
    bool slotHolds(int slot) const;
    bool anyLayoutTicked() const;

    TCDSetup& m_setup;
    const CoverSettings& m_settings;
    const MainWindowView& m_mainWindow;
};
