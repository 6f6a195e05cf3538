#include "draw/Assets.h"
#include "draw/Image.h"
#include "draw/ImageList.h"
#include "draw/Korvandraw.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QImage Surface(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QRgb Grey(int v) { return qRgb(v, v, v); }

TEST(FillGradient, RowsRunFromTheFirstColourToOneStepShortOfTheSecond)
{
    QImage img = Surface(265, 369);
    TKorvanDraw().FillGradient(img, 0x404040, 0xFFFFFF, 0);
    EXPECT_EQ(img.pixel(0, 0), Grey(0x40));
    EXPECT_EQ(img.pixel(264, 0), Grey(0x40));
    EXPECT_EQ(img.pixel(100, 368), Grey(254));
}

TEST(FillGradient, ColumnsAndColoursKeepTheirByteOrder)
{
    QImage img = Surface(10, 4);
    // 0x0000FF is pure red in the 0x00BBGGRR form.
    TKorvanDraw().FillGradient(img, 0x0000FF, 0x0000FF, 1);
    EXPECT_EQ(img.pixel(0, 3), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(9, 0), qRgb(254, 0, 0));  // the two truncated terms lose one
}

TEST(FillGradient, UnknownDirectionDrawsNothing)
{
    QImage img = Surface(5, 5);
    TKorvanDraw().FillGradient(img, 0x404040, 0xFFFFFF, 2);
    TKorvanDraw().FillMirrorGradient(img, 0x404040, 0xFFFFFF, -1);
    EXPECT_EQ(qAlpha(img.pixel(2, 2)), 0);
}

TEST(FillMirrorGradient, PanelRowsMirrorAboutTheMiddle)
{
    QImage img = Surface(1024, 609);
    TKorvanDraw().FillMirrorGradient(img, 0xCCCCCC, 0x404040, 0);
    EXPECT_EQ(img.pixel(0, 0), Grey(0xCC));
    EXPECT_EQ(img.pixel(0, 608), Grey(203));
    EXPECT_EQ(img.pixel(500, 304), Grey(0x40));
    EXPECT_EQ(img.pixel(500, 305), Grey(0x40));
    EXPECT_EQ(img.pixel(7, 100), img.pixel(7, 609 - 100));
}

TEST(FillMirrorGradient, TinyPicturesDoNotCrash)
{
    for (QSize size : {QSize(1, 1), QSize(1, 5), QSize(5, 1)}) {
        QImage img = Surface(size.width(), size.height());
        TKorvanDraw().FillMirrorGradient(img, 0xCCCCCC, 0x404040, 0);
        TKorvanDraw().FillMirrorGradient(img, 0xCCCCCC, 0x404040, 1);
        EXPECT_EQ(img.pixel(0, 0), Grey(0xCC));
    }
    QImage empty;
    TKorvanDraw().FillMirrorGradient(empty, 0xCCCCCC, 0x404040, 0);
}

TEST(DrawFrameLabel, ZeroTextDrawsTheClosedFrame)
{
    QImage img = Surface(200, 100);
    img.fill(Qt::black);
    TKorvanDraw().DrawFrameLabel(img, 10, 20, 190, 90, 0xFFFFFF, "0");
    for (int x : {30, 60, 100, 150})
        EXPECT_EQ(img.pixel(x, 20), Grey(255)) << x;
    EXPECT_EQ(img.pixel(10, 55), Grey(255));
    EXPECT_EQ(img.pixel(189, 55), Grey(255));
    EXPECT_EQ(img.pixel(100, 89), Grey(255));
    EXPECT_EQ(img.pixel(100, 55), Grey(0));  // not filled
    EXPECT_NE(img.pixel(10, 20), Grey(255));  // rounded corner
}

TEST(DrawFrameLabel, SpacesOpenAGapInTheTopEdge)
{
    QImage img = Surface(300, 100);
    img.fill(qRgb(0x40, 0x40, 0x40));
    TKorvanDraw().DrawFrameLabel(img, 10, 20, 290, 90, 0xFFFFFF, std::string(16, ' '));
    // The gap starts 8 pixels right of x1 and takes the colour just below.
    EXPECT_EQ(img.pixel(18, 20), Grey(0x40));
    EXPECT_EQ(img.pixel(40, 20), Grey(0x40));
    EXPECT_EQ(img.pixel(17, 20), Grey(255));
    EXPECT_EQ(img.pixel(280, 20), Grey(255));
}

TEST(DrawFrameLabel, FrameNearTheEdgeStaysInside)
{
    QImage img = Surface(40, 30);
    TKorvanDraw().DrawFrameLabel(img, 0, 0, 40, 30, 0xFFFFFF, "a long caption that is wider than the picture");
    TKorvanDraw().DrawFrameLabel(img, -50, -50, 10, 10, 0xFFFFFF, "x");
    // What lies inside is drawn, the picture keeps its size and the
    // middle, away from every edge, stays as it was.
    EXPECT_EQ(img.size(), QSize(40, 30));
    EXPECT_EQ(img.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(img.pixel(0, 15), Grey(255));
    EXPECT_EQ(img.pixel(25, 15), qRgba(0, 0, 0, 0));
}

TEST(PictureControl, CanvasFollowsTheSizeAlsoWhileHidden)
{
    TImage image(nullptr, "Pic");
    image.setGeometry(0, 0, 120, 80);
    TKorvanDraw().FillGradient(&image, 0x404040, 0xCCCCCC, 0);
    ASSERT_EQ(image.Canvas().size(), QSize(120, 80));
    image.show();
    EXPECT_EQ(image.Canvas().pixel(0, 0), Grey(0x40));
    EXPECT_EQ(image.grab().toImage().pixel(5, 0), Grey(0x40));
}

TEST(PictureControl, StretchedPictureFillsTheControl)
{
    TImage image;
    image.resize(40, 40);
    image.Stretch = true;
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    image.SetPicture(red);
    EXPECT_EQ(image.Canvas().pixel(39, 39), qRgb(255, 0, 0));
    image.Clear();
    EXPECT_EQ(qAlpha(image.Canvas().pixel(39, 39)), 0);
    EXPECT_TRUE(image.Picture().isNull());
}

// What the platform delivers for quick clicks: the second press within the
// double-click interval arrives as a double-click, its release as usual.
void Send(QWidget *target, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

TEST(PictureControl, EveryQuickClickIsAClickAndDoubleClicksStillCount)
{
    TImage image;
    image.resize(30, 30);
    image.show();
    QSignalSpy clicks(&image, &TImage::clicked);
    QSignalSpy doubles(&image, &TImage::doubleClicked);
    QSignalSpy presses(&image, &TImage::mousePressed);
    for (int pair = 0; pair < 2; ++pair) {
        Send(&image, QEvent::MouseButtonPress, QPoint(5, 5));
        Send(&image, QEvent::MouseButtonRelease, QPoint(5, 5));
        Send(&image, QEvent::MouseButtonDblClick, QPoint(5, 5));
        Send(&image, QEvent::MouseButtonRelease, QPoint(5, 5));
    }
    EXPECT_EQ(clicks.count(), 4);
    EXPECT_EQ(doubles.count(), 2);
    EXPECT_EQ(presses.count(), 4);

    // A double-click press released off the control, or with another
    // button, is no click.
    Send(&image, QEvent::MouseButtonPress, QPoint(5, 5));
    Send(&image, QEvent::MouseButtonRelease, QPoint(5, 5));
    Send(&image, QEvent::MouseButtonDblClick, QPoint(5, 5));
    Send(&image, QEvent::MouseButtonRelease, QPoint(50, 5));
    Send(&image, QEvent::MouseButtonDblClick, QPoint(5, 5), Qt::RightButton);
    Send(&image, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::RightButton);
    EXPECT_EQ(clicks.count(), 5);
    EXPECT_EQ(doubles.count(), 3);
}

TEST(PictureList, DrawReplacesThePixelsAndRemembersTheIndex)
{
    TImageList list(10, 10);
    QPixmap a(10, 10), b(10, 10);
    a.fill(Qt::red);
    b.fill(Qt::transparent);
    list.Add(a);
    list.Add(b);
    TImage image;
    image.resize(10, 10);
    list.Draw(&image, 0);
    EXPECT_EQ(image.Canvas().pixel(3, 3), qRgb(255, 0, 0));
    EXPECT_EQ(image.ShownIndex, 0);
    list.Draw(&image, 1);  // a transparent picture replaces, not blends
    EXPECT_EQ(qAlpha(image.Canvas().pixel(3, 3)), 0);
    list.Draw(&image, 7);
    EXPECT_EQ(image.ShownIndex, 1);
    EXPECT_EQ(image.ShownList, &list);
}

// Pictures, list pictures and gradients of a control's size are shared with
// the control, never copied: drawing on either side must leave the other.
TEST(PictureSharing, DrawingOnASharedCanvasLeavesItsSource)
{
    const QImage mirror = SharedGradient(QSize(30, 20), 0xCCCCCC, 0x404040, GradientShape::Mirror);
    QImage painted = Surface(30, 20);
    TKorvanDraw().FillMirrorGradient(painted, 0xCCCCCC, 0x404040, 0);
    EXPECT_EQ(mirror, painted);
    EXPECT_EQ(SharedGradient(QSize(30, 20), 0xCCCCCC, 0x404040, GradientShape::Mirror).cacheKey(), mirror.cacheKey());
    EXPECT_NE(SharedGradient(QSize(30, 20), 0xCCCCCC, 0x404040, GradientShape::Straight), mirror);

    TImage a, b;
    a.resize(30, 20);
    b.resize(30, 20);
    a.SetCanvas(mirror);
    b.SetCanvas(mirror);
    TKorvanDraw().DrawFrameLabel(&a, 2, 2, 28, 18, 0x0000FF, "0");
    EXPECT_EQ(b.Canvas(), painted);
    EXPECT_EQ(SharedGradient(QSize(30, 20), 0xCCCCCC, 0x404040, GradientShape::Mirror), painted);

    TImageList list(30, 20);
    QPixmap green(30, 20);
    green.fill(Qt::green);
    list.Add(green);
    list.Draw(&a, 0);
    a.Canvas().fill(Qt::blue);
    EXPECT_EQ(list.Image(0).pixel(1, 1), qRgb(0, 255, 0));
    list.Draw(&a, 0);
    a.Clear();
    EXPECT_EQ(list.Image(0).pixel(1, 1), qRgb(0, 255, 0));

    QImage photo(30, 20, QImage::Format_RGB32);
    photo.fill(Qt::red);
    a.SetPicture(photo);
    EXPECT_EQ(a.Canvas().pixel(4, 4), qRgb(255, 0, 0));
    a.Canvas().fill(Qt::transparent);
    EXPECT_EQ(a.Picture().pixel(4, 4), qRgb(255, 0, 0));
    a.resize(40, 30);  // a new size draws the picture again
    EXPECT_EQ(a.Canvas().pixel(4, 4), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(a.Canvas().pixel(35, 25)), 0);
}

TEST(Assets, EveryListHasItsCountAndSize)
{
    const struct { const char *name; int count, w, h; } lists[] = {
        {"MainBtnImageList", 14, 119, 91},        {"MonthBtnImageList", 6, 24, 28},
        {"RadioImgList", 3, 28, 28},              {"DongleLinkStatusImageList", 2, 113, 103},
        {"StartBtnImageList", 3, 114, 90},
    };
    for (const auto &l : lists) {
        const TImageList &list = AssetList(l.name);
        EXPECT_EQ(list.Count(), l.count) << l.name;
        for (int i = 0; i < list.Count(); ++i)
            EXPECT_EQ(list.Pixmap(i).size(), QSize(l.w, l.h)) << l.name << i;
    }
    EXPECT_EQ(AssetList("NoSuchList").Count(), 0);
    // Hover faces differ from the normal ones.
    const TImageList &main = AssetList("MainBtnImageList");
    for (int k = 0; k < 7; ++k)
        EXPECT_NE(main.Image(k), main.Image(7 + k)) << k;
}

TEST(Assets, PicturesAndBuiltInPhotos)
{
    EXPECT_EQ(AssetImage("Splash").size(), QSize(650, 229));
    EXPECT_EQ(AssetImage("Logo").size(), QSize(225, 70));
    EXPECT_TRUE(AssetImage("NoSuchPicture").isNull());
    for (const char *photo : {"MalePhoto", "FemalePhoto"}) {
        const QByteArray jpeg = AssetData(photo);
        ASSERT_GT(jpeg.size(), 100);
        EXPECT_EQ(static_cast<unsigned char>(jpeg[0]), 0xFF);
        EXPECT_EQ(static_cast<unsigned char>(jpeg[1]), 0xD8);
        EXPECT_EQ(AssetImage(photo).size(), QSize(152, 182));
    }
}

}  // namespace
