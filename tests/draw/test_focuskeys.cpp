// The keyboard and screen reader behaviour every picture control shares:
// Tab focus with a ring, Enter and Space as a click, role, name and press
// action for a screen reader; grids walked with the arrow keys as one Tab
// stop; a text that Tab leaves.
#include "draw/FocusRing.h"
#include "draw/Image.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Window {
    Window()
    {
        frame.resize(400, 200);
        first = new QCheckBox(&frame);
        for (int i = 0; i < 6; ++i) {
            cells.push_back(new TImage(&frame, QString("cell%1").arg(i)));
            cells.back()->setGeometry(10 + i % 3 * 50, 40 + i / 3 * 50, 40, 40);
            cells.back()->MakeControl(QString("cell %1").arg(i), QAccessible::Cell);
        }
        last = new QCheckBox(&frame);
        frame.show();
        frame.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
    }
    QWidget frame;
    QCheckBox *first = nullptr, *last = nullptr;
    std::vector<TImage *> cells;
};

TEST(FocusKeys, APictureControlClicksOnEnterAndSpaceAndShowsItsRing)
{
    Window w;
    TImage *button = w.cells[0];
    int clicks = 0;
    QObject::connect(button, &TImage::clicked, [&] { ++clicks; });
    button->Canvas().fill(Qt::black);
    const QImage before = button->grab().toImage();
    button->setFocus(Qt::TabFocusReason);
    const QImage focused = button->grab().toImage();
    // The ring: orange at the edge, the middle untouched.
    const QColor ring = focused.pixelColor(2, button->height() / 2);
    EXPECT_GT(ring.red(), 180);
    EXPECT_LT(ring.blue(), 120);
    EXPECT_EQ(focused.pixelColor(20, 20), before.pixelColor(20, 20));
    EXPECT_NE(focused.pixelColor(2, 20), before.pixelColor(2, 20));

    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks, 3);
    // A held key clicks once; other keys and chords do nothing.
    QTest::keyPress(button, Qt::Key_Space);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
    QApplication::sendEvent(button, &repeat);
    QTest::keyClick(button, Qt::Key_A);
    QTest::keyClick(button, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(clicks, 4);

    button->clearFocus();
    EXPECT_EQ(button->grab().toImage(), before);
    // A plain picture takes no focus and no keys.
    TImage plain(&w.frame);
    EXPECT_EQ(plain.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&plain)->role(), QAccessible::Client);
}

TEST(FocusKeys, AScreenReaderSeesRoleNameStateAndPresses)
{
    Window w;
    TImage button(&w.frame, "b");
    button.MakeControl("Calendar");
    button.show();
    int clicks = 0;
    QObject::connect(&button, &TImage::clicked, [&] { ++clicks; });
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Button);
    EXPECT_EQ(a->text(QAccessible::Name), "Calendar");
    EXPECT_TRUE(a->state().focusable);
    ASSERT_NE(a->actionInterface(), nullptr);
    ASSERT_TRUE(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);
    button.setAccessibleName("Kalender");
    EXPECT_EQ(a->text(QAccessible::Name), "Kalender");
    // A cell reads, it is not pressed.
    QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(w.cells[0]);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_FALSE(cell->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
}

TEST(FocusKeys, AGridIsOneTabStopWalkedWithTheArrows)
{
    Window w;
    new TFocusGrid(&w.frame, std::vector<QWidget *>(w.cells.begin(), w.cells.end()), 3);
    w.cells[4]->hide();
    w.first->setFocus();
    auto tab = [](Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, m);
        return QApplication::focusWidget();
    };
    auto key = [](Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget(), k);
        return QApplication::focusWidget();
    };
    EXPECT_EQ(tab(), w.cells[0]);
    EXPECT_EQ(tab(), w.last);
    EXPECT_EQ(tab(Qt::ShiftModifier), w.cells[0]);
    EXPECT_EQ(key(Qt::Key_Right), w.cells[1]);
    EXPECT_EQ(key(Qt::Key_Right), w.cells[2]);
    EXPECT_EQ(key(Qt::Key_Right), w.cells[3]); // on to the next row
    EXPECT_EQ(key(Qt::Key_Right), w.cells[5]); // the hidden cell is passed by
    EXPECT_EQ(key(Qt::Key_Right), w.cells[5]); // the last stays
    EXPECT_EQ(key(Qt::Key_Up), w.cells[2]);
    EXPECT_EQ(key(Qt::Key_Up), w.cells[2]);
    EXPECT_EQ(key(Qt::Key_Left), w.cells[1]);
    EXPECT_EQ(key(Qt::Key_Down), w.cells[1]); // only the hidden cell below
    EXPECT_EQ(key(Qt::Key_End), w.cells[5]);
    EXPECT_EQ(key(Qt::Key_Home), w.cells[0]);
    EXPECT_EQ(key(Qt::Key_Down), w.cells[3]);
    // Tab leaves from the cell reached and comes back to it.
    EXPECT_EQ(tab(), w.last);
    EXPECT_EQ(tab(Qt::ShiftModifier), w.cells[3]);
    EXPECT_EQ(tab(Qt::ShiftModifier), w.first);
}

TEST(FocusKeys, TabLeavesATextAndCtrlTabTypesATab)
{
    QWidget frame;
    auto *before = new QCheckBox(&frame);
    auto *text = new QPlainTextEdit(&frame);
    auto *after = new QCheckBox(&frame);
    TabLeavesText(text);
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    text->setFocus();
    QTest::keyClicks(text, "a");
    QTest::keyClick(text, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClicks(text, "b");
    EXPECT_EQ(text->toPlainText(), "a\tb");
    QTest::keyClick(text, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), before);
    EXPECT_EQ(text->toPlainText(), "a\tb");
}

} // namespace
