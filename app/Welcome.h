#pragma once
// The splash window: one picture, closed by its timer after 2000 ms.
#include <QDialog>
#include <functional>

class QTimer;
class TImage;

class TWelcomeForm : public QDialog {
    Q_OBJECT
public:
    explicit TWelcomeForm(QWidget *parent = nullptr);

    TImage *StartImage = nullptr;
    QTimer *Timer1 = nullptr;  // 2000 ms, on from creation

    // Runs once, right after the splash is first painted (work done while
    // the splash waits).
    std::function<void()> WhileShown;

    void Timer1Timer();

protected:
    void paintEvent(QPaintEvent *event) override;
};
