#include "workspace/status_bar.h"

#include <QLabel>

namespace {

// Space between a panel's frame and its text.
constexpr int kTextIndent = 2;

}  // namespace

StatusBar::StatusBar(QWidget* parent) : QFrame(parent)
{
    setFocusPolicy(Qt::ClickFocus);
}

QString StatusBar::panelWidthList() const
{
    QStringList widths;
    for (int width : m_widths)
        widths.append(QString::number(width));
    return widths.join(QLatin1Char(','));
}

void StatusBar::setPanelWidthList(const QString& widths)
{
    std::vector<int> numbers;
    for (const QString& width : widths.split(QLatin1Char(','), Qt::SkipEmptyParts))
        numbers.push_back(width.trimmed().toInt());
    setPanelWidths(numbers);
}

void StatusBar::setPanelWidths(const std::vector<int>& widths)
{
    m_widths = widths;
    while (m_panels.size() < widths.size()) {
        auto* panel = new QLabel(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        panel->setIndent(kTextIndent);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(m_panels.size()));
        m_panels.push_back(panel);
        m_texts.append(QString());
    }
    while (m_panels.size() > widths.size()) {
        delete m_panels.back();
        m_panels.pop_back();
        m_texts.removeLast();
    }
    arrangePanels();
}

QString StatusBar::panelText(int index) const
{
    return m_texts.at(index);
}

void StatusBar::setPanelText(int index, const QString& text)
{
    m_texts[index] = text;
    m_panels.at(index)->setToolTip(text);
    showText(index);
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

void StatusBar::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    arrangePanels();
}

void StatusBar::arrangePanels()
{
    int x = 0;
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        // The last panel takes what is left of the bar, never more.
        const bool last = i + 1 == m_panels.size();
        const int width = last ? this->width() - x : m_widths[i];
        m_panels[i]->setGeometry(x, 0, qMax(0, width - 2), height());
        showText(int(i));
        x += m_widths[i];
    }
}

void StatusBar::showText(int index)
{
    QLabel* panel = m_panels.at(index);
    const int room = panel->contentsRect().width() - kTextIndent;
    panel->setText(
        panel->fontMetrics().elidedText(m_texts.at(index), Qt::ElideRight, qMax(0, room)));
}
