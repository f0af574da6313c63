#include "print/calibration_dialog.h"

#include "print/calibration_page.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

// Numbers and their units are joined by no-break spaces (U+00A0), so that a
// line never breaks between them.
QLabel* paragraph(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QString measuringHint()
{
    return QStringLiteral(
               "2. Messen Sie mit einem Lineal, wie weit die Mitte des Kreuzes vom linken und vom oberen "
               "Papierrand entfernt ist. Tragen Sie jeweils %1\u00a0mm minus den gemessenen Abstand ein: "
               "gemessen 21,5\u00a0mm ergibt \u22121,5\u00a0mm, gemessen 19,3\u00a0mm ergibt +0,7\u00a0mm.")
        .arg(kCalibrationCrossMm);
}

const QString kSignHint = QStringLiteral(
    "Positive Werte verschieben jeden Ausdruck auf diesem Drucker nach rechts bzw. nach unten, "
    "negative nach links bzw. nach oben. Die Kalibrierungsseite selbst wird immer ohne Korrektur "
    "gedruckt.");

}  // namespace

CalibrationDialog::CalibrationDialog(const QString& printer, const PrinterCalibration& current, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CalibrationDialog"));
    setWindowTitle(QStringLiteral("Drucker kalibrieren"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(paragraph(QStringLiteral("Drucker: <b>%1</b>").arg(printer.toHtmlEscaped()), this));
    layout->addWidget(paragraph(
        QStringLiteral("1. Drucken Sie die Kalibrierungsseite. Sie zeigt ein Kreuz %1\u00a0mm vom linken und "
                       "%1\u00a0mm vom oberen Papierrand und Millimeterlineale am oberen und linken Rand.")
            .arg(kCalibrationCrossMm),
        this));
    m_printPage = new QPushButton(QStringLiteral("Kalibrierungsseite &drucken"), this);
    m_printPage->setObjectName(QStringLiteral("PrintCalibrationPage"));
    m_printPage->setAutoDefault(false);
    connect(m_printPage, &QPushButton::clicked, this, &CalibrationDialog::printPageRequested);
    layout->addWidget(m_printPage, 0, Qt::AlignLeft);
    layout->addWidget(paragraph(measuringHint(), this));

    auto* fields = new QFormLayout;
    m_x = addCorrectionField("CorrectionX", current.tenthsX / 10.0);
    m_y = addCorrectionField("CorrectionY", current.tenthsY / 10.0);
    fields->addRow(QStringLiteral("&Waagerecht (nach rechts):"), m_x);
    fields->addRow(QStringLiteral("&Senkrecht (nach unten):"), m_y);
    layout->addLayout(fields);
    layout->addWidget(paragraph(kSignHint, this));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Übernehmen"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setFixedWidth(440);
}

QDoubleSpinBox* CalibrationDialog::addCorrectionField(const char* name, double value)
{
    auto* field = new QDoubleSpinBox(this);
    field->setObjectName(QLatin1String(name));
    field->setLocale(QLocale(QLocale::German, QLocale::Germany));
    field->setDecimals(1);
    field->setSingleStep(0.1);
    field->setRange(-PrinterCalibration::kLimit / 10.0, PrinterCalibration::kLimit / 10.0);
    field->setSuffix(QStringLiteral(" mm"));
    field->setValue(value);
    return field;
}

PrinterCalibration CalibrationDialog::calibration() const
{
    return {static_cast<int>(std::lround(m_x->value() * 10)), static_cast<int>(std::lround(m_y->value() * 10))};
}
