// Entry of the widget tests: one QApplication for the whole run.
#include "draw/WindowSight.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A message box that no ModalAnswerer answers would hold the test until the
// suite's timeout, telling nothing: one left open for ten seconds fails the
// running test with its text and is closed.
void CloseForgottenBoxes(QObject *owner)
{
    auto *timer = new QTimer(owner);
    auto box = std::make_shared<QPointer<QMessageBox>>();
    auto since = std::make_shared<QElapsedTimer>();
    QObject::connect(timer, &QTimer::timeout, owner, [box, since] {
        auto *open = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (open != *box) {
            *box = open;
            since->start();
        } else if (open != nullptr && since->elapsed() > 10000) {
            ADD_FAILURE() << "a message box nobody answered: " << open->windowTitle().toStdString() << ": "
                          << open->text().toStdString();
            open->reject();
            *box = nullptr;
        }
    });
    timer->start(250);
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    TTeardownDeadline deadline;
    CloseForgottenBoxes(&app);
    ::testing::InitGoogleTest(&argc, argv);
    return deadline.Ending(RUN_ALL_TESTS());
}
