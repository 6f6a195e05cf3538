#include "views/CheckList.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

TCheckList::TCheckList(QWidget *parent, const char *name) : QListWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    QFont fixed(QStringLiteral("Liberation Mono"));
    fixed.setStyleHint(QFont::Monospace);
    setFont(fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TCheckList::SetNames(const std::vector<std::string> &names)
{
    clear();
    for (const std::string &name : names) {
        // Made whole before it joins the list, so the view sees one change
        // per item. Not user-checkable: only the press handling below
        // changes marks.
        auto *item = new QListWidgetItem(QString::fromStdString(name));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
        addItem(item);
    }
    FitText();
    newestPending_ = true;
    ShowNewest();
    setCurrentRow(-1);
}

void TCheckList::ShowNewest()
{
    if (!newestPending_ || !isVisible())
        return;
    newestPending_ = false;
    QListWidgetItem *newest = nullptr;
    for (int i = 0; i < count(); ++i)
        if (newest == nullptr || item(i)->text() > newest->text())
            newest = item(i);
    if (newest != nullptr)
        scrollToItem(newest, QAbstractItemView::EnsureVisible);
}

void TCheckList::FitText()
{
    QListWidgetItem *widest = nullptr;
    for (int i = 0; i < count(); ++i)
        if (widest == nullptr || item(i)->text().size() > widest->text().size())
            widest = item(i);
    if (widest == nullptr)
        return;
    if (styledPixels_ == 0) {
        ensurePolished();
        styledPixels_ = QFontInfo(font()).pixelSize();
    }
    const int room = contentsRect().width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    // The list's own style sheet overrides the text size of its parent's.
    for (int pixels = styledPixels_; pixels >= 8; --pixels) {
        const QString sheet = pixels == styledPixels_ ? QString() : QStringLiteral("font-size: %1px;").arg(pixels);
        if (sheet != styleSheet())
            setStyleSheet(sheet);
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        if (itemDelegate()->sizeHint(option, indexFromItem(widest)).width() <= room)
            return;
    }
}

void TCheckList::focusInEvent(QFocusEvent *event)
{
    // Taking the focus makes no item current: the list stays unchosen
    // until the rider picks an item.
    const bool none = currentRow() < 0;
    QListWidget::focusInEvent(event);
    if (none)
        setCurrentRow(-1);
}

void TCheckList::showEvent(QShowEvent *event)
{
    QListWidget::showEvent(event);
    ShowNewest();
}

void TCheckList::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    FitText();
}

bool TCheckList::Marked(int row) const
{
    const QListWidgetItem *it = item(row);
    return it != nullptr && it->checkState() == Qt::Checked;
}

void TCheckList::SetMarked(int row, bool marked)
{
    if (QListWidgetItem *it = item(row))
        it->setCheckState(marked ? Qt::Checked : Qt::Unchecked);
}

void TCheckList::ToggleMarked(int row)
{
    SetMarked(row, !Marked(row));
}

void TCheckList::UnmarkOthers(int row)
{
    for (int i = 0; i < count(); ++i)
        if (i != row)
            SetMarked(i, false);
}

int TCheckList::MarkedCount() const
{
    return static_cast<int>(MarkedRows().size());
}

std::vector<int> TCheckList::MarkedRows() const
{
    std::vector<int> rows;
    for (int i = 0; i < count(); ++i)
        if (Marked(i))
            rows.push_back(i);
    return rows;
}

void TCheckList::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // Events arrive in viewport coordinates; the check column is measured
    // from the list's left edge, frame included.
    const int x = event->position().toPoint().x() + viewport()->x();
    const int row = indexAt(event->position().toPoint()).row();
    // A press on the empty part of the list chooses nothing: it must not act
    // on the item chosen before.
    pressOnItem_ = row >= 0;
    if (!pressOnItem_)
        return;
    setCurrentRow(row);
    if (x < CheckColumn)
        ToggleMarked(row);
    emit Pressed(x);
}

void TCheckList::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is a press like the first.
    mousePressEvent(event);
}

void TCheckList::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && pressOnItem_) {
        pressOnItem_ = false;
        emit Released(event->position().toPoint().x() + viewport()->x());
    }
}

void TCheckList::mouseMoveEvent(QMouseEvent *)
{
    // No drag selection: the pressed item stays the one acted on.
}

void TCheckList::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) && currentRow() >= 0) {
        emit Pressed(CheckColumn);
        emit Released(CheckColumn);
        return;
    }
    QListWidget::keyPressEvent(event);
}
