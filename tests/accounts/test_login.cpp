// Login window: remember-me, the login cycle with the main window, photos
// that cannot be shown.
#include "tests/accounts/WindowsFixture.h"

#include "calendar/CalendarView.h"
#include "draw/Photo.h"
#include "draw/Assets.h"
#include "draw/Image.h"
#include "tests/support/FailingDisk.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <filesystem>

namespace {

class LoginTest : public WindowsTest {
protected:
    // A rider folder with a photo of the given size (no photo when 0).
    void MakeRider(const std::string &id, int photoWidth = 40)
    {
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Rider(id))));
        if (photoWidth > 0) {
            QImage img(photoWidth, 30, QImage::Format_RGB888);
            img.fill(QColor(200, 40, 40));
            const QByteArray jpeg = EncodeJpegImage(img, 90);
            writeFileBytes(Rider(id) + "/" + id + ".JPG", jpeg.toStdString());
        }
    }
    void Remember(const std::string &content) { writeFileBytes(app.file("REME.txt"), content); }
    QString Chosen() const { return login->ID_Select_ComboBox->currentText(); }
    QStringList Choices() const
    {
        QStringList out;
        for (int i = 0; i < login->ID_Select_ComboBox->count(); ++i)
            out << login->ID_Select_ComboBox->itemText(i);
        return out;
    }
};

TEST_F(LoginTest, FirstStartHasNoRiderAndRefusesLogin)
{
    Open();
    EXPECT_TRUE(QDir(QString::fromStdString(app.path() + "/ID")).exists());
    EXPECT_EQ(login->ID_Select_ComboBox->count(), 0);
    // The empty choice shows how a first rider is made.
    EXPECT_EQ(login->ID_Select_ComboBox->currentIndex(), -1);
    EXPECT_EQ(login->ID_Select_ComboBox->placeholderText(), "No rider yet: press Create ID");
    EXPECT_FALSE(login->RememberMeCB->isChecked());
    EXPECT_EQ(login->VersionLab->text(), "Version 1.021");
    EXPECT_EQ(login->size(), QSize(265, 369));
    login->LoginBtnClick();
    ASSERT_EQ(modal.seen.size(), 1u);
    EXPECT_EQ(modal.seen[0].text, "User ID Error!");
    EXPECT_EQ(modal.seen[0].caption, "Error");
    EXPECT_EQ(modal.seen[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(main->DataBase->CurrentID.empty());
}

TEST_F(LoginTest, RememberedRiderIsPreselectedWithExactCase)
{
    MakeRider("Ann");
    MakeRider("Bob");
    Remember("Bob\r\n");
    Open();
    EXPECT_EQ(Chosen(), "Bob");
    EXPECT_TRUE(login->RememberMeCB->isChecked());
    EXPECT_TRUE(fileExists(app.file("REME.txt")));
}

// A remembered rider since deleted, one differing in letter case, an
// empty file: the first rider is chosen and the file is gone.
class StaleRememberMe : public LoginTest, public ::testing::WithParamInterface<const char *> {};

TEST_P(StaleRememberMe, IsDiscarded)
{
    MakeRider("Ann");
    MakeRider("Bob");
    Remember(GetParam());
    Open();
    EXPECT_EQ(Chosen(), Choices().value(0));
    EXPECT_FALSE(login->RememberMeCB->isChecked());
    EXPECT_FALSE(fileExists(app.file("REME.txt")));
}

INSTANTIATE_TEST_SUITE_P(Files, StaleRememberMe, ::testing::Values("Carl\r\n", "bob\r\n", ""));

TEST_F(LoginTest, ExitStoresOrRemovesTheChoice)
{
    MakeRider("Ann");
    MakeRider("Bob");
    Open();
    login->RememberMeCB->setChecked(true);
    login->ID_Select_ComboBox->setCurrentIndex(Choices().indexOf("Bob"));
    login->ExitBtnClick();
    EXPECT_TRUE(main->ExitRequested);
    EXPECT_EQ(readFileBytes(app.file("REME.txt")), "Bob\r\n");
    EXPECT_TRUE(main->DataBase->CurrentID.empty()); // nobody logged in
    login->RememberMeCB->setChecked(false);
    login->ExitBtnClick();
    EXPECT_FALSE(fileExists(app.file("REME.txt")));
}

TEST_F(LoginTest, LoginShowsTheRiderAndRemembersWhenTicked)
{
    MakeRider("Ann", 40);
    MakeRider("Bob", 64);
    Open();
    main->SetTransparent(true);
    login->ID_Select_ComboBox->setCurrentIndex(Choices().indexOf("Bob"));
    login->RememberMeCB->setChecked(true);
    login->LoginBtnClick();
    EXPECT_TRUE(modal.seen.empty());
    EXPECT_EQ(main->DataBase->CurrentID, "Bob");
    EXPECT_EQ(main->DataBase->RiderFolder, main->DataBase->RootFolder + "Bob/");
    TImage *photo = Control<TImage>("CalAccountImage");
    EXPECT_EQ(photo->Picture().width(), 64);
    for (const char *view : {"DataAccountImage", "AnalyAccountImage", "SummaryAccountImage"})
        EXPECT_EQ(Control<TImage>(view)->Picture(), photo->Picture()) << view;
    EXPECT_TRUE(photo->isVisibleTo(main));
    EXPECT_TRUE(main->CalenderPanel->isVisibleTo(main));
    EXPECT_TRUE(main->BtnImageDate->isVisibleTo(main));
    EXPECT_TRUE(Control<TImage>("DongleLinkStatusImage")->isVisibleTo(main));
    EXPECT_TRUE(Control<TImage>("mainStartImage")->isVisibleTo(main));
    EXPECT_DOUBLE_EQ(main->windowOpacity(), 1.0);
    EXPECT_EQ(readFileBytes(app.file("REME.txt")), "Bob\r\n");
}

TEST_F(LoginTest, MissingOrBrokenPhotoDoesNotLockTheRiderOut)
{
    MakeRider("Ann", 0);
    MakeRider("Bob", 0);
    writeFileBytes(Rider("Bob") + "/Bob.jpg", std::string("\xFF\xD8\xFF\xE0 not really a picture", 26));
    MakeRider("Cy", 0); // a photo huge on paper (sparse) is never read
    writeFileBytes(Rider("Cy") + "/Cy.jpg", "");
    std::filesystem::resize_file(Rider("Cy") + "/Cy.jpg", std::uintmax_t(64) << 30);
    Open();
    const QImage builtIn = AssetImage("MalePhoto");
    for (const QString id : {"Ann", "Bob", "Cy"}) {
        SCOPED_TRACE(id.toStdString());
        main->SetTransparent(true);
        login->ID_Select_ComboBox->setCurrentIndex(Choices().indexOf(id));
        login->LoginBtnClick();
        EXPECT_EQ(main->DataBase->CurrentID, id.toStdString());
        EXPECT_EQ(Control<TImage>("CalAccountImage")->Picture(), builtIn);
        EXPECT_DOUBLE_EQ(main->windowOpacity(), 1.0);
    }
    EXPECT_TRUE(modal.seen.empty());
}

TEST_F(LoginTest, PhotosAreDecodedOnlyAsLargeAsTheirBox)
{
    // A BMP under the JPEG name is read by its content, scaled down to what
    // covers 152 x 182; one too large to decode gives the built-in picture.
    MakeRider("Ann", 0);
    QImage big(1000, 800, QImage::Format_RGB32);
    big.fill(Qt::blue);
    ASSERT_TRUE(big.save(QString::fromStdString(Rider("Ann") + "/Ann.jpg"), "BMP"));
    MakeRider("Bob", 0);
    QImage huge(4000, 3000, QImage::Format_RGB32);
    huge.fill(Qt::red);
    ASSERT_TRUE(huge.save(QString::fromStdString(Rider("Bob") + "/Bob.jpg"), "BMP"));
    Open();
    login->ID_Select_ComboBox->setCurrentIndex(Choices().indexOf("Ann"));
    login->LoginBtnClick();
    EXPECT_EQ(Control<TImage>("CalAccountImage")->Picture().size(), QSize(227, 182));
    main->SetTransparent(true);
    login->ID_Select_ComboBox->setCurrentIndex(Choices().indexOf("Bob"));
    login->LoginBtnClick();
    EXPECT_EQ(Control<TImage>("CalAccountImage")->Picture(), AssetImage("MalePhoto"));
}

TEST_F(LoginTest, UnwritableRememberMeFileIsToldOnceAndBlocksNothing)
{
    MakeRider("Ann");
    Open();
    // A folder in the file's place: it cannot be written.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(app.file("REME.txt"))));
    main->SetTransparent(true);
    login->RememberMeCB->setChecked(true);
    login->LoginBtnClick();
    ASSERT_EQ(modal.seen.size(), 1u);
    EXPECT_EQ(modal.seen[0].text, "The remembered user ID could not be saved!");
    EXPECT_EQ(main->DataBase->CurrentID, "Ann");
    EXPECT_DOUBLE_EQ(main->windowOpacity(), 1.0);
    login->ExitBtnClick();
    EXPECT_EQ(modal.seen.size(), 1u);
    EXPECT_TRUE(main->ExitRequested);
}

TEST_F(LoginTest, AnUnchangedRememberMeFileIsNotWrittenAgain)
{
    // On a full disk the same choice still logs in without a message.
    MakeRider("Ann");
    writeFileBytes(app.file("REME.txt"), "Ann\r\n");
    Open();
    ASSERT_TRUE(login->RememberMeCB->isChecked());
    FailingDisk disk(DiskStep::Write);
    login->LoginBtnClick();
    EXPECT_TRUE(modal.seen.empty());
    EXPECT_EQ(disk.Failures(), 0);
    EXPECT_EQ(main->DataBase->CurrentID, "Ann");
}

TEST_F(LoginTest, LoginLogoutAndLoginAgainThroughTheMainWindow)
{
    MakeRider("Ann");
    MakeRider("Bob");
    Open();
    main->show();
    bool transparentWhileUp = false;
    modal.OnDialog("LoginForm", [&](QWidget *) {
        transparentWhileUp = main->windowOpacity() == 0.0;
        login->ID_Select_ComboBox->setCurrentIndex(Choices().indexOf("Bob"));
        login->RememberMeCB->setChecked(true);
        ClickLater(login->LoginBtn);
    });
    main->FormActivate();
    EXPECT_TRUE(transparentWhileUp);
    EXPECT_FALSE(login->isVisible());
    EXPECT_EQ(main->DataBase->CurrentID, "Bob");
    EXPECT_DOUBLE_EQ(main->windowOpacity(), 1.0);

    // Logout: the login window comes back with the previous choice.
    QString shown;
    bool ticked = false;
    transparentWhileUp = false;
    modal.OnDialog("LoginForm", [&](QWidget *) {
        transparentWhileUp = main->windowOpacity() == 0.0;
        shown = Chosen();
        ticked = login->RememberMeCB->isChecked();
        login->ID_Select_ComboBox->setCurrentIndex(Choices().indexOf("Ann"));
        ClickLater(login->LoginBtn);
    });
    main->BtnImageLogoutClick();
    EXPECT_TRUE(transparentWhileUp);
    EXPECT_EQ(shown, "Bob");
    EXPECT_TRUE(ticked);
    EXPECT_EQ(main->DataBase->CurrentID, "Ann");
    EXPECT_EQ(main->DataBase->RiderFolder, main->DataBase->RootFolder + "Ann/");
    EXPECT_DOUBLE_EQ(main->windowOpacity(), 1.0);
    EXPECT_FALSE(main->ExitRequested);

    // Logout and Exit ends the program.
    modal.OnDialog("LoginForm", [&](QWidget *) { ClickLater(login->ExitBtn); });
    main->BtnImageLogoutClick();
    EXPECT_TRUE(main->ExitRequested);
    EXPECT_FALSE(main->isVisible());
}

} // namespace
