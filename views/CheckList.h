#pragma once
// A check list: one line per item, each with a check mark in a column at
// its left (x 0..14). A press selects the item under the pointer and, in
// the check column, toggles its mark; then Pressed runs with the pointer's
// x. A release runs Released. The views' handlers decide the rest (how
// many marks may stay). The keyboard moves the selection only; Space or
// Select acts as a press and release on the text of the current item, so
// marks made with the keyboard pass through the same handlers. A filled
// list shows its newest item (the largest name: names start with the date),
// and its text is made small enough that no name needs a horizontal scroll.
#include <QListWidget>

#include <string>
#include <vector>

class TCheckList : public QListWidget {
    Q_OBJECT
public:
    TCheckList(QWidget *parent, const char *name);

    // Width of the check column: a press at x 0..CheckColumn-1 toggles the mark.
    static constexpr int CheckColumn = 15;

    // Replaces the items by names, none marked, none selected.
    void SetNames(const std::vector<std::string> &names);
    bool Marked(int row) const;
    void SetMarked(int row, bool marked);
    void ToggleMarked(int row);
    // Removes the mark of every item but row (-1: of every item).
    void UnmarkOthers(int row);
    int MarkedCount() const;
    // Rows of the marked items, in list order.
    std::vector<int> MarkedRows() const;

signals:
    void Pressed(int x);
    void Released(int x);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Scrolls the newest item into view (once the list shows).
    void ShowNewest();
    // Largest text size, at most the styled one, at which the widest name
    // fits beside a vertical scroll bar.
    void FitText();

    bool newestPending_ = false;
    int styledPixels_ = 0; // text size the style sheets give, before fitting
    bool pressOnItem_ = false; // the last press was on an item: its release counts
};
