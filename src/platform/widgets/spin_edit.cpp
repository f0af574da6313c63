#include "platform/widgets/spin_edit.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

std::optional<qint64> parseInteger(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return value;
}

}  // namespace

SpinEdit::SpinEdit(QWidget* parent) : QAbstractSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    lineEdit()->setText(QStringLiteral("0"));
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::changed);
}

void SpinEdit::setLimits(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    setValue(value());
}

int SpinEdit::clamp(qint64 value) const
{
    if (!hasLimits())
        return int(value);
    return int(std::clamp<qint64>(value, m_minimum, m_maximum));
}

int SpinEdit::value() const
{
    const auto parsed = parseInteger(lineEdit()->text());
    return parsed ? int(*parsed) : m_minimum;
}

void SpinEdit::setValue(int value)
{
    setText(QString::number(clamp(value)));
}

QString SpinEdit::text() const
{
    return lineEdit()->text();
}

void SpinEdit::setText(const QString& text)
{
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

int SpinEdit::textBaseline() const
{
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QRect field
        = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, this);
    // The text line is centred in the edit field as QLineEdit centres it,
    // rounding down.
    const QFontMetrics metrics = lineEdit()->fontMetrics();
    return field.y() + (field.height() - metrics.height() + 1) / 2 + metrics.ascent();
}

void SpinEdit::stepBy(int steps)
{
    setValue(clamp(qint64(value()) + steps));
    selectAll();
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    if (!hasLimits())
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (value() < m_maximum)
        enabled |= StepUpEnabled;
    if (value() > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State SpinEdit::validate(QString& input, int&) const
{
    // Anything made of an optional sign and digits may be typed; what it
    // reads as is decided by value().
    static const QRegularExpression integerPrefix(QStringLiteral("^[+-]?[0-9]*$"));
    return integerPrefix.match(input.trimmed()).hasMatch() ? QValidator::Acceptable
                                                           : QValidator::Invalid;
}

void SpinEdit::fixup(QString&) const
{ }

void SpinEdit::focusOutEvent(QFocusEvent* event)
{
    if (parseInteger(lineEdit()->text()))
        setValue(value());
    QAbstractSpinBox::focusOutEvent(event);
}
