#include "draw/TitledMessageBox.h"

#include "draw/Faces.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

constexpr int kTitleHeight = 30;
constexpr int kFrame = 2;
constexpr int kCloseSide = 22;

// The close cross of the title row: white, the accent under the pointer.
// The keyboard closes the box with Escape, so Tab passes it by.
class TCloseCross : public QAbstractButton {
public:
    explicit TCloseCross(QWidget *parent) : QAbstractButton(parent)
    {
        setObjectName(QStringLiteral("MessageClose"));
        setAccessibleName(QStringLiteral("Close"));
        setFocusPolicy(Qt::NoFocus);
        setCursor(Qt::PointingHandCursor);
        setAttribute(Qt::WA_Hover);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(underMouse() ? kAccent : QColor(Qt::white), 2, Qt::SolidLine, Qt::RoundCap));
        const QRectF r = QRectF(rect()).adjusted(6, 6, -6, -6);
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
    }
};

}  // namespace

TTitledMessageBox::TTitledMessageBox(Icon icon, const QString &caption, const QString &text,
                                     StandardButtons buttons, QWidget *parent)
    : QMessageBox(icon, caption, text, buttons, parent), title_(new QLabel(caption, this)), close_(new TCloseCross(this))
{
    title_->setObjectName(QStringLiteral("MessageTitle"));
    title_->setTextFormat(Qt::PlainText);
    title_->setStyleSheet(QStringLiteral("color: white; background: transparent; font-weight: bold;"));
    // Presses on the caption reach the box, which starts the move.
    title_->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(close_, &QAbstractButton::clicked, this, &QWidget::close);
    // The box's own layout keeps below the title row and inside the frame.
    setContentsMargins(kFrame, kTitleHeight, kFrame, kFrame);
}

void TTitledMessageBox::paintEvent(QPaintEvent *event)
{
    QMessageBox::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    PaintFace(p, QRectF(0, 0, width(), kTitleHeight), 0, Face::Normal);
    p.fillRect(QRect(kFrame, kTitleHeight - 2, width() - 2 * kFrame, 2), kAccent);
    p.setPen(QPen(Qt::white, kFrame));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(kFrame / 2.0, kFrame / 2.0, -kFrame / 2.0, -kFrame / 2.0));
}

void TTitledMessageBox::resizeEvent(QResizeEvent *event)
{
    QMessageBox::resizeEvent(event);
    const int top = (kTitleHeight - kCloseSide) / 2;
    close_->setGeometry(width() - kFrame - 4 - kCloseSide, top, kCloseSide, kCloseSide);
    title_->setGeometry(kFrame + 10, kFrame, close_->x() - kFrame - 14, kTitleHeight - kFrame - 2);
}

void TTitledMessageBox::mousePressEvent(QMouseEvent *event)
{
    // The compositor moves the box while the title row is held.
    if (event->button() == Qt::LeftButton && event->position().y() < kTitleHeight && windowHandle() != nullptr &&
        windowHandle()->startSystemMove())
        return;
    QMessageBox::mousePressEvent(event);
}
