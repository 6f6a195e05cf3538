#pragma once
// Answers the modal windows of a widget test from a timer through
// QApplication::activeModalWidget(), and records every message box seen.
#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

class QAbstractButton;

struct SeenBox {
    QString text, caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool onTop = false;
};

// Clicks a button after the current event has been handled, so a modal
// window it opens runs its own loop outside the answering timer.
void ClickLater(QAbstractButton *button);

// Answers modal windows in order. Each step waits for a modal widget it
// accepts (returns true). A message box no step takes is recorded and
// answered with the next of answers, else with its default button (Ok where
// it has none), so a test never hangs; any other window no step takes is
// closed after five seconds.
class ModalAnswerer : public QObject {
public:
    using Step = std::function<bool(QWidget *)>;
    ModalAnswerer();

    std::deque<Step> steps;
    std::deque<QMessageBox::StandardButton> answers;
    std::vector<SeenBox> seen; // every message box, in order

    void Then(Step step) { steps.push_back(std::move(step)); }
    // The next message box gets this answer.
    void AnswerBox(QMessageBox::StandardButton answer);
    // Runs action on the named dialog once it is the modal window.
    void OnDialog(const QString &name, std::function<void(QWidget *)> action);
    bool Done() const { return steps.empty(); }
    bool Saw(const QString &text) const;
    bool Saw(const QString &text, const QString &caption) const;

private:
    void Record(QMessageBox *box);
    void Tick();

    QTimer timer_;
    QElapsedTimer waiting_;
};
