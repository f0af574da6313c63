#pragma once

#include "ui_t_sleevix.h"

#include "dragdrop/t_drag_drop_files.h"
#include "model/main_window_control.h"
#include "model/main_window_view.h"
#include "platform/pictures/picture.h"
#include "workspace/command_line.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <initializer_list>

class ImageView;
class QAction;
class QDialog;
class QUrl;
class QCheckBox;
class QMenu;
class TCDSetup;

// The main window: two picture panels with their slots, the layout check
// boxes and their toolbar and menu twins, the context menus and the
// status bar. The settings side reaches it through MainWindowControl and
// MainWindowView; it reaches the settings through the run-long settings
// window it is given.
//
// The controls, menus and menu items (t_sleevix.ui) are the members of the
// Ui base, by the names the program uses. The toolbar ToolBar1 is a row of
// tool buttons in a plain widget with a box layout rather than a QToolBar:
// Qt Designer keeps no widgets on a toolbar (saving the form drops them),
// and the program needs its tool buttons by name, 23 by 24 pixels each, in
// the client area, with the layout boxes on the same row. As on a toolbar,
// a hidden button leaves no gap: the buttons after it close up.
class TSleevix : public QMainWindow,
                 public Ui::TSleevix,
                 public MainWindowControl,
                 public MainWindowView {
    Q_OBJECT
public:
    explicit TSleevix(const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~TSleevix() override;

    // The panels' context menus, made at their first use.
    QMenu* PopupMenu1 = nullptr;
    QMenu* PopupMenu2 = nullptr;

    // Context menu items are addressed by position, separators included.
    static constexpr int kLoadItem = 0;
    static constexpr int kRecognitionItem = 12;
    static constexpr int kSettingsItem = 13;
    QAction* popupItem(int menu, int index) const;
    QMenu* popupMenu(int menu);

    // --- Layout handlers ---------------------------------------------------
    void cbDoubleClick();
    void cbSecIMGClick();
    void cbCDClick();
    void cbSecFrontClick();
    void cbDVDClick();
    void cbVHSClick();
    void sbDoubleClick();
    void sbCDClick();
    void spDVDClick();
    void spVHSClick();
    void sbFrontClick();
    void sbBackClick();
    void mFrontClick();
    void mBackClick();
    void mDoppelClick();
    void mCDClick();
    void mDVDClick();
    void sbKonfigClick();

    // --- Picture loading ---------------------------------------------------
    // The most pixels either panel shows a picture on: what a picture is
    // decoded for when it comes in.
    QSize panelPixels() const;
    bool OpenFile(int slot, const QString& fileName, Picture& holder,
                  const std::function<void(const QImage&)>& showPartial = {});
    void SetJPEGOptions(Picture& holder);
    void FDblClick(int slot);
    void OpenImage(int slot, const QString& fileName);
    // Files named on the command line or handed over by a later start:
    // loaded as a choice of several files in the front panel's open dialog.
    void openFiles(const QStringList& files);
    void Image1DblClick();
    void Image2DblClick();
    void Image3DblClick();
    void Image4DblClick();
    void Bildladen1Click();
    void Bildladen2Click();
    void Button1Click();
    void bBackClick();
    void Bilderkennung1Click();
    void Bilderkennung2Click();

    // --- Printing -------------------------------------------------------------
    void sbPrintClick();
    void mPrintClick();
    void Drucken1Click();
    void Drucken2Click();
    void mPrinterSetupClick();
    void mPreviewClick();
    void mPdfExportClick();
    void mCalibrateClick();

    // --- Lifecycle ----------------------------------------------------------
    void FormActivate();
    void saveLayoutTicks();

    // The settings window that lives for the whole run: the settings this
    // window prints with and takes its starting values from.
    void attachSettings(TCDSetup& runLongSettings);
    TCDSetup& runLongSettings() const { return *m_runLongSettings; }

    // --- What the settings side may do and read -----------------------------
    void setLayoutTicked(LayoutBox box, bool ticked) override;
    void setRecognitionChecked(bool checked) override;
    bool layoutTicked(LayoutBox box) const override;
    bool recognitionChecked() const override;
    Picture slotPicture(int slot) const override;

    ImageView* slotView(int slot) const;
    QCheckBox* layoutBox(LayoutBox box) const;
    QString statusText(int slot) const;
    void setStatusText(int slot, const QString& text);
    void emptySlot(int slot);
    bool clipboardHasPicture() const;

    // The starting folder of the picture-open dialog and the file name it
    // preselects.
    QString openDialogFolder() const { return m_openDialogFolder; }
    void setOpenDialogFolder(const QString& folder) { m_openDialogFolder = folder; }
    QString openDialogFileName() const { return m_openDialogFileName; }

    // The picture-open dialog; tests replace it. Returns the chosen files in
    // choice order, or nothing when cancelled.
    std::function<QStringList()> runOpenDialog;

    // Creates and runs the modal settings dialog; set by whoever creates
    // this window, replaced by tests.
    std::function<void()> runSettingsDialog;

    int backPanelCreationWidth() const { return m_backPanelWidth; }

    // --- Picture commands and command states -------------------------------
    static constexpr int kSwapItem = 1;
    static constexpr int kCopyItem = 2;
    static constexpr int kDeleteItem = 4;
    static constexpr int kDeleteBothItem = 5;
    static constexpr int kPrintItem = 7;
    static constexpr int kPreviewItem = 8;
    static constexpr int kPasteItem = 10;
    static constexpr int kClipboardCopyItem = 11;
    // How the slot's picture fills its rectangle, and its turns.
    static constexpr int kStretchItem = 15;
    static constexpr int kFillItem = 16;
    static constexpr int kFitItem = 17;
    static constexpr int kTurnLeftItem = 18;
    static constexpr int kTurnRightItem = 19;
    TDragDropFiles* DragDropFiles1 = nullptr;
    TDragDropFiles* DragDropFiles2 = nullptr;
    void DragDropFiles1ProcessDropped(TDragDrop* sender, TDragKeyState keyState, QPoint point,
                                      TDropEffectSet effect);
    void DragDropFiles2ProcessDropped(TDragDrop* sender, TDragKeyState keyState, QPoint point,
                                      TDropEffectSet effect);
    void sbClipbrd1Click();
    void sbClipbrd2Click();
    void Einfgen1Click();
    void Einfgen2Click();
    // "In Zwischenablage kopieren": the slot's picture as it is drawn.
    void InZwischenablage1Click();
    void InZwischenablage2Click();
    void sbClearClick();
    void sbChangeClick();
    void Bildertauschen1Click();
    void Bildertauschen2Click();
    void Kopieren1Click();
    void Kopieren2Click();
    void sbTrash1Click();
    void sbTrash2Click();
    void Lschen1Click();
    void Lschen2Click();
    void Beidelschen1Click();
    void Beidelschen2Click();
    void FormPaint();
    void FormMouseMove();

    // --- Help menu and print-count information (help_commands.cpp) --------
    void Hilfe1Click();
    void mAboutClick();
    void ImInternetsuchen1Click();
    // Double-click on the free client area.
    void ClientDblClick();
    // Shows one of the program's modal windows; tests replace it to drive
    // the window without blocking.
    std::function<void(QDialog&)> runModalWindow;
    // Hands an address to the desktop's default handler; tests replace it.
    std::function<bool(const QUrl&)> openUrl;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setUpControls();
    void buildPopupMenus();
    void connectLayoutHandlers();
    void connectPictureHandlers();
    void connectPrintCommands();
    void connectHelpCommands();
    void FormCreate();
    void runFirstActivation();

    // Steps the layout handlers share.
    void centreTrash(int slot);
    void statusSplit();
    void focusAway();
    void recognitionItemRule(std::initializer_list<QCheckBox*> boxes);
    void resetUnfoldedFrame();
    void showBackControls(bool visible);
    void drawCdOutline(ImageView* overlay);
    void coverLayoutClick(QCheckBox* own);
    void updateTrashButtons();
    void toggleRecognition(int menu);
    QStringList execPictureDialog();
    bool recognitionApplies() const;
    void loadChosenFiles(int slot, const QStringList& files, bool recognition);
    void loadDirect(int slot, const QString& fileName);
    void loadRecognised(int errorSlot, const QString& fileName);
    void showPartialPicture(int slot, const QImage& partial);

    QList<QAction*> m_popupItems[2];  // the context menus' items, separators included
    CommandLine m_commandLine;
    TCDSetup* m_runLongSettings = nullptr;
    QString m_openDialogFolder;
    QString m_openDialogFileName;
    int m_backPanelWidth = 0;
    int m_backPanelHeight = 0;
    bool m_activated = false;

    // Picture commands and command states.
    void connectPictureCommands();
    void connectCommandStates();
    Picture clipboardPicture() const;
    void pasteInto(int slot);
    void copyToClipboard(int slot);
    // The slot picture placed anew: `change` makes its new placement.
    void changePlacement(int slot, PicturePlacement (*change)(PicturePlacement));
    // The placement items of a context menu as its slot's picture stands.
    void showPlacementItems(int menu);
    void copySlot(int from, int to);
    void loadDropped(int panelSlot, QStringList files);
    void refreshClipboardCommands();
    bool m_clipboardHasPicture = false;  // as of the clipboard's last change
};
