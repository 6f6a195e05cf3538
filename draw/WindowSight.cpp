#include "draw/WindowSight.h"

#include <QGuiApplication>
#include <QRect>
#include <QWidget>
#include <QWindow>
#include <algorithm>
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
    return size > areaSize ? pos : std::clamp(pos, areaStart, areaStart + areaSize - size);
}

}  // namespace

void SetWindowUnseen(QWidget *window, bool unseen)
{
    window->setWindowOpacity(unseen ? 0.0 : 1.0);
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
