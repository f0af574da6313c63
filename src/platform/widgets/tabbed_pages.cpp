#include "platform/widgets/tabbed_pages.h"

#include <QButtonGroup>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QToolButton>

namespace {

constexpr int kTabHeight = 21;
// The selected tab stands this much higher than the others and reaches
// this far down over the page's frame, so that it joins the page.
constexpr int kSelectedRise = 2;
constexpr int kSelectedOverlap = 1;

const char* const kTabStyle =
    "QToolButton { border: 1px solid palette(mid); border-bottom: none;"
    " border-top-left-radius: 3px; border-top-right-radius: 3px;"
    " background: palette(button); padding: 1px 4px; }"
    "QToolButton:hover { background: palette(light); color: palette(highlight); }"
    "QToolButton:checked { background: palette(window); }";

}  // namespace

TabbedPages::TabbedPages(std::vector<int> rows, QWidget* parent)
    : QWidget(parent), m_rows(std::move(rows)), m_group(new QButtonGroup(this)),
      m_stack(new QStackedWidget(this))
{
    m_group->setExclusive(true);
    m_stack->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    connect(m_group, &QButtonGroup::idClicked, this, &TabbedPages::pickTab);
}

int TabbedPages::addTab(QWidget* page, const QString& caption)
{
    const int index = m_stack->addWidget(page);
    auto* tab = new QToolButton(this);
    tab->setText(caption);
    tab->setCheckable(true);
    tab->setFocusPolicy(Qt::StrongFocus);
    tab->setStyleSheet(QString::fromLatin1(kTabStyle));
    tab->setObjectName(QStringLiteral("tab_") + page->objectName());
    m_group->addButton(tab, index);
    m_tabs.push_back(tab);
    if (index == 0)
        tab->setChecked(true);
    // A hidden widget is arranged by the resize event it gets when shown;
    // the settings window that lives for the whole run is never shown.
    if (isVisible())
        arrangeTabs();
    return index;
}

int TabbedPages::count() const
{
    return m_stack->count();
}

QWidget* TabbedPages::widget(int index) const
{
    return m_stack->widget(index);
}

int TabbedPages::currentIndex() const
{
    return m_stack->currentIndex();
}

QToolButton* TabbedPages::tabButton(int index) const
{
    return m_tabs.at(index);
}

void TabbedPages::setCurrentIndex(int index)
{
    if (index < 0 || index >= count())
        return;
    m_tabs[index]->setChecked(true);
    const bool changed = index != m_stack->currentIndex();
    m_stack->setCurrentIndex(index);
    if (isVisible())
        arrangeTabs();
    if (changed)
        emit pageShown(index);
}

void TabbedPages::pickTab(int index)
{
    if (index == currentIndex()) {
        m_tabs[index]->setChecked(true);
        return;
    }
    setCurrentIndex(index);
    emit pagePicked(index);
}

int TabbedPages::rowOf(int index) const
{
    int first = 0;
    for (int row = 0; row < int(m_rows.size()); ++row) {
        first += m_rows[row];
        if (index < first)
            return row;
    }
    return int(m_rows.size()) - 1;
}

// As on a platform tab bar, the row holding the selected tab lies next to
// the page and the rows before it move round to the top, keeping their
// order.
void TabbedPages::arrangeTabs()
{
    const int rowCount = int(m_rows.size());
    const int selectedRow = rowOf(currentIndex());
    int first = 0;
    for (int row = 0; row < rowCount; ++row) {
        const int inRow = qMin(m_rows[row], int(m_tabs.size()) - first);
        if (inRow <= 0)
            break;
        const int shownAt = (row - selectedRow - 1 + 2 * rowCount) % rowCount;
        arrangeRow(first, inRow, shownAt * kTabHeight);
        first += inRow;
    }
    const int top = rowCount * kTabHeight;
    m_stack->setGeometry(0, top, width(), height() - top);
    if (QToolButton* selected = currentIndex() >= 0 ? m_tabs[currentIndex()] : nullptr) {
        selected->setGeometry(selected->geometry().adjusted(0, -kSelectedRise, 0, kSelectedOverlap));
        selected->raise();
    }
}

// Every row fills the full width: each tab gets its caption's width plus an
// even share of the rest.
void TabbedPages::arrangeRow(int first, int count, int y)
{
    int natural = 0;
    for (int i = 0; i < count; ++i)
        natural += m_tabs[first + i]->sizeHint().width();
    const int extra = qMax(0, width() - natural) / count;
    int x = 0;
    for (int i = 0; i < count; ++i) {
        const bool last = i + 1 == count;
        const int tabWidth = last ? width() - x : m_tabs[first + i]->sizeHint().width() + extra;
        m_tabs[first + i]->setGeometry(x, y, tabWidth, kTabHeight);
        x += tabWidth;
    }
}

void TabbedPages::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    arrangeTabs();
}
