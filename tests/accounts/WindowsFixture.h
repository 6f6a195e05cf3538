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
        LoginForm = login = new TLoginForm(main);
        UserAccountSetForm = create = new TUserAccountSetForm(main);
        DeleteAccountForm = del = new TDeleteAccountForm(main);
        LanguageForm = language = new TLanguageForm(main);
    }
    void TearDown() override
    {
        EXPECT_TRUE(modal.Done()) << "modal steps left unanswered";
        delete language;
        delete del;
        delete create;
        delete login;
        delete main;
        mainForm = nullptr;
        LoginForm = nullptr;
        UserAccountSetForm = nullptr;
        DeleteAccountForm = nullptr;
        LanguageForm = nullptr;
    }
    std::string Rider(const std::string &id) const { return app.path() + "/ID/" + id; }
    bool Saw(const QString &text, const QString &caption) const { return modal.Saw(text, caption); }

    TempFolder app;
    ModalAnswerer modal;
    TmainForm *main = nullptr;
    TLoginForm *login = nullptr;
    TUserAccountSetForm *create = nullptr;
    TDeleteAccountForm *del = nullptr;
    TLanguageForm *language = nullptr;
};
