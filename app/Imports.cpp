// Rides from other devices' files: the details view's Import button and
// files or folders dropped onto the window start an import in the import
// window; its end refreshes what shows the rider's records, once.
#include "app/Main.h"

#include "import/ImportWindow.h"
#include "store/Databasecontroler.h"
#include "training/TrainingService.h"
#include "views/RecordDetails.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

// The local files and folders dropped (other URLs left out).
QStringList DroppedPaths(const QMimeData *data)
{
    QStringList paths;
    if (data != nullptr && data->hasUrls())
        for (const QUrl &url : data->urls())
            if (url.isLocalFile())
                paths << url.toLocalFile();
    return paths;
}

// Text fields would take dropped files as text (their paths in the notes):
// over them a drop of files imports as anywhere else on the window.
class FilesDropImport : public QObject {
public:
    explicit FilesDropImport(TmainForm *form) : QObject(form), form_(form) {}
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        const QEvent::Type t = event->type();
        if (t != QEvent::DragEnter && t != QEvent::DragMove && t != QEvent::Drop)
            return QObject::eventFilter(receiver, event);
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList paths = DroppedPaths(drop->mimeData());
        if (paths.isEmpty() || form_->DataBase->RiderFolder.empty())
            return QObject::eventFilter(receiver, event);
        drop->acceptProposedAction();
        if (t == QEvent::Drop)
            form_->ImportSources(paths);
        return true;
    }

private:
    TmainForm *form_;
};

} // namespace

void TmainForm::CreateImport()
{
    ImportWindow = new TImportWindow(*MultiLang, this);
    connect(ImportWindow, &TImportWindow::Finished, this, [this](std::size_t imported) {
        if (imported != 0)
            RecordsFiled();
    });
    connect(SportModePanel, &TSportModePanel::ImportRequested, this, [this] {
        const QStringList sources = TImportWindow::ChooseSources(SportModePanel->ImportDialogAnchor(), *MultiLang);
        if (!sources.isEmpty())
            ImportSources(sources);
    });
    setAcceptDrops(true);
    auto *filter = new FilesDropImport(this);
    for (QWidget *w : findChildren<QWidget *>())
        if (w->acceptDrops())
            w->installEventFilter(filter);
}

bool TmainForm::ImportSources(const QStringList &sources)
{
    if (DataBase->RiderFolder.empty() || sources.isEmpty())
        return false;
    if (ImportWindow->Busy()) {
        ImportWindow->raise();
        return false;
    }
    return ImportWindow->Start(sources, DataBase->RiderFolder);
}

void TmainForm::RecordsFiled()
{
    // The details view keeps the mark of the record it shows.
    const std::string shown = SportModePanel->ShownRecord();
    FillRecordLists();
    SportModePanel->MarkRecord(shown);
    FillCalendar();
    Training->Refresh();
}

void TmainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DataBase->RiderFolder.empty() && !DroppedPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TmainForm::dropEvent(QDropEvent *event)
{
    const QStringList paths = DroppedPaths(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    ImportSources(paths);
}
