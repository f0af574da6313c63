#pragma once

#include <QDialog>
#include <QHash>
#include <QStringList>

#include <functional>

class LinkListEditor;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QListView;
class QPushButton;
class TabbedPages;
class QToolButton;
class QWidget;
class PagePreviews;
class SpinEdit;
struct SettingRow;
struct SheetSettings;
class PrintDevice;
class Picture;
class QAction;
class QMenu;

// The settings window. Its values are the program's working copy of the
// settings: the store is read into them and written from them, and the
// print routines read them. One hidden instance lives for the whole run;
// the settings command opens further instances as modal dialogs.
//
// The dialogs make their controls at once. The run-long window keeps its
// values without controls, and makes the controls only when it is shown or
// ensureControls() asks for them; from then on the controls hold the values.
// Either way the values are read and set by control name below, and a
// change runs the same handlers.
class TCDSetup : public QDialog {
    Q_OBJECT
public:
    enum class Role { RunLong, Dialog };

    explicit TCDSetup(Role role, QWidget* parent = nullptr);
    ~TCDSetup() override;

    Role role() const { return m_role; }
    bool hasControls() const { return m_hasControls; }
    void ensureControls();
    void setVisible(bool visible) override;

    // The value of a check box, spin field or text field by its name; the
    // link list of the "URL's" page.
    bool isTicked(const char* control) const;
    void setTicked(const char* control, bool ticked);
    int number(const char* control) const;
    void setNumber(const char* control, int value);
    QString fieldText(const char* control) const;
    void setFieldText(const char* control, const QString& text);
    QStringList linkEntries() const;
    void setLinkEntries(const QStringList& entries);
    PagePreviews* previews() const { return m_previews; }

    // Loads the store into this window. A value of the wrong type is shown
    // in the standard error box once the load is done; a value that cannot
    // be read stops the load with SettingsError, and WriteRegistry() then
    // writes nothing (SettingsError for its first value) until a load
    // succeeds.
    void ReadRegistry();
    void WriteRegistry();

    // Controls, by the names the rest of the program uses.
    TabbedPages* PageControl = nullptr;
    QLineEdit* eDaten = nullptr;
    QLineEdit* eLabels = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QCheckBox* cbSelPrinter = nullptr;
    QCheckBox* cbAutoFormat = nullptr;
    QCheckBox* cbAutosave = nullptr;

    SpinEdit* spTop = nullptr;
    SpinEdit* spLeft = nullptr;
    SpinEdit* spTop2 = nullptr;
    SpinEdit* spLeft2 = nullptr;
    SpinEdit* spTop2Front = nullptr;
    SpinEdit* spLeft2front = nullptr;
    QCheckBox* cbUFront = nullptr;
    QCheckBox* cbUBack = nullptr;
    QCheckBox* cbSecFront = nullptr;
    QCheckBox* cbKnickTrennVR = nullptr;

    SpinEdit* spDTop = nullptr;
    SpinEdit* spDleft = nullptr;
    QCheckBox* cbUDouble = nullptr;
    QCheckBox* cbKnickTrennD = nullptr;
    QCheckBox* cbSecImg = nullptr;

    SpinEdit* spCDTop = nullptr;
    SpinEdit* spCDLeft = nullptr;
    SpinEdit* spCDTop2 = nullptr;
    SpinEdit* spCDLeft2 = nullptr;
    QCheckBox* cbCDRund = nullptr;
    SpinEdit* spMCDLoch = nullptr;

    SpinEdit* spDVDTop = nullptr;
    SpinEdit* spDVDLeft = nullptr;
    QCheckBox* cbUDVD = nullptr;
    SpinEdit* spVHSTop = nullptr;
    SpinEdit* spVHSLeft = nullptr;
    QCheckBox* cbUVHS = nullptr;

    QListWidget* ListView = nullptr;
    QPushButton* bLoadLabel = nullptr;
    QPushButton* bSave = nullptr;
    QPushButton* bUpdateLabel = nullptr;
    QPushButton* bDeleteLabel = nullptr;

    QLineEdit* eUrl = nullptr;
    QListWidget* ListBox = nullptr;
    QPushButton* bNeu = nullptr;
    QPushButton* bAendern = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button10 = nullptr;

    SpinEdit* spMV = nullptr;
    SpinEdit* spMRB = nullptr;
    SpinEdit* spMRH = nullptr;
    SpinEdit* spMDB = nullptr;
    SpinEdit* spMDH = nullptr;
    SpinEdit* spMCD = nullptr;
    SpinEdit* spMKB = nullptr;
    SpinEdit* spMDVDB = nullptr;
    SpinEdit* spMDVDH = nullptr;
    SpinEdit* spMVHSB = nullptr;
    SpinEdit* spMVHSH = nullptr;
    QCheckBox* cbMVorlagen = nullptr;
    QPushButton* Button3 = nullptr;

    QPushButton* Button1 = nullptr;
    QPushButton* bTestDruck = nullptr;
    QPushButton* Button2 = nullptr;

    // Page indexes as the rules compare them.
    enum Page {
        PageGeneral = 0, PageFrontBack, PageDouble, PageCd, PageDvd, PageVhs,
        PageTemplates, PageLinks, PageSizes, PageCount
    };

    // Handlers.
    void eDatenChange();
    void cbSelPrinterClick();
    void cbAutosaveClick();
    void cbAutoFormatClick();
    void cbSecFrontClick();
    void cbSecImgClick();
    void cbUBackClick();
    void cbUDoubleClick();
    void Button3Click();
    void FormActivate();

    // The five sheets, printed from this window's controls and the main
    // window's slots; `Test` prints outlines only.
    void PrintFrontBack(bool Test);
    void PrintDouble(bool Test);
    void PrintCDLabels(bool Test);
    void PrintDVD(bool Test);
    void PrintVHS(bool Test);
    void bTestDruckClick();
    SheetSettings sheetSettings() const;

    using SheetRoutine = void (*)(PrintDevice&, const SheetSettings&, const Picture&, const Picture&, bool);
    // The sheet as the routine draws it from this window's controls and the
    // main window's slots at this moment.
    std::function<void(PrintDevice&)> sheetJob(SheetRoutine routine, bool test) const;
    // Prints the sheet on the current printer, with the print dialog when
    // cbSelPrinter is ticked.
    void printSheet(SheetRoutine routine, bool test);
    void PageControlChange(int index);
    void TabSheet9Show();
    void SpeedButton1Click();
    void SpeedButton2Click();

    // The link list page (cdsetup_links.cpp).
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

    // Wires the page; the constructor calls it once.
    void connectTemplatePage();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The values while there are no controls; a missing entry has the value
    // a new control starts with.
    struct Values {
        QHash<QString, bool> ticks;
        QHash<QString, int> numbers;
        QHash<QString, QString> texts;
        QStringList links;
    };
    void valueChanged(const QString& control);
    void fillControls(const Values& values);
    void finishControls();
    void showSecondFrontFields(bool second);

    void buildControls();
    void connectHandlers();
    void connectPageHandlers();
    void connectLinkPage();
    void jumpToSize(SpinEdit* field);
    void FormCreate();
    void applyFoldGuideRules();

    // One stored value (or, when not `stored`, its default) into its
    // control, and back.
    void loadRow(const SettingRow& row, bool stored);
    void writeRow(const SettingRow& row);
    void loadRows(QStringList& wrongTypes);
    void loadLinkList(QStringList& wrongTypes);
    void writeLinkList();
    QWidget* messageParent();

    QWidget* controlNamed(const char* name) const;

    Role m_role;
    bool m_hasControls = false;
    Values m_values;
    // The last load stopped at a value it could not read.
    bool m_loadStopped = false;
    PagePreviews* m_previews = nullptr;
};
