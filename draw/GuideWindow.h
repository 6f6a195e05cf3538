#pragma once
// The program's own user guide: opened in the rider's web browser, or,
// where no browser is set up, in a plain viewer window of the program.
// When the guide cannot be read, a message names the file.
#include <QString>

#include <functional>

class QUrl;
class QWidget;

// Shows the HTML page at path (see above).
void OpenGuide(QWidget *parent, const QString &path);

// Hands a page to the desktop's browser; false when there is none to take
// it. Tests replace it.
extern std::function<bool(const QUrl &page)> GuideBrowser;
