#include "app/Welcome.h"

#include "draw/Image.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(Splash, ShowsItsPictureAndClosesOnTheFirstTick)
{
    TWelcomeForm splash;
    EXPECT_EQ(splash.size(), QSize(650, 229));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    ASSERT_NE(splash.StartImage, nullptr);
    EXPECT_EQ(splash.StartImage->geometry(), QRect(0, 0, 650, 229));
    EXPECT_EQ(splash.StartImage->Canvas().size(), QSize(650, 229));
    EXPECT_EQ(splash.Timer1->interval(), 2000);
    EXPECT_TRUE(splash.Timer1->isActive());
    // Make the wait short; the modal wait returns on the first tick.
    splash.Timer1->setInterval(50);
    EXPECT_EQ(splash.exec(), QDialog::Accepted);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.Timer1->isActive());
}

}  // namespace
