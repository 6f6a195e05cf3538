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

// Sets a top-level window's opacity where the platform honours it; on
// Wayland, which has no window opacity, the window keeps 1 and nothing is
// asked of the platform (it would only warn).
void SetOpacityWhereHonoured(QWidget *window, double opacity);
// Whether a platform (QGuiApplication::platformName) takes window opacity.
bool OpacityHonoured(const QString &platform);

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
