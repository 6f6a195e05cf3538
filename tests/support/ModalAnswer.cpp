#include "tests/support/ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <algorithm>

namespace {

QMessageBox::StandardButton DefaultOf(const QMessageBox *box)
{
    return box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
}

} // namespace

void ClickLater(QAbstractButton *button)
{
    QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
}

ModalAnswerer::ModalAnswerer()
{
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    timer_.start(10);
}

void ModalAnswerer::AnswerBox(QMessageBox::StandardButton answer)
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

void ModalAnswerer::OnDialog(const QString &name, std::function<void(QWidget *)> action)
{
    Then([name, action](QWidget *w) {
        if (w->objectName() != name)
            return false;
        action(w);
        return true;
    });
}

bool ModalAnswerer::Saw(const QString &text) const
{
    return std::any_of(seen.begin(), seen.end(), [&](const SeenBox &b) { return b.text == text; });
}

bool ModalAnswerer::Saw(const QString &text, const QString &caption) const
{
    return std::any_of(seen.begin(), seen.end(),
                       [&](const SeenBox &b) { return b.text == text && b.caption == caption; });
}

void ModalAnswerer::Record(QMessageBox *box)
{
    box->setProperty("answered", true);
    seen.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons(), DefaultOf(box),
                    box->windowFlags().testFlag(Qt::WindowStaysOnTopHint)});
}

void ModalAnswerer::Tick()
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
        QMessageBox::StandardButton answer = DefaultOf(box) != QMessageBox::NoButton ? DefaultOf(box) : QMessageBox::Ok;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        ClickLater(box->button(answer));
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
