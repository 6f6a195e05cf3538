#include "draw/Dialogs.h"

#include "draw/TitledMessageBox.h"
#include "draw/WindowSight.h"

#include <QApplication>
#include <QScreen>
#include <memory>

QMessageBox::StandardButton ShowMessage(QWidget *parent, const QString &text, const QString &caption,
                                        QMessageBox::Icon icon, bool onTop, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    QWidget *modal = QApplication::activeModalWidget();
    QWidget *owner = modal != nullptr ? modal : parent;
    const bool ownTitle = IsWayland(QGuiApplication::platformName());
    std::unique_ptr<QMessageBox> made = ownTitle ? std::make_unique<TTitledMessageBox>(icon, caption, text, buttons, owner)
                                                 : std::make_unique<QMessageBox>(icon, caption, text, buttons, owner);
    QMessageBox &box = *made;
    box.setTextFormat(Qt::PlainText); // texts may hold names from files
    box.setDefaultButton(defaultButton);
    // A dialog of its window: modal to it, a title and a close button, no
    // minimise or maximise. Where the platform's frames would draw those
    // anyway (Wayland), the box is frameless and draws its own title row.
    // The modality first: a message box resets its flags when it is set.
    if (box.parentWidget() != nullptr)
        box.setWindowModality(Qt::WindowModal);
    const Qt::WindowFlags frame = ownTitle ? Qt::WindowFlags(Qt::FramelessWindowHint)
                                           : Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    box.setWindowFlags(Qt::Dialog | frame | (onTop ? Qt::WindowStaysOnTopHint : Qt::WindowFlags()));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ShowErrorBox(QWidget *parent, const QString &text, const QString &caption, bool onTop)
{
    ShowMessage(parent, text, caption, QMessageBox::Critical, onTop);
}

bool AskYesNoWarning(QWidget *parent, const QString &text, const QString &caption)
{
    return ShowMessage(parent, text, caption, QMessageBox::Warning, true, QMessageBox::Yes | QMessageBox::No,
                       QMessageBox::No) == QMessageBox::Yes;
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
    if (screen == nullptr)
        return QPoint(0, 0);
    // The work area: the screen without its panels. Along an axis where the
    // window is larger it starts at the work area's start.
    const QRect area = screen->availableGeometry();
    return KeptOnScreen(QRect(CentredIn(area, size), size), area);
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
