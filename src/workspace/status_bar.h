#pragma once

#include <QFrame>

#include <vector>

class QLabel;

// The main window's status bar: a row of text panels of set widths. It can
// take the keyboard focus, so handlers can move the focus away from the
// check boxes onto it.
class StatusBar : public QFrame {
    Q_OBJECT
public:
    explicit StatusBar(const std::vector<int>& widths, QWidget* parent = nullptr);

    int panelCount() const { return int(m_panels.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    int panelWidth(int index) const;
    void setPanelWidth(int index, int width);

private:
    void arrangePanels();

    std::vector<QLabel*> m_panels;
    std::vector<int> m_widths;
};
