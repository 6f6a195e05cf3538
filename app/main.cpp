// Program entry: one program per application folder, then the splash, the
// main window, the four secondary windows in their order and the event loop.
#include "accounts/Accountdel.h"
#include "accounts/Accountset.h"
#include "draw/Dialogs.h"
#include "draw/WindowSight.h"
#include "accounts/Login.h"
#include "app/Main.h"
#include "app/SingleInstance.h"
#include "app/Welcome.h"
#include "calendar/CalendarView.h"
#include "calendar/SummaryView.h"
#include "draw/Assets.h"
#include "draw/FocusRing.h"
#include "lang/Language.h"
#include "store/AtomicFile.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <exception>

namespace {

void ShowFailure(const QString &message)
{
    ShowErrorBox(nullptr, message, "Cyclovex", false);
}

// Shows an exception escaping an event handler and goes on with the loop.
class TApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &e) {
            ShowFailure(QString::fromUtf8(e.what()));
        } catch (...) {
            ShowFailure(QString());
        }
        return false;
    }
};

// A later start on the same folder called: the window the rider works with
// (the modal one while there is one) comes forward.
void BringForward()
{
    QWidget *window = QApplication::activeModalWidget();
    if (window == nullptr)
        window = mainForm;
    if (window == nullptr)
        return;
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}

// The program's icon and the main window's pictures, painted while the
// splash waits (the splash itself shows as early as it can); the windows
// then take them from the caches.
void PaintMainPictures()
{
    qApp->setWindowIcon(QIcon(QPixmap::fromImage(AssetImage("AppIcon"))));
    TmainForm::PaintBackgrounds();
    TCalenderPanel::PaintPictures();
    TSummaryPanel::PaintPictures();
    for (const char *list : {"MainBtnImageList", "MonthBtnImageList", "DongleLinkStatusImageList",
                             "StartBtnImageList", "RadioImgList"})
        AssetList(QString::fromLatin1(list));
}

}  // namespace

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    app.setApplicationName("Cyclovex");
    TTeardownDeadline deadline;
    // The keyboard's focus shows as the program's orange ring everywhere.
    app.setStyle(new TFocusStyle);
    // The main window's Closed signal ends the program; the login window
    // closing while the main window is unseen must not.
    app.setQuitOnLastWindowClosed(false);
    KeepWindowsInWorkArea();
    // Program files are found relative to the executable's folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    TSingleInstance instance(QCoreApplication::applicationDirPath());
    if (!instance.Acquire(BringForward)) {
        if (!instance.CallFirst())
            ShowMessage(nullptr, "Cyclovex is already running from this folder.", "Cyclovex", QMessageBox::Information,
                        false);
        return 0;
    }
    if (instance.Unguarded())
        ShowMessage(nullptr,
                    "The lock file Cyclovex.lock cannot be made in the program's folder: a second start of "
                    "Cyclovex from this folder cannot be detected.",
                    "Cyclovex", QMessageBox::Warning, false);
    // What writes of an earlier run that was killed left behind.
    const std::string appFolder = QCoreApplication::applicationDirPath().toStdString();
    RemoveTemporaryFiles(appFolder);
    RemoveTemporaryFiles(appFolder + "/LANGUAGE");
    try {
        {
            TWelcomeForm welcome;
            welcome.WhileShown = PaintMainPictures;
            welcome.exec();
        }
        mainForm = new TmainForm;
        mainForm->FormCreate();
        MakeWindows(mainForm);
        QObject::connect(mainForm, &TmainForm::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        mainForm->show();
        mainForm->activateWindow();
        app.exec();
    } catch (const std::exception &e) {
        ShowFailure(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowFailure(QString());
    }
    DeleteWindows();
    delete mainForm;
    return deadline.Ending(0);
}
