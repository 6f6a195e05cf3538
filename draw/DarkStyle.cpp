#include "draw/DarkStyle.h"

#include "draw/Faces.h"

namespace {

// The accent colour in a rule: every "ACCENT" replaced.
QString WithAccent(const QString &rules)
{
    return QString(rules).replace(QLatin1String("ACCENT"), kAccent.name());
}

// The face of a button for the controls of type `control`: the grey
// gradient in a white frame, the accent (frame and text) under the pointer
// and with the focus, as the painted face buttons; grey when disabled.
QString FaceRules(const char *control)
{
    return WithAccent(QString::fromLatin1(R"(
CONTROL {
  color: white; font-weight: bold; border: 2px solid white; border-radius: 6px; padding: 2px 8px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5c5c5c, stop:1 #242424); }
CONTROL:hover { border-color: ACCENT; color: ACCENT; }
CONTROL:focus { border: 2px solid ACCENT; color: ACCENT; }
CONTROL:disabled { color: #808080; border-color: #808080;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #484848, stop:1 #303030); }
)")
                          .replace(QLatin1String("CONTROL"), QLatin1String(control)));
}

}  // namespace

QString DarkButtonRules()
{
    return FaceRules("QPushButton") + WithAccent(QStringLiteral(R"(
QPushButton:pressed {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #F2A855, stop:1 #C0701C); color: white; }
QProgressBar { border: 1px solid white; border-radius: 4px; color: white; text-align: center; background: #1c1c1c; }
QProgressBar::chunk { background: ACCENT; border-radius: 3px; }
)"));
}

QString DarkBoxRules()
{
    return FaceRules("QComboBox") + WithAccent(QStringLiteral(R"(
QComboBox QAbstractItemView { background: #2a2a2a; color: white; selection-background-color: ACCENT; }
QLineEdit, QPlainTextEdit, QListWidget, QTableWidget {
  background: #1c1c1c; color: white; border: 1px solid white; border-radius: 4px;
  selection-background-color: ACCENT; }
QLineEdit { padding: 1px 4px; }
QTableWidget { gridline-color: #555555; }
QLineEdit:focus, QPlainTextEdit:focus, QListWidget:focus, QTableWidget:focus { border: 2px solid ACCENT; }
QHeaderView::section { background: #3a3a3a; color: white; border: none; padding: 2px; }
)"));
}
