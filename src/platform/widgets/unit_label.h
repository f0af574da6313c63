#pragma once

#include <QLabel>

// The unit after a spin field ("mm"), its buddy, on the base line of the
// field's text. Where that base line lies depends on the font and the
// style, so the label takes its place and size when it is first polished,
// before it first shows.
class UnitLabel : public QLabel {
    Q_OBJECT
public:
    explicit UnitLabel(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;

private:
    void alignToField();
};
