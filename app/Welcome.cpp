#include "app/Welcome.h"

#include "draw/Dialogs.h"
#include "draw/Assets.h"
#include "draw/Controls.h"
#include "draw/Image.h"

#include <QTimer>
#include <utility>

TWelcomeForm::TWelcomeForm(QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName("WelcomeForm");
    StartImage = NewPicture(this, "StartImage", QRect(0, 0, 650, 229));
    StartImage->SetPicture(AssetImage("Splash"));
    setFixedSize(650, 229);
    move(CentredOnScreen(size()));
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(2000);
    Timer1->setTimerType(Qt::PreciseTimer);  // a coarse timer may end it 5 % early
    connect(Timer1, &QTimer::timeout, this, &TWelcomeForm::Timer1Timer);
    Timer1->start();
}

void TWelcomeForm::Timer1Timer()
{
    Timer1->stop();
    accept();
}

void TWelcomeForm::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (WhileShown)
        QTimer::singleShot(0, this, std::exchange(WhileShown, nullptr));
}
