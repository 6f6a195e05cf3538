#pragma once
// Whether a top-level window shows, and where it comes back.
//
// The windows the login cycle makes "transparent" must show nothing on any
// desktop. A window opacity of 0 is honoured only where a compositor runs,
// so on X11 the window is also withdrawn (and mapped again) underneath Qt:
// the widget stays visible for Qt, a modal loop running in it goes on, and
// the same native window comes back when it is made seen again.
class QPoint;
class QRect;
class QString;
class QWidget;

// Whether a platform (QGuiApplication::platformName) is Wayland's, which
// has no window opacity, places windows itself and frames them in the
// client.
bool IsWayland(const QString &platform);

// Sets a top-level window's opacity where the platform honours it; on
// Wayland, which has no window opacity, the window keeps 1 and nothing is
// asked of the platform (it would only warn).
void SetOpacityWhereHonoured(QWidget *window, double opacity);

// Makes the top-level window unseen (opacity 0, withdrawn on X11) or seen
// again (opacity 1, mapped and activated). A window Qt does not show is
// only given its opacity.
void SetWindowUnseen(QWidget *window, bool unseen);

// Top-left corner for a window frame so that it lies wholly on the screen
// area: moved in along each axis where it fits, at the area's start along
// an axis where it does not fit (so its title bar stays reachable).
QPoint KeptOnScreen(const QRect &frame, const QRect &screen);

// From now on every window the program shows is kept in its screen's work
// area: once shown and framed by the window manager (whose frame size is
// known only then), a window whose frame leaves the work area is moved in
// as KeptOnScreen says. Windows the rider moves later are left alone.
void KeepWindowsInWorkArea();

// Under Wayland, Qt's client (6.4) can deadlock while it takes down its
// connection to the compositor: one event thread stops in the middle of a
// read and the other waits for it forever, so a closed program lingers.
// Declared after the QApplication, the deadline's destructor gives the rest
// of the teardown a few seconds; past them the process ends with the code
// given to Ending(). Elsewhere it does nothing.
class TTeardownDeadline {
public:
    // The exit code, kept for a cut teardown and returned.
    int Ending(int code);
    ~TTeardownDeadline();

private:
    int code_ = 0;
};
