#pragma once

#include "ui_t_cd_setup.h"

#include "model/cover_settings.h"

#include <QDialog>

#include <functional>

class LinkListEditor;
class MainWindowControl;
class MainWindowView;
class PagePreviews;
class Picture;
class PrintDevice;
class QAction;
class QMenu;
class SettingBindings;
struct SheetSettings;

// The settings window. Each instance owns its settings (CoverSettings): the
// store is read into them and written from them, and the print routines
// read them. One instance lives for the whole run without ever being shown
// or having controls; the settings command opens further instances as
// modal dialogs, whose controls show their settings and edit them.
//
// The window reaches the main window only through the two interfaces it is
// given: it ticks the main window's layout boxes and recognition items, and
// reads them and the slot pictures.
//
// The controls (t_cd_setup.ui) are the members of the Ui base, by the names
// the rest of the program uses. Only a dialog makes them; in the window
// that lives for the whole run they stay null.
class TCDSetup : public QDialog, public Ui::TCDSetup {
    Q_OBJECT
public:
    enum class Role { RunLong, Dialog };

    TCDSetup(Role role, MainWindowControl& mainWindow, const MainWindowView& mainWindowView,
             QWidget* parent = nullptr);
    ~TCDSetup() override;

    Role role() const { return m_role; }
    bool hasControls() const { return m_role == Role::Dialog; }
    CoverSettings& settings() { return m_settings; }
    const CoverSettings& settings() const { return m_settings; }
    PagePreviews* previews() const { return m_previews; }

    // Loads the store into the settings and refreshes the program-wide
    // values. A value of the wrong type is shown in the standard error box
    // once the load is done; a value that cannot be read stops the load
    // with SettingsError, and WriteRegistry() then writes nothing
    // (SettingsError for its first value) until a load succeeds.
    void ReadRegistry();
    // Writes the settings to the store; throws SettingsError.
    void WriteRegistry();
    // Makes the installed printer named PrinterName the current printer;
    // the last step of ReadRegistry.
    void SelectSavedPrinter();

    // Runs a settings dialog over `parent`, modally; it reaches the main
    // window as this window does.
    void execDialog(QWidget* parent);

    // Page indexes as the rules compare them.
    enum Page {
        PageGeneral = 0,
        PageFrontBack,
        PageDouble,
        PageCd,
        PageDvd,
        PageVhs,
        PageTemplates,
        PageLinks,
        PageSizes,
        PageCount
    };

    // Handlers of setting changes, run in both roles.
    void eDatenChange();
    void cbSelPrinterClick();
    void cbAutosaveClick();
    void cbAutoFormatClick();
    void cbSecFrontClick();
    void cbSecImgClick();
    // Handlers of a dialog.
    void cbUBackClick();
    void cbUDoubleClick();
    void Button3Click();
    void FormActivate();
    void PageControlChange(int index);
    void TabSheet9Show();
    void SpeedButton1Click();
    void SpeedButton2Click();

    // The five sheets, printed from these settings and the main window's
    // slots; `Test` prints outlines only.
    void PrintFrontBack(bool Test);
    void PrintDouble(bool Test);
    void PrintCDLabels(bool Test);
    void PrintDVD(bool Test);
    void PrintVHS(bool Test);
    void bTestDruckClick();
    SheetSettings sheetSettings() const;

    using SheetRoutine
        = void (*)(PrintDevice&, const SheetSettings&, const Picture&, const Picture&, bool);
    // The sheet as the routine draws it from these settings and the main
    // window's slots at this moment.
    std::function<void(PrintDevice&)> sheetJob(SheetRoutine routine, bool test) const;
    // Prints the sheet on the current printer, with the print dialog when
    // cbSelPrinter is ticked.
    void printSheet(SheetRoutine routine, bool test);

    // The link list page (t_cd_setup_links.cpp).
    LinkListEditor* linkEditor = nullptr;
    void TabSheet6Show();

    // The folder browser; tests replace it. Returns the chosen folder, or
    // an empty text when cancelled.
    std::function<QString(const QString& title)> chooseFolder;

    // --- "Vorlagen" page: label templates ---------------------------------
    QMenu* PopupMenu1 = nullptr;  // the template list's context menu
    QAction* Laden1 = nullptr;
    QAction* Speichern1 = nullptr;
    QAction* Aktualisieren1 = nullptr;
    QAction* Entfernen1 = nullptr;

    // Re-reads the templates folder (the text of eLabels) into the list.
    void LoadFileList();
    // Index of the selected entry, -1 when none is.
    int SelItem() const;
    void ListViewChange();
    void ListViewDblClick();
    void bLoadLabelClick();
    void bSaveClick();
    void bUpdateLabelClick();
    void bDeleteLabelClick();
    // Throws TemplateWriteError.
    void SaveFileVariables(const QString& fileName);
    void LoadFileVariables(const QString& fileName);

    // The save dialog: the chosen file, or empty when cancelled.
    std::function<QString()> runTemplateSaveDialog;
    // Asks whether the template of this caption is to be deleted.
    std::function<bool(const QString& caption)> confirmTemplateDelete;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void connectSettingHandlers();
    void setUpControls();
    void connectControls();
    void connectPageHandlers();
    void connectTemplatePage();
    void connectLinkPage();
    void showSecondFrontFields(bool second);
    void jumpToSize(SpinEdit* field);
    void FormCreate();
    void applyFoldGuideRules();

    QWidget* messageParent();

    Role m_role;
    MainWindowControl& m_mainWindow;
    const MainWindowView& m_mainWindowView;
    CoverSettings m_settings;
    SettingBindings* m_bindings = nullptr;
    // The last load stopped at a value it could not read.
    bool m_loadStopped = false;
    PagePreviews* m_previews = nullptr;
};
