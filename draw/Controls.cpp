#include "draw/Controls.h"

#include "draw/Image.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

// Every label shows its text as it is: captions and rider IDs come from
// files, and a name like "<img src=...>" must never be read as markup.
QLabel *PlainLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

} // namespace

QLabel *NewLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry, const char *colour)
{
    QLabel *label = PlainLabel(parent, name, text);
    label->setGeometry(geometry);
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(QLatin1String(colour)));
    return label;
}

QLabel *NewLabel(QWidget *parent, const char *name, const QString &text, const QPoint &topLeft)
{
    QLabel *label = PlainLabel(parent, name, text);
    label->move(topLeft);
    label->adjustSize();
    return label;
}

QPushButton *NewButton(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

QComboBox *NewComboBox(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *choice = new QComboBox(parent);
    choice->setObjectName(QString::fromLatin1(name));
    choice->setEditable(false);
    choice->setGeometry(geometry);
    return choice;
}

QWidget *NewPanel(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setGeometry(geometry);
    panel->hide();
    return panel;
}

QTimer *NewTimer(QObject *parent, const char *name, int period)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(period);
    return timer;
}

TImage *NewPicture(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *picture = new TImage(parent, QString::fromLatin1(name));
    picture->setGeometry(geometry);
    return picture;
}

void SetBold(QWidget *widget)
{
    QFont bold = widget->font();
    bold.setBold(true);
    widget->setFont(bold);
}

bool TakeOutsideClose(QWidget *window, QCloseEvent *event, std::function<void()> action)
{
    if (!event->spontaneous())
        return false;
    event->ignore();
    QTimer::singleShot(0, window, std::move(action));
    return true;
}

TAppEventHook::TAppEventHook(QObject *owner, Handler handler) : QObject(owner), handler_(std::move(handler))
{
    QCoreApplication::instance()->installEventFilter(this);
}

TAppEventHook::~TAppEventHook()
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(this);
}

bool TAppEventHook::eventFilter(QObject *receiver, QEvent *event)
{
    handler_(receiver, event);
    return false;
}

int CaptionColumnLeft(int homeLeft, int textWidth)
{
    return homeLeft + (75 - textWidth) / 2;
}

void CentreOnColumn(QLabel *label, int homeLeft)
{
    label->ensurePolished();
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int w = label->fontMetrics().horizontalAdvance(label->text());
    label->setGeometry(CaptionColumnLeft(homeLeft, w), label->y(), w + 30, label->height());
}
