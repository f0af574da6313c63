#pragma once

#include <QFrame>
#include <QStringList>

#include <vector>

class QLabel;

// The main window's status bar: a row of text panels of set widths. A text
// longer than its panel ends in "…"; the panel's tooltip shows it whole. It
// can take the keyboard focus, so handlers can move the focus away from the
// check boxes onto it.
class StatusBar : public QFrame {
    Q_OBJECT
    // The panels' widths from left to right, as Qt Designer keeps them: a
    // list of numbers separated by commas ("8,288,300"); Designer has no
    // property type for a list of numbers. Setting it makes the panels.
    Q_PROPERTY(QString panelWidths READ panelWidthList WRITE setPanelWidthList)
public:
    explicit StatusBar(QWidget* parent = nullptr);

    QString panelWidthList() const;
    void setPanelWidthList(const QString& widths);
    void setPanelWidths(const std::vector<int>& widths);

    int panelCount() const { return int(m_panels.size()); }
    // The whole text, as it was set.
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    int panelWidth(int index) const;
    void setPanelWidth(int index, int width);
    QLabel* panel(int index) const { return m_panels.at(index); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrangePanels();
    void showText(int index);

    std::vector<QLabel*> m_panels;
    std::vector<int> m_widths;
    QStringList m_texts;
};
