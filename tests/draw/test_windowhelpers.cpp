// Window helpers: the Han face of each Chinese variant in the windows and in
// the captions drawn into pictures; where a window comes back on the screen.
#include "draw/Controls.h"
#include "draw/Dialogs.h"
#include "draw/Fonts.h"
#include "draw/GuideWindow.h"
#include "draw/TitledMessageBox.h"
#include "draw/WindowSight.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TempFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QRect>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QTextBrowser>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

QImage Drawn(QFont font, const QString &text)
{
    font.setPixelSize(24);
    QImage img(180, 36, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(4, 28, text);
    return img;
}

QWidget *FindTopLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

QFont Face(const QString &family)
{
    QFont font;
    font.setFamilies({family});
    return font;
}

TEST(Fonts, HanFaceOfEachLanguageFile)
{
    EXPECT_EQ(HanFaceFor("CHT.lre"), "Noto Sans CJK TC");
    EXPECT_EQ(HanFaceFor("cht.LRE"), "Noto Sans CJK TC");
    EXPECT_EQ(HanFaceFor("CHS.lre"), "Noto Sans CJK SC");
    EXPECT_EQ(HanFaceFor("ENG.lre"), "");
    EXPECT_EQ(HanFaceFor(""), "");
    EXPECT_EQ(HanFaceFor("CHTX.lre"), "");
}

// Whatever the system locale, the windows and the pictures draw Chinese
// captions with the forms of the chosen variant.
TEST(Fonts, ChineseCaptionsTakeTheFormsOfTheirVariant)
{
    const QImage latin = Drawn(QApplication::font(), "Login");
    const QString text = QString::fromUtf8("稱登片換確選");
    ASSERT_NE(Drawn(Face("Noto Sans CJK TC"), text), Drawn(Face("Noto Sans CJK JP"), text));
    const struct { const char *file, *face; } variants[] = {
        {"CHS.lre", "Noto Sans CJK SC"},
        {"CHT.lre", "Noto Sans CJK TC"},
    };
    for (const auto &v : variants) {
        SCOPED_TRACE(v.file);
        UseLanguageFont(v.file);
        EXPECT_EQ(Drawn(QApplication::font(), text), Drawn(Face(v.face), text));
        EXPECT_EQ(Drawn(PictureFont(24, false), text), Drawn(Face(v.face), text));
    }
    // English: Latin text in the system's face as before, no Han face.
    UseLanguageFont("ENG.lre");
    EXPECT_EQ(QApplication::font().families().size(), 1);
    EXPECT_EQ(Drawn(QApplication::font(), "Login"), latin);
}

TEST(WindowSight, KeptOnScreenMovesInWhereTheWindowFits)
{
    const QRect screen(0, 0, 1280, 1024);
    EXPECT_EQ(KeptOnScreen(QRect(100, 50, 1024, 748), screen), QPoint(100, 50));
    EXPECT_EQ(KeptOnScreen(QRect(-920, -670, 1024, 748), screen), QPoint(0, 0));
    EXPECT_EQ(KeptOnScreen(QRect(900, 600, 1024, 748), screen), QPoint(256, 276));
    // An axis where it does not fit starts at the area's start: the title
    // bar stays reachable (a 1366 x 768 screen with a 32-pixel panel).
    EXPECT_EQ(KeptOnScreen(QRect(-112, -74, 1024, 748), QRect(0, 0, 800, 600)), QPoint(0, 0));
    EXPECT_EQ(KeptOnScreen(QRect(-900, -74, 1024, 748), QRect(0, 0, 1280, 600)), QPoint(0, 0));
    EXPECT_EQ(KeptOnScreen(QRect(171, 10, 1026, 773), QRect(0, 32, 1366, 736)), QPoint(171, 32));
    // A screen that does not start at 0, 0.
    EXPECT_EQ(KeptOnScreen(QRect(0, 0, 200, 100), QRect(1280, 24, 1024, 744)), QPoint(1280, 24));
}

// Every window shown is moved into the work area once it shows; a window
// the rider moves afterwards stays where it was put.
TEST(WindowSight, ShownWindowsAreKeptInTheWorkArea)
{
    KeepWindowsInWorkArea();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    window.resize(300, 200);
    window.move(area.left() - 120, area.top() - 80);
    window.show();
    QTest::qWait(300);
    EXPECT_EQ(window.frameGeometry().topLeft(), area.topLeft());
    window.move(area.left() - 10, area.top() + 5);
    QTest::qWait(300);
    EXPECT_LT(window.frameGeometry().left(), area.left());
    // Larger than the work area: at its top-left.
    QWidget large;
    large.resize(area.width() + 50, area.height() + 50);
    large.move(area.left() + 40, area.top() + 40);
    large.show();
    QTest::qWait(300);
    EXPECT_EQ(large.frameGeometry().topLeft(), area.topLeft());
}

// The guide: the browser when there is one; else the program's own viewer
// (one window, showing the page and its title); a missing file is named.
TEST(Guide, ShownWithoutABrowserAndAMissingFileNamed)
{
    TempFolder folder;
    const std::string page = folder.file("UserGuide.html");
    writeFileBytes(page, "<html><head><title>Riding guide</title></head><body><h1>Start</h1>"
                         "<p>Plug in the dongle.</p></body></html>");
    const auto browser = GuideBrowser;
    std::vector<QUrl> handed;
    bool hasBrowser = true;
    GuideBrowser = [&](const QUrl &url) {
        handed.push_back(url);
        return hasBrowser;
    };
    const QString path = QString::fromStdString(page);
    const auto viewer = [] { return qobject_cast<QTextBrowser *>(FindTopLevel("GuideViewer")); };
    OpenGuide(nullptr, path);
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0], QUrl::fromLocalFile(path));
    EXPECT_EQ(viewer(), nullptr);

    hasBrowser = false;
    OpenGuide(nullptr, path);
    OpenGuide(nullptr, path);
    ASSERT_NE(viewer(), nullptr);
    EXPECT_TRUE(viewer()->isVisible());
    EXPECT_EQ(viewer()->windowTitle(), "Riding guide");
    EXPECT_TRUE(viewer()->toPlainText().contains("Plug in the dongle."));
    int viewers = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        viewers += w->objectName() == "GuideViewer" ? 1 : 0;
    EXPECT_EQ(viewers, 1);
    viewer()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    ModalAnswerer boxes;
    const QString missing = QString::fromStdString(folder.file("gone/UserGuide.html"));
    OpenGuide(nullptr, missing);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_TRUE(boxes.seen[0].text.contains(missing));
    EXPECT_EQ(handed.size(), 3u);
    GuideBrowser = browser;
}

// Message boxes are dialogs of their window: modal to it, with a title and
// a close button but no minimise or maximise (under Wayland a title row of
// their own, as its frames would draw both); opacity is left alone where
// the platform has none.
TEST(WindowSight, MessageBoxesBelongToTheirWindow)
{
    QWidget window;
    window.resize(200, 100);
    window.show();
    Qt::WindowModality modality = Qt::NonModal;
    Qt::WindowFlags flags;
    QWindow *transientParent = nullptr;
    QString ownTitle;
    bool closedByCross = false;
    QTimer::singleShot(0, [&] {
        QWidget *box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        modality = box->windowModality();
        flags = box->windowFlags();
        transientParent = box->windowHandle()->transientParent();
        auto *title = box->findChild<QLabel *>(QStringLiteral("MessageTitle"));
        auto *cross = box->findChild<QAbstractButton *>(QStringLiteral("MessageClose"));
        ownTitle = title != nullptr ? title->text() : QString();
        if (cross != nullptr) {
            cross->click();
            closedByCross = true;
        } else {
            box->close();
        }
    });
    const auto answer = ShowMessage(&window, QStringLiteral("Saved?"), QStringLiteral("info"),
                                    QMessageBox::Question, true, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    EXPECT_EQ(answer, QMessageBox::No); // closing is the escape answer
    EXPECT_EQ(modality, Qt::WindowModal);
    EXPECT_EQ(transientParent, window.windowHandle());
    if (IsWayland(QGuiApplication::platformName())) {
        EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(ownTitle, "info");
        EXPECT_TRUE(closedByCross);
    } else {
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_TRUE(ownTitle.isEmpty());
    }
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));

    EXPECT_TRUE(IsWayland(QStringLiteral("wayland")));
    EXPECT_TRUE(IsWayland(QStringLiteral("wayland-egl")));
    EXPECT_FALSE(IsWayland(QStringLiteral("xcb")));
    SetOpacityWhereHonoured(&window, 0.0);
    EXPECT_DOUBLE_EQ(window.windowOpacity(), IsWayland(QGuiApplication::platformName()) ? 1.0 : 0.0);
}

// A box with its own title row lays its text and buttons out below the
// row and inside the frame, however long the text.
TEST(WindowSight, TitledBoxKeepsItsContentBelowTheTitle)
{
    TTitledMessageBox box(QMessageBox::Warning, QStringLiteral("Error"),
                          QStringLiteral("The ride could not be exported: the disk is full. ").repeated(4),
                          QMessageBox::Yes | QMessageBox::No, nullptr);
    box.show();
    QCoreApplication::processEvents();
    const auto *title = box.findChild<QLabel *>(QStringLiteral("MessageTitle"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Error");
    const QRect inside = box.rect().adjusted(2, title->geometry().bottom() + 1, -2, -2);
    for (const QWidget *child : box.findChildren<QWidget *>()) {
        const bool laidOut = child->isVisible() && child != title && child->objectName() != "MessageClose" &&
                             child->parentWidget() == &box;
        if (laidOut) {
            EXPECT_TRUE(inside.contains(child->geometry())) << child->metaObject()->className();
        }
    }
    box.close();
}

}  // namespace

// Labels show names from files as they are, never as markup.
TEST(Labels, ShowTheirTextLiterally)
{
    QWidget parent;
    QLabel *label = NewLabel(&parent, "RiderIDLab", QStringLiteral("<b>Bob</b>"), QPoint(0, 0));
    EXPECT_GE(label->sizeHint().width(), label->fontMetrics().horizontalAdvance(QStringLiteral("<b>Bob</b>")));
}
