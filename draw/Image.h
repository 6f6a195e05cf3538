#pragma once
// Picture control: a widget with its own drawing surface (a QImage the size
// of the widget) that is painted as is in paintEvent. Pictures from a
// TImageList, the gradient fills of TKorvanDraw and photos all draw onto
// the canvas; the widget shows whatever the canvas holds. Transparent canvas
// pixels let the parent show through.
#include <QAccessible>
#include <QImage>
#include <QWidget>

class TImageList;

class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr, const QString &name = QString());

    // Free integer, e.g. the side of a month arrow (0 left, 1 right).
    int Tag = 0;
    // A picture set with SetPicture is scaled to the whole control.
    bool Stretch = false;

    // The drawing surface, always the control's current size (also while
    // the control is hidden); call update() after drawing on it.
    QImage &Canvas();
    const QImage &Canvas() const;
    // Takes a drawing of the control's size as its canvas, shared until one
    // of them is drawn on (views with the same background); repaints.
    void SetCanvas(const QImage &drawing);

    // Shows a picture (a photo): kept as given, drawn onto the cleared canvas
    // at 0, 0, or scaled to the control when Stretch is set; repaints.
    void SetPicture(const QImage &picture);
    // The picture last given to SetPicture (null when none).
    const QImage &Picture() const { return picture_; }
    // Removes the picture and clears the canvas to transparent; repaints.
    void Clear();

    // The picture list and index last drawn by TImageList::Draw; -1 / null
    // after SetPicture or Clear.
    int ShownIndex = -1;
    const TImageList *ShownList = nullptr;

    // Makes the picture a control the keyboard reaches: Tab gives it the
    // focus, which shows as a ring; Enter and Space click it. A screen
    // reader reads it with role and name (its caption, or what it shows).
    void MakeControl(const QString &name, QAccessible::Role role = QAccessible::Button);
    // The role given by MakeControl; NoRole for a plain picture.
    QAccessible::Role AccessibleRole = QAccessible::NoRole;
    // Acts as a click (the keys, a screen reader's press).
    void Click();
    // Whether a radio or check picture shows its chosen face: what a screen
    // reader is told (a change is announced).
    void SetChecked(bool checked);
    bool Checked() const { return checked_; }

signals:
    void clicked(TImage *sender);
    void doubleClicked(TImage *sender);
    void mouseMoved(TImage *sender, QPoint pos, Qt::MouseButtons buttons);
    void mousePressed(TImage *sender, Qt::MouseButton button, QPoint pos);
    void mouseReleased(TImage *sender, Qt::MouseButton button, QPoint pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QSize CanvasSize() const;
    // Makes the canvas a transparent one of the control's size, its own.
    void ClearCanvas() const;
    // Draws the picture set with SetPicture onto a new canvas.
    void RenderPicture() const;
    // Resizes the canvas to the control, keeping its pixels (or redrawing
    // the picture set with SetPicture).
    void SyncCanvas() const;

    mutable QImage canvas_;
    QImage picture_;
    bool pressed_ = false;
    bool checked_ = false;
};
