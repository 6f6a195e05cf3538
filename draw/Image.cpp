#include "draw/Image.h"

#include "draw/FocusRing.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// What a screen reader sees of a picture made a control: its role, its
// name, and a press action for a button.
class TImageAccessible : public QAccessibleWidget {
public:
    explicit TImageAccessible(TImage *image) : QAccessibleWidget(image, image->AccessibleRole) {}
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (Pressable())
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString &action) override
    {
        if (action == pressAction() && Pressable())
            static_cast<TImage *>(widget())->Click();
        else
            QAccessibleWidget::doAction(action);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const QAccessible::Role r = role();
        if (r == QAccessible::RadioButton || r == QAccessible::CheckBox) {
            s.checkable = true;
            s.checked = static_cast<const TImage *>(widget())->Checked();
        }
        return s;
    }

private:
    bool Pressable() const
    {
        const QAccessible::Role r = role();
        return r == QAccessible::Button || r == QAccessible::RadioButton || r == QAccessible::CheckBox;
    }
};

QAccessibleInterface *ImageAccessible(const QString &, QObject *object)
{
    auto *image = qobject_cast<TImage *>(object);
    if (image == nullptr || image->AccessibleRole == QAccessible::NoRole)
        return nullptr;
    return new TImageAccessible(image);
}

} // namespace

TImage::TImage(QWidget *parent, const QString &name) : QWidget(parent)
{
    static const bool factory = (QAccessible::installFactory(ImageAccessible), true);
    (void)factory;
    setObjectName(name);
    setMouseTracking(true);
    canvas_ = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
    canvas_.fill(Qt::transparent);
}

void TImage::SetPicture(const QImage &picture)
{
    picture_ = picture;
    ShownIndex = -1;
    ShownList = nullptr;
    RenderPicture();
    update();
}

void TImage::Clear()
{
    picture_ = QImage();
    ShownIndex = -1;
    ShownList = nullptr;
    ClearCanvas();
    update();
}

void TImage::RenderPicture() const
{
    const QSize size = CanvasSize();
    // A picture of the control's size is the canvas itself, shared until
    // something draws on it.
    if (picture_.size() == size) {
        canvas_ = picture_.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        return;
    }
    ClearCanvas();
    if (picture_.isNull())
        return;
    QPainter p(&canvas_);
    if (Stretch) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(canvas_.rect(), picture_);
    } else {
        p.drawImage(0, 0, picture_);
    }
}

void TImage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, Canvas());
    if (hasFocus())
        DrawFocusRing(p, rect());
}

void TImage::MakeControl(const QString &name, QAccessible::Role role)
{
    AccessibleRole = role;
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(name);
}

void TImage::Click()
{
    emit clicked(this);
}

void TImage::SetChecked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    if (AccessibleRole == QAccessible::NoRole || !QAccessible::isActive())
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void TImage::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool acts = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space || key == Qt::Key_Select;
    if (!acts || AccessibleRole == QAccessible::NoRole || (event->modifiers() & ~Qt::KeypadModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A held key clicks once.
    if (!event->isAutoRepeat())
        Click();
    event->accept();
}

void TImage::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void TImage::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void TImage::resizeEvent(QResizeEvent *)
{
    SyncCanvas();
}

QImage &TImage::Canvas()
{
    SyncCanvas();
    return canvas_;
}

const QImage &TImage::Canvas() const
{
    SyncCanvas();
    return canvas_;
}

void TImage::SetCanvas(const QImage &drawing)
{
    canvas_ = drawing.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    SyncCanvas();
    update();
}

QSize TImage::CanvasSize() const
{
    return size().expandedTo(QSize(1, 1));
}

void TImage::ClearCanvas() const
{
    // A canvas shared with a picture, or of another size, is not drawn on.
    if (canvas_.size() != CanvasSize() || !canvas_.isDetached())
        canvas_ = QImage(CanvasSize(), QImage::Format_ARGB32_Premultiplied);
    canvas_.fill(Qt::transparent);
}

void TImage::SyncCanvas() const
{
    if (CanvasSize() == canvas_.size())
        return;
    if (!picture_.isNull()) {
        RenderPicture();
        return;
    }
    const QImage old = canvas_;
    ClearCanvas();
    QPainter p(&canvas_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, old);
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    emit mousePressed(this, event->button(), event->position().toPoint());
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        pressed_ = false;
    emit mouseReleased(this, event->button(), event->position().toPoint());
    if (click)
        emit clicked(this);
}

void TImage::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click is a press like any other: its
    // release is a click of its own, so quick clicks are never lost.
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    emit mousePressed(this, event->button(), event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(this);
}

void TImage::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(this, event->position().toPoint(), event->buttons());
}
