#pragma once
// The keyboard's focus in the program's look: an orange ring instead of the
// platform's faint dotted line (for picture buttons and, through the
// application style, for every native control), and arrow keys that move
// the focus within a grid of controls that Tab reaches as one stop.
#include <QObject>
#include <QProxyStyle>
#include <vector>

class QPainter;
class QPlainTextEdit;
class QRect;
class QWidget;

// Draws the focus ring inside rect.
void DrawFocusRing(QPainter &painter, const QRect &rect);

// The application's style with the focus ring of DrawFocusRing.
class TFocusStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};

// Controls laid out in rows of `columns`: the arrow keys move the focus to
// the neighbour (skipping hidden or disabled ones), Home and End to the
// first and last. Tab reaches the grid once, at the control that had the
// focus last (the first at start).
class TFocusGrid : public QObject {
public:
    TFocusGrid(QObject *owner, std::vector<QWidget *> cells, int columns);
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The control Tab enters the grid at.
    QWidget *Current() const;

private:
    void MakeCurrent(int index);
    // The nearest usable cell from index in steps of step; -1 when none.
    int Usable(int index, int step) const;

    std::vector<QWidget *> cells_;
    int columns_;
    int current_ = 0;
};

// Tab and Shift+Tab leave the text (to the next and previous control);
// Ctrl+Tab types a tab.
void TabLeavesText(QPlainTextEdit *text);
