#pragma once
// The real main window, offscreen, on a temporary application folder with
// scripted HID devices, a logged-in rider, and message boxes answered and
// recorded as they come up.
#include "app/Main.h"
#include "device/Download.h"
#include "device/FakeHidPlatform.h"
#include "draw/Image.h"
#include "store/Databasecontroler.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>

constexpr std::uint16_t DongleVid = 0x1915, DonglePid = 0x003B;

struct SeenBox {
    QString text, caption;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    bool onTop;
};

// Answers every message box that comes up: with the next queued answer,
// else with its default button.
class BoxAnswerer : public QObject {
public:
    BoxAnswerer()
    {
        connect(&timer_, &QTimer::timeout, this, [this] { answer(); });
        timer_.start(10);
    }
    std::vector<SeenBox> seen;
    std::deque<QMessageBox::StandardButton> answers;

    bool saw(const QString &text) const
    {
        return std::any_of(seen.begin(), seen.end(), [&](const SeenBox &b) { return b.text == text; });
    }

private:
    void answer()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box->property("answered").toBool())
            return;
        box->setProperty("answered", true);
        const QMessageBox::StandardButton def =
            box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
        seen.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons(), def,
                        box->windowFlags().testFlag(Qt::WindowStaysOnTopHint)});
        QMessageBox::StandardButton b = def != QMessageBox::NoButton ? def : QMessageBox::Ok;
        if (!answers.empty()) {
            b = answers.front();
            answers.pop_front();
        }
        QMetaObject::invokeMethod(box->button(b), &QAbstractButton::click, Qt::QueuedConnection);
    }
    QTimer timer_;
};

inline bool runUntil(const std::function<bool()> &done, int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

inline void runFor(int ms) { runUntil([] { return false; }, ms); }

// Report of the dongle carrying one log line (up to 33 data bytes as hex).
inline FakeHidPlatform::Report reportOf(const std::string &line, int pauseMs = 0)
{
    FakeHidPlatform::Report r;
    r.pauseMs = pauseMs;
    r.bytes.assign(65, 0);
    for (std::size_t i = 0; i + 1 < line.size() && i / 2 + 1 < r.bytes.size(); i += 2)
        r.bytes[i / 2 + 1] = std::uint8_t(std::stoi(line.substr(i, 2), nullptr, 16));
    return r;
}

inline std::vector<FakeHidPlatform::Report> reportsOf(const std::vector<std::string> &lines)
{
    std::vector<FakeHidPlatform::Report> out;
    for (const std::string &l : lines)
        out.push_back(reportOf(l));
    return out;
}

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
        form->DongleLinkStatusImage->show();
        form->mainStartImage->show();
    }

    std::string riderFile(const std::string &name) const { return form->DataBase->RiderFolder + name; }
    int logLines() const
    {
        const QString t = form->LogMemo->toPlainText();
        return t.isEmpty() ? 0 : int(t.count('\n')) + 1;
    }
    void clickStart() { emit form->mainStartImage->clicked(form->mainStartImage); }

    TempFolder app;
    FakeHidPlatform fake;
    BoxAnswerer boxes;
    std::unique_ptr<TmainForm> form;
    TDongleDownload *dl = nullptr;
};
