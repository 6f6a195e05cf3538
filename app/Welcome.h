#pragma once
// The splash window: one picture, closed by its timer after 2000 ms.
#include <QDialog>

class QTimer;
class TImage;

class TWelcomeForm : public QDialog {
    Q_OBJECT
public:
    explicit TWelcomeForm(QWidget *parent = nullptr);

    TImage *StartImage = nullptr;
    QTimer *Timer1 = nullptr;  // 2000 ms, on from creation

    void Timer1Timer();
};
