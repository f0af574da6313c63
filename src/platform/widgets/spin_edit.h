#pragma once

#include <QAbstractSpinBox>

// An integer field with arrow buttons. Its value is its text read as an
// integer; text that is not an integer (empty, a lone sign) reads as the
// minimum. Values set by the program, stepped, or left behind when the field
// loses the focus are clamped into the limits; minimum == maximum means no
// limits at all. `changed` is emitted whenever the text really changes.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    void setLimits(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    bool hasLimits() const { return m_minimum != m_maximum; }

    int value() const;
    void setValue(int value);
    QString text() const;
    void setText(const QString& text);
    // Where the base line of the text lies, from the field's top, as the
    // field draws it at its current size: a unit label beside the field
    // sits on it.
    int textBaseline() const;

signals:
    void changed();

protected:
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int clamp(qint64 value) const;

    int m_minimum = 0;
    int m_maximum = 0;
};
