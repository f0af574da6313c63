#include "platform/widgets/tabbed_pages.h"

#include <QButtonGroup>
#include <QChildEvent>
#include <QResizeEvent>
#include <QToolButton>

namespace {

constexpr int kTabHeight = 21;
// The selected tab stands this much higher than the others and reaches
// this far down over the page's frame, so that it joins the page.
constexpr int kSelectedRise = 2;
constexpr int kSelectedOverlap = 1;

const char* const kTabStyle
    = "QToolButton { border: 1px solid palette(mid); border-bottom: none;"
      " border-top-left-radius: 3px; border-top-right-radius: 3px;"
      " background: palette(button); padding: 1px 4px; }"
      "QToolButton:hover { background: palette(light); color: palette(highlight); }"
      "QToolButton:checked { background: palette(window); }";

}  // namespace

TabbedPages::TabbedPages(QWidget* parent) : QStackedWidget(parent), m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    connect(m_group, &QButtonGroup::idClicked, this, &TabbedPages::pickTab);
    connect(this, &QStackedWidget::currentChanged, this, &TabbedPages::selectCurrentTab);
    // The tabs come before the pages' controls in the focus chain, as on a
    // tab bar. A page brings its controls into the chain before its tab can
    // be made, so the first tab is made now, ahead of every page; each
    // further tab is then put after the one before it.
    createTab()->hide();
}

void TabbedPages::setTabsPerRow(int count)
{
    m_tabsPerRow = qMax(1, count);
    if (isVisible())
        arrangeTabs();
}

QToolButton* TabbedPages::createTab()
{
    m_creatingTab = true;
    auto* tab = new QToolButton(this);
    m_creatingTab = false;
    tab->setCheckable(true);
    tab->setFocusPolicy(Qt::StrongFocus);
    tab->setStyleSheet(QString::fromLatin1(kTabStyle));
    m_tabs.push_back(tab);
    return tab;
}

// Pages are appended (addWidget); the page joining now is the last one.
void TabbedPages::childEvent(QChildEvent* event)
{
    QStackedWidget::childEvent(event);
    if (event->added() && !m_creatingTab && event->child()->isWidgetType())
        addTabFor(static_cast<QWidget*>(event->child()));
}

void TabbedPages::addTabFor(QWidget* page)
{
    const int index = m_group->buttons().size();
    QToolButton* tab = nullptr;
    if (index == 0) {
        tab = m_tabs.front();
        tab->show();
    } else {
        tab = createTab();
        setTabOrder(m_tabs[index - 1], tab);
    }
    tab->setText(page->windowTitle());
    tab->setObjectName(QStringLiteral("tab_") + page->objectName());
    connect(page, &QWidget::windowTitleChanged, tab, [this, tab](const QString& title) {
        tab->setText(title);
        if (isVisible())
            arrangeTabs();
    });
    m_group->addButton(tab, index);
    // A hidden widget is arranged by the resize event it gets when shown;
    // the settings window that lives for the whole run is never shown.
    if (isVisible())
        arrangeTabs();
}

QToolButton* TabbedPages::tabButton(int index) const
{
    return m_tabs.at(index);
}

void TabbedPages::setCurrentIndex(int index)
{
    if (index < 0 || index >= count() || index == currentIndex())
        return;
    QStackedWidget::setCurrentIndex(index);
    emit pageShown(index);
}

void TabbedPages::selectCurrentTab()
{
    if (QAbstractButton* tab = m_group->button(currentIndex()))
        tab->setChecked(true);
    if (isVisible())
        arrangeTabs();
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

int TabbedPages::rowCount() const
{
    return (int(m_group->buttons().size()) + m_tabsPerRow - 1) / m_tabsPerRow;
}

// As on a platform tab bar, the row holding the selected tab lies next to
// the page and the rows before it move round to the top, keeping their
// order.
void TabbedPages::arrangeTabs()
{
    const int tabCount = int(m_group->buttons().size());
    const int rows = rowCount();
    // The page's frame and the page itself lie below the rows of tabs.
    setFrameRect(rect().adjusted(0, rows * kTabHeight, 0, 0));
    if (rows == 0)
        return;
    const int selectedRow = qMax(0, currentIndex()) / m_tabsPerRow;
    for (int row = 0; row < rows; ++row) {
        const int first = row * m_tabsPerRow;
        const int shownAt = (row - selectedRow - 1 + 2 * rows) % rows;
        arrangeRow(first, qMin(m_tabsPerRow, tabCount - first), shownAt * kTabHeight);
    }
    if (QAbstractButton* selected = m_group->button(currentIndex())) {
        selected->setGeometry(
            selected->geometry().adjusted(0, -kSelectedRise, 0, kSelectedOverlap));
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
    QStackedWidget::resizeEvent(event);
    arrangeTabs();
}
