#pragma once
// Builders of the plain controls the windows are made of (each gets its
// component name as objectName and its place), and the application-wide
// event hook.
#include <QObject>
#include <functional>

class QCloseEvent;
class QComboBox;
class QEvent;
class QLabel;
class QPoint;
class QPushButton;
class QRect;
class QTimer;
class QString;
class QWidget;
class TImage;

// A caption in the given colour on whatever lies behind it.
QLabel *NewLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry,
                 const char *colour = "white");
// A caption sized to its text, styled by its parent.
QLabel *NewLabel(QWidget *parent, const char *name, const QString &text, const QPoint &topLeft);
// A push button that Enter does not press unless it is made the default.
QPushButton *NewButton(QWidget *parent, const char *name, const QString &text, const QRect &geometry);
// A drop-down list to choose from (no typing).
QComboBox *NewComboBox(QWidget *parent, const char *name, const QRect &geometry);
// A hidden plain panel.
QWidget *NewPanel(QWidget *parent, const char *name, const QRect &geometry);
// A timer with its period, off.
QTimer *NewTimer(QObject *parent, const char *name, int period);
// A picture control.
TImage *NewPicture(QWidget *parent, const char *name, const QRect &geometry);
// Bold text in the widget's own font.
void SetBold(QWidget *widget);

// A close from the window manager (its close button, Alt+F4) means the
// window's own Exit or Cancel: takes the event and runs `action` (which
// closes the window when it should) once the event is done, as a close
// asked for while one is handled is dropped. False for the program's own
// closes.
// Left edge of a caption label centred on a 75-pixel column that starts at
// homeLeft: homeLeft + (75 - textWidth) / 2, the division truncating toward
// zero.
int CaptionColumnLeft(int homeLeft, int textWidth);
// Sizes the label to its text plus 30 pixels and centres it on the
// 75-pixel column at homeLeft, measured in its own font.
void CentreOnColumn(QLabel *label, int homeLeft);

bool TakeOutsideClose(QWidget *window, QCloseEvent *event, std::function<void()> action);

// Sees every event of the program before its receiver and hands it to the
// handler; never consumes one. Installed on the application when made,
// removed when destroyed (the owner deletes it before its own widgets go).
class TAppEventHook : public QObject {
public:
    using Handler = std::function<void(QObject *receiver, QEvent *event)>;
    TAppEventHook(QObject *owner, Handler handler);
    ~TAppEventHook() override;
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    Handler handler_;
};
