#include "draw/FocusRing.h"

#include "draw/Faces.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>

namespace {

// Ctrl+Tab in a text that Tab leaves: a tab typed.
class TTypedTab : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Tab || key->modifiers() != Qt::ControlModifier)
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            // Ours, before any shortcut of the window takes it.
            event->accept();
            return true;
        }
        static_cast<QPlainTextEdit *>(watched)->insertPlainText(QStringLiteral("\t"));
        return true;
    }
};

} // namespace

void DrawFocusRing(QPainter &painter, const QRect &rect)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    // A broad orange band on a white edge: seen on the dark views, on white
    // pictures and over the pictures' own frames.
    const qreal radius = std::min<qreal>(8, std::min(rect.width(), rect.height()) / 4.0);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.setPen(QPen(kAccent, 3));
    painter.drawRoundedRect(QRectF(rect).adjusted(2.5, 2.5, -2.5, -2.5), radius, radius);
    painter.restore();
}

void TFocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                const QWidget *widget) const
{
    if (element == PE_FrameFocusRect) {
        // A small mark (a check box without caption) is ringed around, so
        // the ring never hides the mark itself.
        const QRect r = option->rect;
        DrawFocusRing(*painter, r.height() < 20 ? r.adjusted(-4, -4, 4, 4) : r);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

TFocusGrid::TFocusGrid(QObject *owner, std::vector<QWidget *> cells, int columns)
    : QObject(owner), cells_(std::move(cells)), columns_(std::max(1, columns))
{
    for (QWidget *cell : cells_)
        cell->installEventFilter(this);
    MakeCurrent(0);
}

QWidget *TFocusGrid::Current() const
{
    return cells_.empty() ? nullptr : cells_[std::size_t(current_)];
}

void TFocusGrid::MakeCurrent(int index)
{
    if (index < 0 || index >= int(cells_.size()))
        return;
    current_ = index;
    // One tab stop for the whole grid: the current cell.
    for (std::size_t i = 0; i < cells_.size(); ++i)
        cells_[i]->setFocusPolicy(int(i) == index ? Qt::TabFocus : Qt::NoFocus);
}

int TFocusGrid::Usable(int index, int step) const
{
    for (int i = index; i >= 0 && i < int(cells_.size()); i += step) {
        const QWidget *cell = cells_[std::size_t(i)];
        if (cell->isVisible() && cell->isEnabled())
            return i;
    }
    return -1;
}

bool TFocusGrid::eventFilter(QObject *watched, QEvent *event)
{
    const auto it = std::find(cells_.begin(), cells_.end(), watched);
    if (it == cells_.end())
        return false;
    const int at = int(it - cells_.begin());
    if (event->type() == QEvent::FocusIn) {
        MakeCurrent(at);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    int to = -1;
    switch (key->key()) {
    case Qt::Key_Left: to = Usable(at - 1, -1); break;
    case Qt::Key_Right: to = Usable(at + 1, +1); break;
    case Qt::Key_Up: to = Usable(at - columns_, -columns_); break;
    case Qt::Key_Down: to = Usable(at + columns_, +columns_); break;
    case Qt::Key_Home: to = Usable(0, +1); break;
    case Qt::Key_End: to = Usable(int(cells_.size()) - 1, -1); break;
    default: return false;
    }
    if (to >= 0) {
        MakeCurrent(to);
        cells_[std::size_t(to)]->setFocus(Qt::OtherFocusReason);
    }
    // An arrow at the grid's edge stays in the grid.
    return true;
}

void TabLeavesText(QPlainTextEdit *text)
{
    text->setTabChangesFocus(true);
    text->installEventFilter(new TTypedTab(text));
}
