#include "workspace/status_bar.h"

#include <QLabel>

StatusBar::StatusBar(const std::vector<int>& widths, QWidget* parent)
    : QFrame(parent), m_widths(widths)
{
    setFocusPolicy(Qt::ClickFocus);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_panels.push_back(panel);
    }
    arrangePanels();
}

QString StatusBar::panelText(int index) const
{
    return m_panels.at(index)->text();
}

void StatusBar::setPanelText(int index, const QString& text)
{
    m_panels.at(index)->setText(text);
    m_panels.at(index)->setToolTip(text);
}

int StatusBar::panelWidth(int index) const
{
    return m_widths.at(index);
}

void StatusBar::setPanelWidth(int index, int width)
{
    m_widths.at(index) = width;
    arrangePanels();
}

void StatusBar::arrangePanels()
{
    int x = 0;
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        // The last panel takes what is left of the bar.
        const bool last = i + 1 == m_panels.size();
        const int width = last ? qMax(m_widths[i], this->width() - x) : m_widths[i];
        m_panels[i]->setGeometry(x, 0, qMax(0, width - 2), height());
        x += m_widths[i];
    }
}
