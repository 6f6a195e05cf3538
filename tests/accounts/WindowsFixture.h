#pragma once
// The five windows of the program, offscreen, on a temporary application
// folder; modal windows (message boxes, the account windows, the picture
// dialog) are answered from a timer through QApplication::activeModalWidget().
#include "accounts/Accountdel.h"
#include "accounts/Accountset.h"
#include "accounts/Login.h"
#include "app/Main.h"
#include "lang/Language.h"
#include "store/Databasecontroler.h"
#include "tests/support/EventLoop.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QPushButton>
#include <gtest/gtest.h>

class WindowsTest : public ::testing::Test {
protected:
    // Creates the windows in the program's order on the application folder.
    void Open()
    {
        main = new TmainForm(QString::fromStdString(app.path()));
        main->FormCreate();
        mainForm = main;
        MakeWindows(main);
        login = LoginForm;
        create = UserAccountSetForm;
        del = DeleteAccountForm;
        language = LanguageForm;
    }
    void TearDown() override
    {
        EXPECT_TRUE(modal.Done()) << "modal steps left unanswered";
        DeleteWindows();
        delete main;
        mainForm = nullptr;
    }
    std::string Rider(const std::string &id) const { return app.path() + "/ID/" + id; }
    bool Saw(const QString &text, const QString &caption) const { return modal.Saw(text, caption); }
    // A control of the main window by its component name.
    template <class T> T *Control(const char *name) const
    {
        T *control = main->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    TempFolder app;
    ModalAnswerer modal;
    TmainForm *main = nullptr;
    TLoginForm *login = nullptr;
    TUserAccountSetForm *create = nullptr;
    TDeleteAccountForm *del = nullptr;
    TLanguageForm *language = nullptr;
};
