// The login cycle with all five windows as the program creates them: the
// main window unseen until a login, Exit at the first activation, logout and
// login again.
#include "accounts/Accountdel.h"
#include "accounts/Accountset.h"
#include "accounts/Login.h"
#include "app/Main.h"
#include "calendar/CalendarView.h"
#include "calendar/SummaryView.h"
#include "views/Analysis.h"
#include "views/RecordDetails.h"
#include "draw/Image.h"
#include "lang/Language.h"
#include "store/Databasecontroler.h"
#include "tests/support/Parts.h"
#include "tests/support/TempFolder.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

namespace {

// What a window manager's close does: a close event to the native window,
// which reaches the widget as a spontaneous one.
void WindowManagerClose(QWidget *window)
{
    QCloseEvent close;
    QCoreApplication::sendEvent(window->windowHandle(), &close);
}

class LoginCycleTest : public ::testing::Test {
protected:
    void Create(const std::vector<std::string> &riders)
    {
        mainForm = new TmainForm(QString::fromStdString(dir.path()));
        mainForm->FormCreate();
        for (const std::string &id : riders)
            mainForm->DataBase->CreateRiderFolder(id);
        MakeWindows(mainForm);
    }
    void TearDown() override
    {
        DeleteWindows();
        delete mainForm;
        mainForm = nullptr;
    }

    // Runs `action` once, as soon as the login window is up.
    void WhenLoginShown(std::function<void()> action)
    {
        auto *poll = new QTimer(mainForm);
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, [poll, action] {
            if (LoginForm->isVisible()) {
                poll->stop();
                poll->deleteLater();
                action();
            }
        });
        poll->start();
    }

    // What the main window looked like while the login window was up.
    struct Seen {
        double opacity = -1;
        bool onScreen = true;
        bool anyView = true;
    };
    static bool OnScreen() { return mainForm->isVisible() && !mainForm->testAttribute(Qt::WA_DontShowOnScreen); }
    Seen Look() const
    {
        Seen s;
        s.opacity = mainForm->windowOpacity();
        s.onScreen = OnScreen();
        s.anyView = mainForm->CalenderPanel->isVisible() || mainForm->SportModePanel->isVisible() ||
                    mainForm->SportAnalysisPanel->isVisible() || mainForm->SummaryPanel->isVisible();
        return s;
    }

    TempFolder dir;
};

TEST_F(LoginCycleTest, ExitAtTheFirstActivationEndsWithoutShowingTheMainWindow)
{
    Create({});
    EXPECT_TRUE(LoginForm->ID_Select_ComboBox->currentText().isEmpty());
    QSignalSpy closed(mainForm, &TmainForm::Closed);
    Seen seen;
    WhenLoginShown([&] {
        seen = Look();
        QTest::mouseClick(LoginForm->ExitBtn, Qt::LeftButton);
    });
    mainForm->show();
    mainForm->activateWindow();
    ASSERT_TRUE(closed.wait(5000));
    EXPECT_DOUBLE_EQ(seen.opacity, 0.0);
    EXPECT_FALSE(seen.onScreen);
    EXPECT_FALSE(seen.anyView);
    EXPECT_TRUE(mainForm->ExitRequested);
    EXPECT_DOUBLE_EQ(mainForm->windowOpacity(), 0.0);
    EXPECT_FALSE(mainForm->isVisible());
}

TEST_F(LoginCycleTest, LoginLogoutAndLoginAgain)
{
    Create({"Bob"});
    bool loggedIn = false;
    WhenLoginShown([&] {
        QTest::mouseClick(LoginForm->LoginBtn, Qt::LeftButton);
        loggedIn = true;
    });
    mainForm->show();
    mainForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return loggedIn && !LoginForm->isVisible(); }, 5000));
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(mainForm->windowOpacity(), 1.0);
    EXPECT_TRUE(OnScreen());
    EXPECT_TRUE(mainForm->CalenderPanel->isVisible());
    EXPECT_TRUE(mainForm->BtnImageLogout->isVisible());
    EXPECT_FALSE(mainForm->BtnImagePrintReport->isVisible());
    EXPECT_TRUE(mainForm->findChild<QWidget *>("DongleLinkStatusImage")->isVisible());
    EXPECT_TRUE(mainForm->findChild<QWidget *>("mainStartImage")->isVisible());
    EXPECT_EQ(mainForm->DataBase->CurrentID, "Bob");
    const int16_t year = mainForm->ShowYear, month = mainForm->ShowMonth;

    Seen seen;
    WhenLoginShown([&] {
        seen = Look();
        QTest::mouseClick(LoginForm->LoginBtn, Qt::LeftButton);
    });
    const auto duration = [] { return &Part<QLineEdit>(*mainForm->SummaryPanel, "Sum_Dura_Edit"); };
    duration()->setText("01:30:15"); // a total Bob looked at
    QTest::mouseClick(mainForm->BtnImageLogout, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(duration()->text(), "00:00:00"); // never shown to the next rider
    EXPECT_DOUBLE_EQ(seen.opacity, 0.0);
    EXPECT_FALSE(seen.onScreen);
    EXPECT_FALSE(seen.anyView);
    EXPECT_DOUBLE_EQ(mainForm->windowOpacity(), 1.0);
    EXPECT_TRUE(OnScreen());
    EXPECT_TRUE(mainForm->CalenderPanel->isVisible());
    EXPECT_EQ(mainForm->ShowYear, year);
    EXPECT_EQ(mainForm->ShowMonth, month);
    EXPECT_FALSE(mainForm->ExitRequested);

    // Logout and Exit closes the main window.
    QSignalSpy closed(mainForm, &TmainForm::Closed);
    WhenLoginShown([&] { QTest::mouseClick(LoginForm->ExitBtn, Qt::LeftButton); });
    mainForm->BtnImageLogoutClick();
    EXPECT_EQ(closed.count(), 1);
}

// Closing the login window from the window manager (its close button,
// Alt+F4) is Exit; closing a window it opened is that window's Cancel.
TEST_F(LoginCycleTest, WindowManagerClosesAreExitAndCancel)
{
    Create({"Bob"});
    QSignalSpy closed(mainForm, &TmainForm::Closed);
    bool childrenCancelled = false;
    WhenLoginShown([&] {
        // Each child window is closed by the window manager as soon as it
        // is up; the login window is unseen meanwhile and back afterwards.
        bool loginUnseen = true;
        auto closeWhenUp = [&](QDialog *child) {
            QTimer::singleShot(50, child, [&, child] {
                loginUnseen = loginUnseen && LoginForm->windowOpacity() == 0.0;
                WindowManagerClose(child);
            });
        };
        UserAccountSetForm->UserIDEdit->setText("Zed");
        closeWhenUp(UserAccountSetForm);
        LoginForm->CreateIDBtnClick();
        closeWhenUp(DeleteAccountForm);
        LoginForm->DeleteIDBtnClick();
        closeWhenUp(LanguageForm);
        LoginForm->img_LanguageClick();
        childrenCancelled = loginUnseen && LoginForm->windowOpacity() == 1.0 &&
                            mainForm->DataBase->Riders == std::vector<std::string>{"Bob"};
        LoginForm->RememberMeCB->setChecked(true);
        WindowManagerClose(LoginForm);
    });
    mainForm->show();
    ASSERT_TRUE(closed.wait(5000));
    EXPECT_TRUE(childrenCancelled);
    EXPECT_TRUE(mainForm->ExitRequested);
    // Exit's steps ran: the rider is remembered.
    EXPECT_EQ(readFileBytes(dir.file("REME.txt")), "Bob\r\n");
}

}  // namespace
