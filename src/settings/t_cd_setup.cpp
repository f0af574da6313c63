#include "settings/t_cd_setup.h"

#include "app/globals.h"
#include "platform/widgets/error_box.h"
#include "platform/widgets/spin_edit.h"
#include "platform/widgets/tabbed_pages.h"
#include "settings/cover_settings.h"
#include "settings/page_previews.h"
#include "model/program_values.h"
#include "workspace/t_sleevix.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QShowEvent>
#include <QToolButton>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

TCDSetup::TCDSetup(Role role, QWidget* parent) : QDialog(parent), m_role(role)
{
    setObjectName(role == Role::RunLong ? QStringLiteral("CDSetup") : QStringLiteral("CDSetupDialog"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (role == Role::Dialog) {
        buildControls();
        connectHandlers();
        m_hasControls = true;
    }
    FormCreate();
    if (m_hasControls)
        finishControls();
}

void TCDSetup::finishControls()
{
    connectTemplatePage();
    m_previews = new PagePreviews(*this);
    connectLinkPage();
}

void TCDSetup::ensureControls()
{
    if (m_hasControls)
        return;
    buildControls();
    // The values go in before the handlers are connected: their effects
    // outside the window happened when the values changed.
    fillControls(std::exchange(m_values, {}));
    m_hasControls = true;
    connectHandlers();
    if (cbSecFront->isChecked())
        showSecondFrontFields(true);
    applyFoldGuideRules();
    finishControls();
}

void TCDSetup::setVisible(bool visible)
{
    if (visible)
        ensureControls();
    QDialog::setVisible(visible);
}

TCDSetup::~TCDSetup() = default;

void TCDSetup::connectHandlers()
{
    connect(eDaten, &QLineEdit::textChanged, this, &TCDSetup::eDatenChange);
    connect(cbSelPrinter, &QCheckBox::toggled, this, &TCDSetup::cbSelPrinterClick);
    connect(cbAutosave, &QCheckBox::toggled, this, &TCDSetup::cbAutosaveClick);
    connect(cbAutoFormat, &QCheckBox::toggled, this, &TCDSetup::cbAutoFormatClick);
    connect(cbSecFront, &QCheckBox::toggled, this, &TCDSetup::cbSecFrontClick);
    connect(cbSecImg, &QCheckBox::toggled, this, &TCDSetup::cbSecImgClick);
    connect(cbUBack, &QCheckBox::toggled, this, &TCDSetup::cbUBackClick);
    connect(cbUDouble, &QCheckBox::toggled, this, &TCDSetup::cbUDoubleClick);
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

void TCDSetup::connectPageHandlers()
{
    connect(PageControl, &TabbedPages::pageShown, this, [this](int index) {
        if (index == PageSizes)
            TabSheet9Show();
    });
    connect(PageControl, &TabbedPages::pagePicked, this, &TCDSetup::PageControlChange);
    const std::pair<const char*, SpinEdit*> jumps[] = {
        {"Button6", spMV}, {"Button5", spMDB}, {"Button9", spMCD},
        {"Button7", spMDVDB}, {"Button8", spMVHSB},
    };
    for (const auto& [button, field] : jumps) {
        connect(findChild<QPushButton*>(QLatin1String(button)), &QPushButton::clicked, this,
                [this, field = field] { jumpToSize(field); });
    }
    connect(bTestDruck, &QPushButton::clicked, this, &TCDSetup::bTestDruckClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TCDSetup::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TCDSetup::SpeedButton2Click);
    chooseFolder = [this](const QString& title) {
        return QFileDialog::getExistingDirectory(this, title, QString(),
                                                 QFileDialog::ShowDirsOnly);
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
        QStringLiteral("Bei einem Testdruck wird nur eine Umrandung in Grösse des Labels auf %1 gedruckt")
            .arg(program().printerName()));
    QDialog::paintEvent(event);
}

void TCDSetup::FormActivate()
{
    ReadRegistry();
    if (!Sleevix)
        return;
    cbAutoFormat->setChecked(Sleevix->recognitionChecked());
    cbSecFront->setChecked(Sleevix->cbSecFront->isChecked());
    cbSecImg->setChecked(Sleevix->cbSecIMG->isChecked());
    int page = PageFrontBack;
    const std::pair<QCheckBox*, int> layoutPages[] = {
        {Sleevix->cbDouble, PageDouble}, {Sleevix->cbCD, PageCd},
        {Sleevix->cbDVD, PageDvd}, {Sleevix->cbVHS, PageVhs},
    };
    for (const auto& [box, index] : layoutPages) {
        if (box->isChecked())
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
        eDaten->setText(QDir::toNativeSeparators(folder));
}

void TCDSetup::SpeedButton2Click()
{
    const QString folder = chooseFolder(QStringLiteral("Labelverzeichnis wählen"));
    if (!folder.isEmpty())
        eLabels->setText(QDir::toNativeSeparators(folder));
}

void TCDSetup::eDatenChange()
{
    program().ImageFolder = fieldText("eDaten");
}

void TCDSetup::cbSelPrinterClick()
{
    program().SelPrinter = isTicked("cbSelPrinter");
}

void TCDSetup::cbAutosaveClick()
{
    program().AutoSave = isTicked("cbAutosave");
}

void TCDSetup::cbAutoFormatClick()
{
    program().AutoFormat = isTicked("cbAutoFormat");
    if (Sleevix)
        Sleevix->setRecognitionChecked(isTicked("cbAutoFormat"));
}

void TCDSetup::showSecondFrontFields(bool second)
{
    spTop2->setVisible(!second);
    spLeft2->setVisible(!second);
    spTop2Front->setVisible(second);
    spLeft2front->setVisible(second);
    // The shared labels' accelerators lead to the pair on view.
    findChild<QLabel*>(QStringLiteral("lTop2"))->setBuddy(second ? spTop2Front : spTop2);
    findChild<QLabel*>(QStringLiteral("lLeft2"))->setBuddy(second ? spLeft2front : spLeft2);
}

void TCDSetup::cbSecFrontClick()
{
    const bool second = isTicked("cbSecFront");
    if (m_hasControls) {
        showSecondFrontFields(second);
        applyFoldGuideRules();
    }
    if (Sleevix)
        Sleevix->cbSecFront->setChecked(second);
}

void TCDSetup::cbSecImgClick()
{
    if (Sleevix)
        Sleevix->cbSecIMG->setChecked(isTicked("cbSecImg"));
}

void TCDSetup::cbUBackClick()
{
    if (m_hasControls)
        cbKnickTrennVR->setEnabled(cbUBack->isChecked() && !cbSecFront->isChecked());
}

void TCDSetup::cbUDoubleClick()
{
    if (m_hasControls)
        cbKnickTrennD->setEnabled(cbUDouble->isChecked());
}

void TCDSetup::applyFoldGuideRules()
{
    cbUBackClick();
    cbUDoubleClick();
}

void TCDSetup::Button3Click()
{
    for (const StandardSize& size : standardSizes())
        setNumber(size.control, size.standard);
}
