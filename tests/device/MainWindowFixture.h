#pragma once
// The real main window, offscreen, on a temporary application folder with
// scripted HID devices, a logged-in rider, and message boxes answered and
// recorded as they come up.
#include "app/Main.h"
#include "calendar/CalendarView.h"
#include "device/Download.h"
#include "device/DownloadProgress.h"
#include "device/FakeHidPlatform.h"
#include "tests/device/HidTestSupport.h"
#include "draw/Image.h"
#include "store/Databasecontroler.h"
#include "tests/support/EventLoop.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

class MainWindowTest : public ::testing::Test {
protected:
    // Builds the window; devices plugged before run the first scan with it.
    void open(int timerPeriodMs = 50)
    {
        form = std::make_unique<TmainForm>(QString::fromStdString(app.path()));
        form->HidServices = &fake;
        form->FormCreate();
        dl = form->Download;
        ASSERT_NE(dl, nullptr);
        if (timerPeriodMs != 1000)
            dl->SetTimerPeriods(timerPeriodMs);
        // A rider has logged in: the download controls show.
        ASSERT_FALSE(form->DataBase->CreateRiderFolder("bob"));
        form->DataBase->CurrentID = "bob";
        form->DataBase->RiderFolder = form->DataBase->RootFolder + "bob/";
        form->CalenderPanel->ShowDownloadControls(true);
        logMemo = ctl<QPlainTextEdit>("LogMemo");
        devList = ctl<QListWidget>("DevListBox");
        startImage = ctl<TImage>("mainStartImage");
        statusImage = ctl<TImage>("DongleLinkStatusImage");
        progress = ctl<TDownloadProgress>("DownloadProgress");
    }

    // A control of the window by its component name.
    template <class T> T *ctl(const char *name) const
    {
        T *control = form->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    std::string riderFile(const std::string &name) const { return form->DataBase->RiderFolder + name; }
    int logLines() const
    {
        const QString t = logMemo->toPlainText();
        return t.isEmpty() ? 0 : int(t.count('\n')) + 1;
    }
    void clickStart() { emit startImage->clicked(startImage); }

    TempFolder app;
    FakeHidPlatform fake;
    ModalAnswerer boxes;
    std::unique_ptr<TmainForm> form;
    TDongleDownload *dl = nullptr;
    QPlainTextEdit *logMemo = nullptr;
    QListWidget *devList = nullptr;
    TImage *startImage = nullptr;
    TImage *statusImage = nullptr;
    TDownloadProgress *progress = nullptr;
};
