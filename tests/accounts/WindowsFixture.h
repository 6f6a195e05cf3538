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
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

struct SeenBox {
    QString text, caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool onTop = false;
};

inline bool RunUntil(const std::function<bool()> &done, int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// Clicks a button after the current event has been handled, so a modal
// window it opens runs its own loop outside the answering timer.
inline void ClickLater(QAbstractButton *button)
{
    QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
}

// Answers modal windows in order. Each step waits for a modal widget it
// accepts (returns true). Message boxes nobody expects are recorded and
// answered with their default button, so a test never hangs.
class ModalAnswerer : public QObject {
public:
    using Step = std::function<bool(QWidget *)>;
    ModalAnswerer()
    {
        connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
        timer_.start(10);
    }
    std::deque<Step> steps;
    std::vector<SeenBox> boxes; // every message box seen, in order

    void Then(Step step) { steps.push_back(std::move(step)); }
    // The next message box gets this answer.
    void AnswerBox(QMessageBox::StandardButton answer)
    {
        Then([this, answer](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box == nullptr)
                return false;
            Record(box);
            ClickLater(box->button(answer));
            return true;
        });
    }
    // Runs action on the named dialog once it is the modal window.
    void OnDialog(const QString &name, std::function<void(QWidget *)> action)
    {
        Then([name, action](QWidget *w) {
            if (w->objectName() != name)
                return false;
            action(w);
            return true;
        });
    }
    bool Done() const { return steps.empty(); }

private:
    void Record(QMessageBox *box)
    {
        box->setProperty("answered", true);
        const auto def = box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
        boxes.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons(), def,
                         box->windowFlags().testFlag(Qt::WindowStaysOnTopHint)});
    }
    void Tick()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (w == nullptr || !w->isVisible() || w->property("answered").toBool())
            return;
        if (!steps.empty() && steps.front()(w)) {
            steps.pop_front();
            waiting_.invalidate();
            return;
        }
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            Record(box);
            ClickLater(box->button(def(box)));
            return;
        }
        // A window no step takes: closed after a while so the test goes on.
        if (!waiting_.isValid())
            waiting_.start();
        else if (waiting_.elapsed() > 5000) {
            waiting_.invalidate();
            w->close();
        }
    }
    static QMessageBox::StandardButton def(QMessageBox *box)
    {
        return box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::Ok;
    }
    QTimer timer_;
    QElapsedTimer waiting_;
};

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
        // The main window's application-wide hook must not see the events of
        // the window's own destruction.
        if (main != nullptr)
            for (QObject *child : main->children())
                if (!child->isWidgetType())
                    qApp->removeEventFilter(child);
        delete main;
        mainForm = nullptr;
        LoginForm = nullptr;
        UserAccountSetForm = nullptr;
        DeleteAccountForm = nullptr;
        LanguageForm = nullptr;
    }
    std::string Rider(const std::string &id) const { return app.path() + "/ID/" + id; }
    bool Saw(const QString &text, const QString &caption) const
    {
        for (const SeenBox &b : modal.boxes)
            if (b.text == text && b.caption == caption)
                return true;
        return false;
    }

    TempFolder app;
    ModalAnswerer modal;
    TmainForm *main = nullptr;
    TLoginForm *login = nullptr;
    TUserAccountSetForm *create = nullptr;
    TDeleteAccountForm *del = nullptr;
    TLanguageForm *language = nullptr;
};
