#pragma once
// A message box that draws its own title row: the caption on a dark grey
// gradient with a white frame and a close cross, dragged by its title.
// Used where the platform's window frames cannot be told to leave out
// minimise and maximise (Wayland's client-side frames draw them on every
// window, a message box too).
#include <QMessageBox>

class QLabel;
class QAbstractButton;

class TTitledMessageBox : public QMessageBox {
public:
    TTitledMessageBox(Icon icon, const QString &caption, const QString &text, StandardButtons buttons,
                      QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QLabel *title_;
    QAbstractButton *close_;
};
