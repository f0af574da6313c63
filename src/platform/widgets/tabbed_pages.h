#pragma once

#include <QWidget>

#include <vector>

class QButtonGroup;
class QStackedWidget;
class QToolButton;

// Pages with their tabs in several rows, so that every tab caption shows in
// full on a narrow dialog. The row of the selected tab lies next to the
// page, and the selected tab joins the page. The tab under the mouse is
// highlighted.
class TabbedPages : public QWidget {
    Q_OBJECT
public:
    // `rows` gives how many tabs go into each row, top row first.
    TabbedPages(std::vector<int> rows, QWidget* parent = nullptr);

    int addTab(QWidget* page, const QString& caption);
    int count() const;
    QWidget* widget(int index) const;
    int currentIndex() const;
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
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrangeTabs();
    void arrangeRow(int first, int count, int y);
    int rowOf(int index) const;

    std::vector<int> m_rows;
    std::vector<QToolButton*> m_tabs;
    QButtonGroup* m_group;
    QStackedWidget* m_stack;
};
