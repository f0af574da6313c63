#include "settings/cdsetup.h"

#include "app/globals.h"
#include "platform/error_box.h"
#include "platform/spin_edit.h"
#include "settings/cover_settings.h"
#include "settings/page_previews.h"
#include "settings/program_values.h"
#include "workspace/sleevix.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

TCDSetup::TCDSetup(Role role, QWidget* parent) : QDialog(parent), m_role(role)
{
    setObjectName(role == Role::RunLong ? QStringLiteral("CDSetup") : QStringLiteral("CDSetupDialog"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    buildControls();
    connectHandlers();
    FormCreate();
    m_previews = new PagePreviews(*this);
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
    connect(Button3, &QPushButton::clicked, this, &TCDSetup::Button3Click);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (runGuarded(this, [this] { WriteRegistry(); }))
            accept();
    });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TCDSetup::FormCreate()
{
    runGuarded(parentWidget(), [this] { ReadRegistry(); });
}

void TCDSetup::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
}

void TCDSetup::eDatenChange()
{
    program().ImageFolder = eDaten->text();
}

void TCDSetup::cbSelPrinterClick()
{
    program().SelPrinter = cbSelPrinter->isChecked();
}

void TCDSetup::cbAutosaveClick()
{
    program().AutoSave = cbAutosave->isChecked();
}

void TCDSetup::cbAutoFormatClick()
{
    program().AutoFormat = cbAutoFormat->isChecked();
    if (Sleevix)
        Sleevix->setRecognitionChecked(cbAutoFormat->isChecked());
}

void TCDSetup::cbSecFrontClick()
{
    const bool second = cbSecFront->isChecked();
    spTop2->setVisible(!second);
    spLeft2->setVisible(!second);
    spTop2Front->setVisible(second);
    spLeft2front->setVisible(second);
    applyFoldGuideRules();
    if (Sleevix)
        Sleevix->cbSecFront->setChecked(second);
}

void TCDSetup::cbSecImgClick()
{
    if (Sleevix)
        Sleevix->cbSecIMG->setChecked(cbSecImg->isChecked());
}

void TCDSetup::cbUBackClick()
{
    cbKnickTrennVR->setEnabled(cbUBack->isChecked() && !cbSecFront->isChecked());
}

void TCDSetup::cbUDoubleClick()
{
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
        findChild<SpinEdit*>(QLatin1String(size.control))->setValue(size.standard);
}
