#pragma once
// Helpers of the small modal windows: message boxes with fixed English texts
// (never translated) and centring on the screen.
#include <QMessageBox>
#include <QPoint>
#include <QString>
#include <QStringList>

class QRect;
class QSize;
class QWidget;

// A message box with the given icon and buttons; kept above all windows
// when onTop. It shows over the window in use: the active modal window when
// there is one (a box raised while the main window is unseen behind the
// login window), else parent. Returns the button pressed.
QMessageBox::StandardButton ShowMessage(QWidget *parent, const QString &text, const QString &caption,
                                        QMessageBox::Icon icon, bool onTop,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::Ok);
// An error box with the error icon; kept above all windows when onTop.
void ShowErrorBox(QWidget *parent, const QString &text, const QString &caption, bool onTop);
// A Yes / No question with the warning icon, No as the default button, kept
// above all windows. True when Yes was pressed.
bool AskYesNoWarning(QWidget *parent, const QString &text, const QString &caption);
// Top-left corner that centres a window of the given size in an area:
// (area - size) halved, rounded toward minus infinity.
QPoint CentredIn(const QRect &area, const QSize &size);
// The same in the primary screen's work area (without its panels); along an
// axis where the window is larger, at the work area's start.
QPoint CentredOnScreen(const QSize &size);
// Name filters for QFileDialog from a filter text of "description|patterns"
// pairs (patterns separated by ";"): each becomes "description (patterns)"
// with the patterns separated by spaces, empty patterns dropped.
QStringList DialogNameFilters(const QString &filterText);
