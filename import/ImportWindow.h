#pragma once
// The import's own window: rides from files of other devices and platforms
// imported on a worker thread while the window shows a progress bar, the
// count and the file, repainted ten times a second from what the worker has
// reached (the main window stays free all the while). Cancel (or Esc) stops
// before the next file; at the end a summary in the chosen language and
// the Finished signal, once per import.
#include "import/Import.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class MultiLanguage;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

class TImportWindow : public QDialog {
    Q_OBJECT
public:
    explicit TImportWindow(const MultiLanguage &lang, QWidget *parent = nullptr);
    // An import still running is cancelled and waited for.
    ~TImportWindow() override;

    QLabel *ImportTitleLab = nullptr;
    QLabel *ImportCountLab = nullptr;
    QLabel *ImportFileLab = nullptr;
    QProgressBar *ImportProgressBar = nullptr;
    QPlainTextEdit *ImportSummaryMemo = nullptr;
    QPushButton *ImportCancelBtn = nullptr;
    QTimer *ImportRefreshTimer = nullptr; // 100 ms while importing

    // Imports the files, and every importable file below the folders, of
    // sources into riderFolder and shows the window. False (nothing started)
    // while another import runs. threads: as ImportOptions::threads.
    bool Start(const QStringList &sources, const std::string &riderFolder, unsigned threads = 0);
    bool Busy() const { return worker_.joinable(); }
    // While importing: stop before the next file. Afterwards: close.
    void ImportCancelBtnClick();
    void RefreshCaptions();
    // The results of the last import that ended (one per file).
    const std::vector<ImportResult> &Results() const { return results_; }

    // Chooses what to import: several files or a folder, asked under the
    // anchor (an empty list: nothing chosen). A menu and the file dialog
    // unless a test sets another.
    using Chooser = std::function<QStringList(QWidget *anchor, const MultiLanguage &lang)>;
    static Chooser ChooseSources;

signals:
    // The import has ended and its summary shows; imported: files imported.
    void Finished(std::size_t imported);

protected:
    void reject() override; // Esc: as Cancel
    void closeEvent(QCloseEvent *event) override;

private:
    struct Progress;
    void CreateControls();
    void ShowProgress();
    void Finish();
    void Wait();

    const MultiLanguage &lang_;
    std::shared_ptr<Progress> progress_;
    std::thread worker_;
    std::vector<ImportResult> results_;
};
