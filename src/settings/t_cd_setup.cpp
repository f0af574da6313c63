#include "settings/t_cd_setup.h"

#include "model/main_window_control.h"
#include "model/main_window_view.h"
#include "model/program_values.h"
#include "model/setting_table.h"
#include "platform/printing/printer_choice.h"
#include "platform/store/settings_error.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/error_box.h"
#include "platform/widgets/spin_edit.h"
#include "platform/widgets/tabbed_pages.h"
#include "settings/page_previews.h"
#include "settings/setting_bindings.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

#include <memory>

TCDSetup::TCDSetup(Role role, MainWindowControl& mainWindow, const MainWindowView& mainWindowView,
                   QWidget* parent)
    // Value-initialising the Ui base nulls the controls of a window that
    // never makes them.
    : QDialog(parent), Ui::TCDSetup(), m_role(role), m_mainWindow(mainWindow),
      m_mainWindowView(mainWindowView)
{
    setObjectName(role == Role::RunLong ? QStringLiteral("CDSetup")
                                        : QStringLiteral("CDSetupDialog"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (hasControls()) {
        setUpControls();
        // The controls show the settings before anything reacts to them.
        m_bindings = new SettingBindings(m_settings, *this);
    }
    connectSettingHandlers();
    if (hasControls())
        connectControls();
    FormCreate();
    if (hasControls()) {
        connectTemplatePage();
        m_previews = new PagePreviews(*this, m_mainWindowView);
        connectLinkPage();
    }
}

TCDSetup::~TCDSetup() = default;

void TCDSetup::setUpControls()
{
    setupUi(this);
    // The second front's position fields share the back page's place.
    spTop2Front->hide();
    spLeft2front->hide();
}

void TCDSetup::connectSettingHandlers()
{
    connect(&m_settings, &CoverSettings::folderChanged, this, [this](Folder folder) {
        if (folder == Folder::eDaten)
            eDatenChange();
    });
    const std::pair<Check, void (TCDSetup::*)()> handlers[] = {
        {Check::cbSelPrinter, &TCDSetup::cbSelPrinterClick},
        {Check::cbAutosave, &TCDSetup::cbAutosaveClick},
        {Check::cbAutoFormat, &TCDSetup::cbAutoFormatClick},
        {Check::cbSecFront, &TCDSetup::cbSecFrontClick},
        {Check::cbSecImg, &TCDSetup::cbSecImgClick},
        {Check::cbUBack, &TCDSetup::cbUBackClick},
        {Check::cbUDouble, &TCDSetup::cbUDoubleClick},
    };
    connect(&m_settings, &CoverSettings::tickChanged, this, [this, handlers](Check check) {
        for (const auto& [box, handler] : handlers) {
            if (box == check)
                (this->*handler)();
        }
    });
}

void TCDSetup::connectControls()
{
    // The hole only matters for round labels.
    spMCDLoch->setEnabled(cbCDRund->isChecked());
    connect(cbCDRund, &QCheckBox::toggled, spMCDLoch, &QWidget::setEnabled);
    connect(Button3, &QPushButton::clicked, this, &TCDSetup::Button3Click);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (runGuarded(this, [this] { WriteRegistry(); }))
            accept();
    });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connectPageHandlers();
}

void TCDSetup::FormCreate()
{
    runGuarded(parentWidget(), [this] { ReadRegistry(); });
}

void TCDSetup::ReadRegistry()
{
    QStringList wrongTypes;
    try {
        wrongTypes = m_settings.load(SettingsStore::user());
    } catch (const SettingsError&) {
        m_loadStopped = true;
        throw;
    }
    m_loadStopped = false;
    program().AutoSave = m_settings.ticked(Check::cbAutosave);
    program().AutoFormat = m_settings.ticked(Check::cbAutoFormat);
    applyFoldGuideRules();
    m_mainWindow.setRecognitionChecked(m_settings.ticked(Check::cbAutoFormat));
    SelectSavedPrinter();
    if (!wrongTypes.isEmpty())
        showErrorBox(messageParent(), wrongTypes.join(u'\n'));
}

QWidget* TCDSetup::messageParent()
{
    return isVisible() ? this : parentWidget();
}

void TCDSetup::SelectSavedPrinter()
{
    // A name taken from the current printer would select that printer
    // itself, and reading it means asking the print system.
    if (!program().printerNameFromSystem())
        PrinterChoice::instance().selectPrinterNamed(program().printerName());
}

void TCDSetup::WriteRegistry()
{
    // Saving a window whose load stopped early would write the values it
    // never read over the stored ones: the save stops at its first value.
    if (m_loadStopped)
        throw SettingsError(
            SettingsStore::writeFailure(QLatin1String(settingWriteOrder().front()->valueName)));
    m_settings.save(SettingsStore::user());
}

void TCDSetup::execDialog(QWidget* parent)
{
    auto dialog = std::make_unique<TCDSetup>(Role::Dialog, m_mainWindow, m_mainWindowView, parent);
    dialog->exec();
}

void TCDSetup::connectPageHandlers()
{
    connect(PageControl, &TabbedPages::pageShown, this, [this](int index) {
        if (index == PageSizes)
            TabSheet9Show();
    });
    connect(PageControl, &TabbedPages::pagePicked, this, &TCDSetup::PageControlChange);
    const std::pair<QPushButton*, SpinEdit*> jumps[] = {
        {Button6, spMV}, {Button5, spMDB}, {Button9, spMCD}, {Button7, spMDVDB}, {Button8, spMVHSB},
    };
    for (const auto& [button, field] : jumps)
        connect(button, &QPushButton::clicked, this, [this, field = field] { jumpToSize(field); });
    connect(bTestDruck, &QPushButton::clicked, this, &TCDSetup::bTestDruckClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TCDSetup::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TCDSetup::SpeedButton2Click);
    chooseFolder = [this](const QString& title) {
        return QFileDialog::getExistingDirectory(this, title, QString(), QFileDialog::ShowDirsOnly);
    };
}

void TCDSetup::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_role == Role::Dialog && !event->spontaneous())
        runGuarded(this, [this] { FormActivate(); });
}

void TCDSetup::paintEvent(QPaintEvent* event)
{
    bTestDruck->setToolTip(
        QStringLiteral(
            "Bei einem Testdruck wird nur eine Umrandung in Grösse des Labels auf %1 gedruckt")
            .arg(program().printerName()));
    QDialog::paintEvent(event);
}

void TCDSetup::FormActivate()
{
    ReadRegistry();
    m_settings.setTicked(Check::cbAutoFormat, m_mainWindowView.recognitionChecked());
    m_settings.setTicked(Check::cbSecFront, m_mainWindowView.layoutTicked(LayoutBox::SecondFront));
    m_settings.setTicked(Check::cbSecImg, m_mainWindowView.layoutTicked(LayoutBox::SecondPicture));
    int page = PageFrontBack;
    const std::pair<LayoutBox, int> layoutPages[] = {
        {LayoutBox::LayoutDouble, PageDouble},
        {LayoutBox::LayoutCd, PageCd},
        {LayoutBox::LayoutDvd, PageDvd},
        {LayoutBox::LayoutVhs, PageVhs},
    };
    for (const auto& [box, index] : layoutPages) {
        if (m_mainWindowView.layoutTicked(box))
            page = index;
    }
    PageControl->setCurrentIndex(page);
    m_previews->showPage(page);
    LoadFileList();
}

void TCDSetup::PageControlChange(int index)
{
    bTestDruck->setEnabled(index >= PageFrontBack && index <= PageVhs);
    if (index == PageTemplates)
        LoadFileList();
}

void TCDSetup::TabSheet9Show()
{
    bTestDruck->setEnabled(false);
}

void TCDSetup::jumpToSize(SpinEdit* field)
{
    PageControl->setCurrentIndex(PageSizes);
    field->setFocus(Qt::OtherFocusReason);
}

void TCDSetup::SpeedButton1Click()
{
    const QString folder = chooseFolder(QStringLiteral("Anfangsverzeichnis wählen"));
    if (!folder.isEmpty())
        m_settings.setFolder(Folder::eDaten, QDir::toNativeSeparators(folder));
}

void TCDSetup::SpeedButton2Click()
{
    const QString folder = chooseFolder(QStringLiteral("Labelverzeichnis wählen"));
    if (!folder.isEmpty())
        m_settings.setFolder(Folder::eLabels, QDir::toNativeSeparators(folder));
}

void TCDSetup::eDatenChange()
{
    program().ImageFolder = m_settings.folder(Folder::eDaten);
}

void TCDSetup::cbSelPrinterClick()
{
    program().SelPrinter = m_settings.ticked(Check::cbSelPrinter);
}

void TCDSetup::cbAutosaveClick()
{
    program().AutoSave = m_settings.ticked(Check::cbAutosave);
}

void TCDSetup::cbAutoFormatClick()
{
    program().AutoFormat = m_settings.ticked(Check::cbAutoFormat);
    m_mainWindow.setRecognitionChecked(m_settings.ticked(Check::cbAutoFormat));
}

void TCDSetup::showSecondFrontFields(bool second)
{
    spTop2->setVisible(!second);
    spLeft2->setVisible(!second);
    spTop2Front->setVisible(second);
    spLeft2front->setVisible(second);
    // The shared labels' accelerators lead to the pair on view.
    lTop2->setBuddy(second ? spTop2Front : spTop2);
    lLeft2->setBuddy(second ? spLeft2front : spLeft2);
}

void TCDSetup::cbSecFrontClick()
{
    const bool second = m_settings.ticked(Check::cbSecFront);
    if (hasControls()) {
        showSecondFrontFields(second);
        applyFoldGuideRules();
    }
    m_mainWindow.setLayoutTicked(LayoutBox::SecondFront, second);
}

void TCDSetup::cbSecImgClick()
{
    m_mainWindow.setLayoutTicked(LayoutBox::SecondPicture, m_settings.ticked(Check::cbSecImg));
}

void TCDSetup::cbUBackClick()
{
    if (hasControls()) {
        cbKnickTrennVR->setEnabled(m_settings.ticked(Check::cbUBack)
                                   && !m_settings.ticked(Check::cbSecFront));
    }
}

void TCDSetup::cbUDoubleClick()
{
    if (hasControls())
        cbKnickTrennD->setEnabled(m_settings.ticked(Check::cbUDouble));
}

void TCDSetup::applyFoldGuideRules()
{
    cbUBackClick();
    cbUDoubleClick();
}

void TCDSetup::Button3Click()
{
    m_settings.restoreStandardSizes();
}
