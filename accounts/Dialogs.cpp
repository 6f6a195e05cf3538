#include "accounts/Dialogs.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

void ShowErrorBox(QWidget *parent, const QString &text, const QString &caption, bool onTop)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    if (onTop)
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
}

bool AskYesNoWarning(QWidget *parent, const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    return box.exec() == QMessageBox::Yes;
}

QPoint CentredIn(const QRect &area, const QSize &size)
{
    auto halfDown = [](int v) { return v >= 0 ? v / 2 : -((1 - v) / 2); };
    return QPoint(area.left() + halfDown(area.width() - size.width()),
                  area.top() + halfDown(area.height() - size.height()));
}

QPoint CentredOnScreen(const QSize &size)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? QPoint(0, 0) : CentredIn(screen->geometry(), size);
}

QStringList DialogNameFilters(const QString &filterText)
{
    QStringList filters;
    const QStringList parts = filterText.split('|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        filters << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return filters;
}
