#include "print/calibration_dialog.h"

#include "ui_calibration_dialog.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
constexpr int kCorrectionShownOverMm = 200;

int tenths(const QDoubleSpinBox* field)
{
    return static_cast<int>(std::lround(field->value() * 10));
}

// The scale that makes a ruler of `nominalMm`, measured `measured` long,
// come out at its nominal length: nominal over measured, in millionths.
int scaleOf(int nominalMm, const QDoubleSpinBox* measured)
{
    const double scale
        = nominalMm * 10.0 * PrinterCalibration::kUnitScale / std::max(1, tenths(measured));
    return std::clamp(static_cast<int>(std::lround(scale)), PrinterCalibration::kMinScale,
                      PrinterCalibration::kMaxScale);
}

// The length a ruler of `nominalMm` was measured at when the scale is
// `scale`, in millimetres to a tenth.
double measuredFor(int nominalMm, int scale)
{
    return std::round(nominalMm * 10.0 * PrinterCalibration::kUnitScale / scale) / 10;
}

// The lengths a ruler can be measured at whose scales are within limits.
void limitToScales(QDoubleSpinBox* field, int nominalMm)
{
    field->setRange(
        std::ceil(nominalMm * 10.0 * PrinterCalibration::kUnitScale / PrinterCalibration::kMaxScale)
            / 10,
        std::floor(nominalMm * 10.0 * PrinterCalibration::kUnitScale
                   / PrinterCalibration::kMinScale)
            / 10);
}

// "+2,0 mm", "−0,5 mm", "±0,0 mm" for the stretch over 200 mm.
QString stretchOver200(int scale)
{
    const double mm = (scale - PrinterCalibration::kUnitScale) * double(kCorrectionShownOverMm)
        / PrinterCalibration::kUnitScale;
    const double shown = std::round(mm * 10) / 10;
    const QString figure = kGerman.toString(std::abs(shown), 'f', 1);
    if (shown == 0)
        return QStringLiteral("±%1 mm").arg(figure);
    return QStringLiteral("%1%2 mm").arg(shown > 0 ? QStringLiteral("+") : QStringLiteral("−"),
                                         figure);
}

}  // namespace

CalibrationDialog::CalibrationDialog(const QString& printer, const PrinterCalibration& current,
                                     const CalibrationRulers& rulers, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CalibrationDialog>()), m_rulers(rulers)
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_ui->PrinterLabel->setText(m_ui->PrinterLabel->text().arg(printer.toHtmlEscaped()));
    for (QLabel* hint : {m_ui->PrintHint, m_ui->OffsetHint})
        hint->setText(hint->text().arg(kCalibrationCrossMm));
    m_ui->MeasuredAcrossLabel->setText(
        m_ui->MeasuredAcrossLabel->text().arg(rulers.acrossLengthMm));
    m_ui->MeasuredDownLabel->setText(m_ui->MeasuredDownLabel->text().arg(rulers.downLengthMm));
    limitToScales(m_ui->MeasuredAcross, rulers.acrossLengthMm);
    limitToScales(m_ui->MeasuredDown, rulers.downLengthMm);
    m_ui->Buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Übernehmen"));
    m_ui->Buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Abbrechen"));

    connect(m_ui->Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->PrintCalibrationPage, &QPushButton::clicked, this,
            &CalibrationDialog::printPageRequested);
    connect(m_ui->ResetCalibration, &QPushButton::clicked, this,
            [this] { showCalibration(PrinterCalibration()); });
    for (QDoubleSpinBox* measured : {m_ui->MeasuredAcross, m_ui->MeasuredDown})
        connect(measured, &QDoubleSpinBox::valueChanged, this, &CalibrationDialog::showCorrection);
    showCalibration(current);
}

CalibrationDialog::~CalibrationDialog() = default;

void CalibrationDialog::showCalibration(const PrinterCalibration& calibration)
{
    m_ui->MeasuredAcross->setValue(measuredFor(m_rulers.acrossLengthMm, calibration.scaleX));
    m_ui->MeasuredDown->setValue(measuredFor(m_rulers.downLengthMm, calibration.scaleY));
    m_ui->CorrectionX->setValue(
        PrinterCalibration::entryForOffset(calibration.tenthsX, calibration.scaleX) / 10.0);
    m_ui->CorrectionY->setValue(
        PrinterCalibration::entryForOffset(calibration.tenthsY, calibration.scaleY) / 10.0);
    showCorrection();
}

void CalibrationDialog::showCorrection()
{
    const PrinterCalibration shown = calibration();
    m_ui->CorrectionShown->setText(
        QStringLiteral("Korrektur auf %1 mm: quer %2, längs %3")
            .arg(kCorrectionShownOverMm)
            .arg(stretchOver200(shown.scaleX), stretchOver200(shown.scaleY)));
}

PrinterCalibration CalibrationDialog::calibration() const
{
    const int scaleX = scaleOf(m_rulers.acrossLengthMm, m_ui->MeasuredAcross);
    const int scaleY = scaleOf(m_rulers.downLengthMm, m_ui->MeasuredDown);
    return {PrinterCalibration::offsetForEntry(tenths(m_ui->CorrectionX), scaleX),
            PrinterCalibration::offsetForEntry(tenths(m_ui->CorrectionY), scaleY), scaleX, scaleY};
}

QDoubleSpinBox* CalibrationDialog::correctionX() const
{
    return m_ui->CorrectionX;
}
QDoubleSpinBox* CalibrationDialog::correctionY() const
{
    return m_ui->CorrectionY;
}
QDoubleSpinBox* CalibrationDialog::measuredAcross() const
{
    return m_ui->MeasuredAcross;
}
QDoubleSpinBox* CalibrationDialog::measuredDown() const
{
    return m_ui->MeasuredDown;
}
QPushButton* CalibrationDialog::printPageButton() const
{
    return m_ui->PrintCalibrationPage;
}
QPushButton* CalibrationDialog::resetButton() const
{
    return m_ui->ResetCalibration;
}
QLabel* CalibrationDialog::correctionShown() const
{
    return m_ui->CorrectionShown;
}
