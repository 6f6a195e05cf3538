#include "import/ImportWindow.h"

#include "draw/Controls.h"
#include "draw/DarkStyle.h"
#include "import/ImportSummary.h"
#include "lang/Multilan.h"

#include <QCloseEvent>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <mutex>
#include <set>

// What the worker has reached, read by the window's timer.
struct TImportWindow::Progress {
    std::atomic<bool> cancel{false};
    std::mutex mutex;
    bool listed = false;     // the folders have been walked
    std::size_t done = 0, total = 0;
    std::string file;        // the file last done
    std::vector<ImportResult> results; // at the end, taken after the worker is joined
};

namespace {

const char *const kStyle = R"(
TImportWindow { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5a5a5a, stop:1 #1e1e1e); }
QLabel { color: white; background: transparent; }
QLabel#ImportTitleLab { font-size: 15px; font-weight: bold; }
)";

constexpr int kWidth = 460, kHeight = 280;

QString SupportedFilter(const MultiLanguage &lang)
{
    return lang.CL("Rides") + " (*.fit *.tcx *.gpx *.fit.gz *.tcx.gz *.gpx.gz *.FIT *.TCX *.GPX)";
}

// A menu under the anchor (files or a folder), then the dialog for it.
QStringList AskSources(QWidget *anchor, const MultiLanguage &lang)
{
    QMenu menu(anchor);
    QAction *files = menu.addAction(lang.CL("Files..."));
    QAction *folder = menu.addAction(lang.CL("A folder..."));
    menu.setActiveAction(files);
    const QPoint at = anchor != nullptr ? anchor->mapToGlobal(QPoint(0, anchor->height())) : QCursor::pos();
    QAction *chosen = menu.exec(at, files);
    const QString start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (chosen == files)
        return QFileDialog::getOpenFileNames(anchor, lang.CL("Choose the ride files"), start, SupportedFilter(lang));
    if (chosen == folder) {
        const QString dir = QFileDialog::getExistingDirectory(anchor, lang.CL("Choose a folder of rides"), start);
        return dir.isEmpty() ? QStringList() : QStringList{dir};
    }
    return {};
}

} // namespace

TImportWindow::Chooser TImportWindow::ChooseSources = AskSources;

TImportWindow::TImportWindow(const MultiLanguage &lang, QWidget *parent)
    : QDialog(parent, Qt::Dialog), lang_(lang)
{
    setObjectName("ImportWindow");
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(DarkButtonRules() + DarkBoxRules() + QString::fromLatin1(kStyle));
    setFixedSize(kWidth, kHeight);
    CreateControls();
    RefreshCaptions();
}

TImportWindow::~TImportWindow()
{
    if (progress_)
        progress_->cancel = true;
    Wait();
}

void TImportWindow::CreateControls()
{
    ImportTitleLab = NewLabel(this, "ImportTitleLab", QString(), QRect(20, 16, kWidth - 40, 24));
    ImportCountLab = NewLabel(this, "ImportCountLab", QString(), QRect(20, 48, kWidth - 40, 20));
    ImportProgressBar = new QProgressBar(this);
    ImportProgressBar->setObjectName("ImportProgressBar");
    ImportProgressBar->setGeometry(20, 74, kWidth - 40, 20);
    ImportFileLab = NewLabel(this, "ImportFileLab", QString(), QRect(20, 100, kWidth - 40, 20));
    ImportSummaryMemo = new QPlainTextEdit(this);
    ImportSummaryMemo->setObjectName("ImportSummaryMemo");
    ImportSummaryMemo->setReadOnly(true);
    ImportSummaryMemo->setGeometry(20, 100, kWidth - 40, kHeight - 100 - 56);
    ImportSummaryMemo->hide();
    ImportCancelBtn = NewButton(this, "ImportCancelBtn", QString(), QRect(kWidth - 20 - 100, kHeight - 46, 100, 30));
    ImportCancelBtn->setDefault(true);
    connect(ImportCancelBtn, &QPushButton::clicked, this, &TImportWindow::ImportCancelBtnClick);
    ImportRefreshTimer = NewTimer(this, "ImportRefreshTimer", 100);
    connect(ImportRefreshTimer, &QTimer::timeout, this, &TImportWindow::ShowProgress);
}

void TImportWindow::RefreshCaptions()
{
    setWindowTitle(lang_.CL("Import rides"));
    ImportCancelBtn->setText(Busy() || results_.empty() ? lang_.CL("Cancel") : lang_.CL("Close"));
    if (Busy()) {
        ImportTitleLab->setText(lang_.CL("Importing rides..."));
        ShowProgress();
    }
}

bool TImportWindow::Start(const QStringList &sources, const std::string &riderFolder, unsigned threads)
{
    if (Busy())
        return false;
    std::vector<std::string> arguments;
    for (const QString &s : sources)
        arguments.push_back(s.toStdString());
    progress_ = std::make_shared<Progress>();
    results_.clear();
    ImportTitleLab->setText(lang_.CL("Importing rides..."));
    ImportProgressBar->setRange(0, 0);
    ImportProgressBar->show();
    ImportCountLab->setText(lang_.CL("Looking for files..."));
    ImportFileLab->clear();
    ImportFileLab->show();
    ImportSummaryMemo->hide();
    ImportCancelBtn->setText(lang_.CL("Cancel"));
    ImportCancelBtn->setEnabled(true);
    ImportCancelBtn->setFocus();

    const std::shared_ptr<Progress> progress = progress_;
    worker_ = std::thread([this, progress, arguments, riderFolder, threads] {
        // A file named twice (itself and in its folder) is imported once.
        std::vector<std::string> files;
        std::set<std::string> seen;
        for (const std::string &a : arguments)
            for (std::string &f : ImportFilesOf(a))
                if (seen.insert(f).second)
                    files.push_back(std::move(f));
        {
            const std::lock_guard<std::mutex> lock(progress->mutex);
            progress->listed = true;
            progress->total = files.size();
        }
        ImportOptions options;
        options.cancel = &progress->cancel;
        options.threads = threads;
        options.progress = [progress](std::size_t done, std::size_t, std::size_t, const ImportResult &result) {
            const std::lock_guard<std::mutex> lock(progress->mutex);
            progress->done = done;
            progress->file = result.file;
        };
        progress->results = ImportRides(files, riderFolder, options);
        QMetaObject::invokeMethod(this, &TImportWindow::Finish, Qt::QueuedConnection);
    });
    ImportRefreshTimer->start();
    show();
    raise();
    activateWindow();
    return true;
}

void TImportWindow::ShowProgress()
{
    bool listed;
    std::size_t done, total;
    std::string file;
    {
        const std::lock_guard<std::mutex> lock(progress_->mutex);
        listed = progress_->listed;
        done = progress_->done;
        total = progress_->total;
        file = progress_->file;
    }
    if (!listed)
        return;
    ImportProgressBar->setRange(0, int(std::max<std::size_t>(total, 1)));
    ImportProgressBar->setValue(int(done));
    ImportCountLab->setText(lang_.CL("%1 of %2 files").arg(done).arg(total));
    const QString name = QFileInfo(QString::fromStdString(file)).fileName();
    ImportFileLab->setText(ImportFileLab->fontMetrics().elidedText(name, Qt::ElideMiddle, ImportFileLab->width()));
    // The bar is repainted with each tick even when no file ended since.
    ImportProgressBar->update();
}

void TImportWindow::Finish()
{
    // Joined first: what the worker left is then this thread's to read.
    Wait();
    ImportRefreshTimer->stop();
    ShowProgress();
    results_ = std::move(progress_->results);
    const ImportCounts counts = CountResults(results_);
    ImportTitleLab->setText(counts.cancelled != 0 ? lang_.CL("Import cancelled") : lang_.CL("Import finished"));
    if (results_.empty())
        ImportCountLab->setText(lang_.CL("No ride files found"));
    ImportProgressBar->setRange(0, 1);
    ImportProgressBar->setValue(results_.empty() || counts.cancelled == 0 ? 1 : 0);
    ImportFileLab->hide();
    ImportSummaryMemo->setPlainText(ImportSummaryText(results_, lang_));
    ImportSummaryMemo->show();
    ImportCancelBtn->setText(lang_.CL("Close"));
    ImportCancelBtn->setEnabled(true);
    ImportCancelBtn->setFocus();
    emit Finished(counts.imported);
}

void TImportWindow::ImportCancelBtnClick()
{
    if (!Busy()) {
        hide();
        return;
    }
    progress_->cancel = true;
    ImportCancelBtn->setEnabled(false);
}

void TImportWindow::reject()
{
    ImportCancelBtnClick();
}

void TImportWindow::closeEvent(QCloseEvent *event)
{
    // Closed while importing: cancelled, and the summary still shows.
    if (Busy()) {
        ImportCancelBtnClick();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TImportWindow::Wait()
{
    if (worker_.joinable())
        worker_.join();
}
