#pragma once

#include <QStackedWidget>

#include <vector>

class QButtonGroup;
class QToolButton;

// Pages with their tabs in several rows, so that every tab caption shows in
// full on a narrow dialog. The row of the selected tab lies next to the
// page, and the selected tab joins the page. The tab under the mouse is
// highlighted.
//
// Each page added with addWidget() gets a tab, captioned with the page's
// window title (kept up to date), so that the pages can be laid out in Qt
// Designer as the pages of a stacked widget.
class TabbedPages : public QStackedWidget {
    Q_OBJECT
    // How many tabs go into each row, top row first; the last row takes the
    // rest.
    Q_PROPERTY(int tabsPerRow READ tabsPerRow WRITE setTabsPerRow)
public:
    explicit TabbedPages(QWidget* parent = nullptr);

    int tabsPerRow() const { return m_tabsPerRow; }
    void setTabsPerRow(int count);

    // Chooses a page from the program: pageShown is emitted, pagePicked not.
    void setCurrentIndex(int index);
    QToolButton* tabButton(int index) const;
    // The page as the user picks it by its tab.
    void pickTab(int index);

signals:
    // A page became visible (by program or by the user).
    void pageShown(int index);
    // The user picked another tab; emitted after pageShown.
    void pagePicked(int index);

protected:
    void childEvent(QChildEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* createTab();
    void addTabFor(QWidget* page);
    void selectCurrentTab();
    void arrangeTabs();
    void arrangeRow(int first, int count, int y);
    int rowCount() const;

    int m_tabsPerRow = 1;
    std::vector<QToolButton*> m_tabs;
    bool m_creatingTab = false;
    QButtonGroup* m_group;
};
