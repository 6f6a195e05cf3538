#include "draw/WindowSight.h"

#include <QApplication>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <cstring>
#include <xcb/xcb.h>

namespace {

xcb_connection_t *X11Connection()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Maps or withdraws the native window. A withdrawal is announced to the
// window manager with the synthetic UnmapNotify the X11 conventions ask for,
// so it forgets the window until it is mapped again.
void SetMapped(xcb_connection_t *c, xcb_window_t window, bool mapped)
{
    if (mapped) {
        xcb_map_window(c, window);
    } else {
        xcb_unmap_window(c, window);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_unmap_notify_event_t notify{};
        notify.response_type = XCB_UNMAP_NOTIFY;
        notify.event = root;
        notify.window = window;
        char event[32] = {};  // X events are sent as 32 bytes
        std::memcpy(event, &notify, sizeof notify);
        xcb_send_event(c, false, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       event);
    }
    xcb_flush(c);
}

int KeptIn(int pos, int size, int areaStart, int areaSize)
{
    return size > areaSize ? areaStart : std::clamp(pos, areaStart, areaStart + areaSize - size);
}

void MoveIntoWorkArea(QWidget *window)
{
    if (!window->isVisible() || window->screen() == nullptr)
        return;
    const QRect frame = window->frameGeometry();
    const QPoint kept = KeptOnScreen(frame, window->screen()->availableGeometry());
    if (kept != frame.topLeft())
        window->move(kept);
}

// Sees each window being shown; checks it once the window manager has had
// the time to frame it (at once, and again a little later on a slow one).
class TWorkAreaKeeper : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (event->type() != QEvent::Show || !receiver->isWidgetType())
            return false;
        auto *window = static_cast<QWidget *>(receiver);
        const Qt::WindowType type = window->windowType();
        if (!window->isWindow() || type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen ||
            window->windowHandle() == nullptr)
            return false;
        QPointer<QWidget> guarded(window);
        for (int delay : {0, 250})
            QTimer::singleShot(delay, this, [guarded] {
                if (guarded)
                    MoveIntoWorkArea(guarded);
            });
        return false;
    }
};

}  // namespace

bool IsWayland(const QString &platform)
{
    return platform.startsWith(QLatin1String("wayland"));
}

void SetOpacityWhereHonoured(QWidget *window, double opacity)
{
    if (!IsWayland(QGuiApplication::platformName()))
        window->setWindowOpacity(opacity);
}

void SetWindowUnseen(QWidget *window, bool unseen)
{
    SetOpacityWhereHonoured(window, unseen ? 0.0 : 1.0);
    if (!window->isVisible() || window->windowHandle() == nullptr)
        return;
    if (xcb_connection_t *c = X11Connection())
        SetMapped(c, static_cast<xcb_window_t>(window->winId()), !unseen);
    if (!unseen)
        window->activateWindow();
}

QPoint KeptOnScreen(const QRect &frame, const QRect &screen)
{
    return QPoint(KeptIn(frame.x(), frame.width(), screen.x(), screen.width()),
                  KeptIn(frame.y(), frame.height(), screen.y(), screen.height()));
}

void KeepWindowsInWorkArea()
{
    static TWorkAreaKeeper *keeper = nullptr;
    if (keeper == nullptr && qApp != nullptr) {
        keeper = new TWorkAreaKeeper(qApp);
        qApp->installEventFilter(keeper);
    }
}

int TTeardownDeadline::Ending(int code)
{
    code_ = code;
    return code;
}

TTeardownDeadline::~TTeardownDeadline()
{
    if (!IsWayland(QGuiApplication::platformName()))
        return;
    // Ends with the process when the teardown finishes in time.
    std::thread([code = code_] {
        std::this_thread::sleep_for(std::chrono::seconds(5));
        std::fflush(nullptr);
        std::_Exit(code);
    }).detach();
}
