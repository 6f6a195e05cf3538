#include "draw/GuideWindow.h"

#include "draw/Dialogs.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

std::function<bool(const QUrl &page)> GuideBrowser = [](const QUrl &page) { return QDesktopServices::openUrl(page); };

namespace {

// The viewer: one window, reused while it is open.
QTextBrowser *Viewer(QWidget *parent)
{
    static QPointer<QTextBrowser> viewer;
    if (viewer == nullptr) {
        viewer = new QTextBrowser(parent);
        viewer->setObjectName(QStringLiteral("GuideViewer"));
        viewer->setWindowFlags(Qt::Window);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->setOpenExternalLinks(true);
        viewer->resize(760, 600);
        viewer->move(CentredOnScreen(viewer->size()));
    }
    return viewer;
}

} // namespace

void OpenGuide(QWidget *parent, const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        ShowMessage(parent, QStringLiteral("The user guide could not be found:\n") + path, QStringLiteral("Guide"),
                    QMessageBox::Warning, true);
        return;
    }
    const QUrl page = QUrl::fromLocalFile(file.absoluteFilePath());
    if (GuideBrowser(page))
        return;
    QTextBrowser *viewer = Viewer(parent);
    viewer->setSource(page);
    viewer->setWindowTitle(viewer->documentTitle().isEmpty() ? file.fileName() : viewer->documentTitle());
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}
