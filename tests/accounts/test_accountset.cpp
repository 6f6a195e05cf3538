// Account creation and deletion windows: IDs typed and pasted, the stored
// photo in each of its forms, the account file, failures, deletion.
#include "tests/accounts/WindowsFixture.h"

#include "draw/Dialogs.h"
#include "draw/JpegCodec.h"
#include "draw/Photo.h"
#include "draw/Assets.h"
#include "draw/Image.h"
#include "draw/ImageList.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

namespace {

class AccountTest : public WindowsTest {
protected:
    void SetUp() override { Open(); }
    // Answers the picture dialog with a file.
    void ChoosePhoto(const std::string &path)
    {
        modal.Then([path](QWidget *w) {
            auto *dlg = qobject_cast<QFileDialog *>(w);
            if (dlg == nullptr)
                return false;
            // selectFile leaves the name box alone while it has the focus,
            // which it gets once the window is activated: take it first.
            if (QWidget *focused = dlg->focusWidget())
                focused->clearFocus();
            dlg->selectFile(QString::fromStdString(path));
            QMetaObject::invokeMethod(dlg, "accept", Qt::QueuedConnection);
            return true;
        });
        create->ChangePhotoBtnClick();
        ASSERT_TRUE(modal.Done());
    }
    // Creates a rider through the window, shown modally as the login window does.
    void CreateThroughWindow(const QString &id)
    {
        modal.OnDialog("UserAccountSetForm", [this, id](QWidget *) {
            create->UserIDEdit->setText(id);
            ClickLater(create->OKBtn);
        });
        create->exec();
    }
    std::string Bytes(const QByteArray &a) const { return a.toStdString(); }
    static QImage DecodeFile(const std::string &path) { return DecodeJpegImage(QByteArray::fromStdString(readFileBytes(path))); }
};

TEST_F(AccountTest, TypedIdKeepsOnlyLettersDigitsAndSpaces)
{
    create->UserIDEdit->setFocus();
    QTest::keyClicks(create->UserIDEdit, "Bo-b. 7_");
    // An accented letter (no ASCII key of its own).
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));
    QApplication::sendEvent(create->UserIDEdit, &accented);
    EXPECT_EQ(create->UserIDEdit->text(), "Bob 7");
    QTest::keyClick(create->UserIDEdit, Qt::Key_Backspace);
    EXPECT_EQ(create->UserIDEdit->text(), "Bob ");
}

TEST_F(AccountTest, CreatesRiderWithBuiltInPhotoAndAccountFile)
{
    EXPECT_EQ(create->size(), QSize(521, 321));
    EXPECT_FALSE(create->GenderShape->isVisibleTo(create));
    EXPECT_EQ(create->MRadioImg->ShownIndex, 1);
    EXPECT_EQ(create->FRadioImg->ShownIndex, 0);
    create->UserIDEdit->setText("Bob 7");
    create->OKBtnClick();
    EXPECT_TRUE(modal.seen.empty());
    EXPECT_EQ(readFileBytes(Rider("Bob 7") + "/Bob 7.JPG"), Bytes(AssetData("MalePhoto")));
    EXPECT_EQ(readFileBytes(Rider("Bob 7") + "/Bob 7.dat"), "Genter=0\r\n");

    // Female: the built-in female photo and its gender code.
    create->FRadioImgClick();
    EXPECT_FALSE(GenderIsMale);
    EXPECT_EQ(create->FRadioImg->ShownIndex, 1);
    EXPECT_EQ(create->AccountImage->Picture(), AssetImage("FemalePhoto"));
    create->UserIDEdit->setText("Ann");
    create->OKBtnClick();
    EXPECT_EQ(readFileBytes(Rider("Ann") + "/Ann.JPG"), Bytes(AssetData("FemalePhoto")));
    EXPECT_EQ(readFileBytes(Rider("Ann") + "/Ann.dat"), "Genter=1\r\n");
    // The window is back to male with the built-in picture.
    EXPECT_TRUE(GenderIsMale);
    EXPECT_EQ(create->AccountImage->Picture(), AssetImage("MalePhoto"));
}

TEST_F(AccountTest, EachOpeningStartsWithAnEmptyIdBoxThatHasTheFocus)
{
    for (int opening = 0; opening < 2; ++opening) {
        create->UserIDEdit->setText("Old");
        bool empty = false, focused = false;
        modal.OnDialog("UserAccountSetForm", [&](QWidget *) {
            empty = create->UserIDEdit->text().isEmpty();
            focused = create->focusWidget() == create->UserIDEdit;
            ClickLater(create->CancelBtn);
        });
        create->exec();
        EXPECT_TRUE(empty);
        EXPECT_TRUE(focused);
    }
}

// The picture dialog is made for each choice and gone afterwards, with the
// pop-up of its name completer; it opens where the last picture was chosen.
TEST_F(AccountTest, PictureDialogLeavesNothingBehindAndOpensWhereThePictureWas)
{
    const QString folder = QString::fromStdString(app.file("pictures"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QImage bmp(8, 8, QImage::Format_RGB32);
    bmp.fill(Qt::red);
    ASSERT_TRUE(bmp.save(folder + "/me1.bmp", "BMP"));
    ASSERT_TRUE(bmp.save(folder + "/me2.bmp", "BMP"));

    QString openedIn;
    bool completerShown = false;
    modal.Then([&](QWidget *w) {
        auto *dlg = qobject_cast<QFileDialog *>(w);
        if (dlg == nullptr)
            return false;
        openedIn = dlg->directory().absolutePath();
        dlg->setDirectory(folder);
        auto *name = dlg->findChild<QLineEdit *>("fileNameEdit");
        if (name == nullptr)
            return false;
        // The completer offers me1.bmp and me2.bmp once the folder has been
        // read in the background.
        completerShown = QTest::qWaitFor(
            [name] {
                name->clear();
                QTest::keyClicks(name, "me");
                return QApplication::activePopupWidget() != nullptr;
            },
            5000);
        name->setText("me1.bmp");
        QMetaObject::invokeMethod(dlg, "accept", Qt::QueuedConnection);
        return true;
    });
    create->ChangePhotoBtnClick();
    ASSERT_TRUE(modal.Done());
    EXPECT_TRUE(create->PhotoChosen);
    EXPECT_TRUE(completerShown);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(create->OpenAccountPictureDialog, nullptr);
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    EXPECT_EQ(openedIn, QDir(pictures).exists() ? pictures : QDir::homePath());

    modal.Then([&](QWidget *w) {
        auto *dlg = qobject_cast<QFileDialog *>(w);
        if (dlg == nullptr)
            return false;
        openedIn = dlg->directory().absolutePath();
        QMetaObject::invokeMethod(dlg, "reject", Qt::QueuedConnection);
        return true;
    });
    create->ChangePhotoBtnClick();
    EXPECT_EQ(openedIn, folder);
}

TEST_F(AccountTest, RejectsBadPastedIdsAndTakenIds)
{
    for (const char *id : {"", "   ", "a-b", "a/b", "..", "Bj\xC3\xB6rn"}) {
        create->UserIDEdit->setText(QString::fromUtf8(id));
        create->OKBtnClick();
        ASSERT_FALSE(modal.seen.empty());
        EXPECT_EQ(modal.seen.back().text, "User neme input not correct!") << id;
        EXPECT_EQ(modal.seen.back().caption, "Error");
        EXPECT_EQ(modal.seen.back().icon, QMessageBox::Critical);
        EXPECT_TRUE(modal.seen.back().onTop);
    }
    EXPECT_TRUE(QDir(QString::fromStdString(app.path() + "/ID")).isEmpty());

    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Rider("Bob"))));
    create->UserIDEdit->setText("bob");
    create->OKBtnClick();
    EXPECT_EQ(modal.seen.back().text, "User neme already exists!");
    EXPECT_EQ(modal.seen.back().caption, "Error");
    EXPECT_FALSE(fileExists(Rider("bob")));
}

TEST_F(AccountTest, BitmapIsStoredAsQuality90Jpeg)
{
    QImage bmp(48, 36, QImage::Format_RGB32);
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x)
            bmp.setPixel(x, y, qRgb(x * 5, y * 7, 90));
    ASSERT_TRUE(bmp.save(QString::fromStdString(app.file("me.bmp")), "BMP"));
    ChoosePhoto(app.file("me.bmp"));
    EXPECT_EQ(create->PhotoKind, 1);
    EXPECT_TRUE(create->PhotoChosen);
    create->FRadioImgClick(); // a chosen photo stays
    EXPECT_EQ(create->AccountImage->Picture().size(), bmp.size());
    create->UserIDEdit->setText("Cy");
    create->OKBtnClick();
    EXPECT_FALSE(fileExists(Rider("Cy") + "/Cy.JPG"));
    const std::string stored = readFileBytes(Rider("Cy") + "/Cy.jpg");
    const QImage back = DecodeJpegImage(QByteArray::fromStdString(stored));
    ASSERT_EQ(back.size(), bmp.size());
    EXPECT_LE(std::abs(qRed(back.pixel(30, 20)) - 150), 12);
    EXPECT_LE(std::abs(qGreen(back.pixel(30, 20)) - 140), 12);
    // Quality 90: the first luminance quantisation value is 3.
    const std::size_t dqt = stored.find("\xFF\xDB");
    ASSERT_NE(dqt, std::string::npos);
    EXPECT_EQ(static_cast<unsigned char>(stored[dqt + 5]), 3);
    EXPECT_EQ(readFileBytes(Rider("Cy") + "/Cy.dat"), "Genter=1\r\n");
}

TEST_F(AccountTest, CapitalJpgTakesTheConversionPath)
{
    QImage img(20, 24, QImage::Format_RGB888);
    img.fill(QColor(10, 200, 30));
    const QByteArray jpeg = EncodeJpegImage(img, 75);
    writeFileBytes(app.file("me.JPG"), jpeg.toStdString());
    ChoosePhoto(app.file("me.JPG"));
    EXPECT_EQ(create->PhotoKind, 255);
    EXPECT_FALSE(create->PhotoChosen);
    EXPECT_EQ(create->AccountImage->Picture().size(), img.size());
    create->UserIDEdit->setText("Dee");
    create->OKBtnClick();
    EXPECT_FALSE(fileExists(Rider("Dee") + "/Dee.JPG"));
    const std::string stored = readFileBytes(Rider("Dee") + "/Dee.jpg");
    EXPECT_NE(stored, jpeg.toStdString());
    EXPECT_EQ(DecodeFile(Rider("Dee") + "/Dee.jpg").size(), img.size());

    // Not a chosen photo: switching the gender replaces it; the kind left
    // over converts the next rider's built-in picture too.
    ChoosePhoto(app.file("me.JPG"));
    create->FRadioImgClick();
    EXPECT_EQ(create->AccountImage->Picture(), AssetImage("FemalePhoto"));
    create->UserIDEdit->setText("Eve");
    create->OKBtnClick();
    EXPECT_EQ(DecodeFile(Rider("Eve") + "/Eve.jpg").size(), AssetImage("FemalePhoto").size());
}

TEST_F(AccountTest, UnreadablePictureIsReportedAndChangesNothing)
{
    writeFileBytes(app.file("broken.jpg"), "\xFF\xD8\xFF\xE0garbage");
    ChoosePhoto(app.file("broken.jpg"));
    ASSERT_EQ(modal.seen.size(), 1u);
    EXPECT_EQ(modal.seen[0].caption, "Error");
    EXPECT_EQ(create->PhotoKind, 0);
    EXPECT_FALSE(create->PhotoChosen);
    EXPECT_EQ(create->AccountImage->Picture(), AssetImage("MalePhoto"));
}

TEST_F(AccountTest, FailedCreationIsReportedAndCleanedUp)
{
    // A plain file where the rider folder would go: the folder cannot be
    // made and nothing can be written into it.
    writeFileBytes(app.file("ID/Gus"), "in the way");
    modal.OnDialog("UserAccountSetForm", [this](QWidget *) {
        create->UserIDEdit->setText("Gus");
        ClickLater(create->OKBtn);
    });
    modal.OnDialog("UserAccountSetForm", [this](QWidget *) { ClickLater(create->CancelBtn); });
    create->exec();
    ASSERT_EQ(modal.seen.size(), 1u);
    EXPECT_EQ(modal.seen[0].caption, "Error");
    EXPECT_NE(modal.seen[0].text, "User neme already exists!");
    EXPECT_EQ(readFileBytes(app.file("ID/Gus")), "in the way");

    // Once the way is clear the same ID can be created.
    ASSERT_TRUE(QFile::remove(QString::fromStdString(app.file("ID/Gus"))));
    CreateThroughWindow("Gus");
    EXPECT_EQ(modal.seen.size(), 1u);
    EXPECT_TRUE(fileExists(Rider("Gus") + "/Gus.JPG"));
}

TEST_F(AccountTest, LoginWindowRefillsAndSelectsTheFirstRider)
{
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Rider("Max"))));
    login->FormCreate();
    modal.OnDialog("UserAccountSetForm", [this](QWidget *) {
        create->UserIDEdit->setText("Abe");
        ClickLater(create->OKBtn);
    });
    login->CreateIDBtnClick();
    EXPECT_EQ(login->ID_Select_ComboBox->count(), 2);
    EXPECT_EQ(login->ID_Select_ComboBox->currentIndex(), 0);
    EXPECT_EQ(login->ID_Select_ComboBox->currentText().toStdString(), main->DataBase->Riders[0]);
    EXPECT_DOUBLE_EQ(login->windowOpacity(), 1.0);
}

TEST_F(AccountTest, RadioPicturesShowTheirHoverFace)
{
    create->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(create));
    QTest::mouseMove(create->FRadioImg, QPoint(14, 14));
    EXPECT_EQ(create->FRadioImg->ShownIndex, 2);
    QTest::mouseMove(create->UserIDEdit, QPoint(5, 5));
    EXPECT_EQ(create->FRadioImg->ShownIndex, 0);
    QTest::mouseMove(create->MRadioImg, QPoint(14, 14)); // selected: unchanged
    EXPECT_EQ(create->MRadioImg->ShownIndex, 1);
    create->FRadioImgClick();
    QTest::mouseMove(create->MRadioImg, QPoint(10, 12)); // a move to the same point is no move
    EXPECT_EQ(create->MRadioImg->ShownIndex, 2);
    EXPECT_EQ(create->FRadioImg->ShownIndex, 1);
    create->CancelBtnClick();
    EXPECT_TRUE(GenderIsMale);
    EXPECT_EQ(create->MRadioImg->ShownIndex, 1);
}

TEST(PictureFilter, KeepsTheFourChoicesAndTheirDescriptions)
{
    const QStringList filters = DialogNameFilters(
        "All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;|JPEG Image File (*.jpg)|*.jpg|"
        "JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(filters, QStringList({"All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf) (*.jpg *.jpeg *.bmp)",
                                    "JPEG Image File (*.jpg) (*.jpg)", "JPEG Image File (*.jpeg) (*.jpeg)",
                                    "Bitmaps (*.bmp) (*.bmp)"}));
}

TEST(Centring, HalvesRoundTowardMinusInfinity)
{
    EXPECT_EQ(CentredIn(QRect(0, 0, 1280, 1024), QSize(265, 369)), QPoint(507, 327));
    EXPECT_EQ(CentredIn(QRect(0, 0, 800, 600), QSize(1024, 748)), QPoint(-112, -74));
    EXPECT_EQ(CentredIn(QRect(0, 0, 801, 601), QSize(1024, 748)), QPoint(-112, -74));
    EXPECT_EQ(CentredIn(QRect(0, 0, 799, 600), QSize(1024, 748)), QPoint(-113, -74));
    EXPECT_EQ(CentredIn(QRect(1920, 0, 1280, 1024), QSize(280, 153)), QPoint(2420, 435));
}

class DeleteTest : public WindowsTest {
protected:
    void SetUp() override
    {
        for (const char *id : {"Ann", "Bob"}) {
            ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Rider(id))));
            writeFileBytes(Rider(id) + "/" + id + ".dat", "Genter=0\r\n");
        }
        Open();
    }
};

TEST_F(DeleteTest, NoKeepsTheWindowOpenAndYesDeletes)
{
    EXPECT_EQ(del->size(), QSize(280, 153));
    int index = -1;
    QString chosenAfterNo;
    bool openAfterNo = false;
    modal.OnDialog("DeleteAccountForm", [&](QWidget *) {
        index = del->ID_Delete_Select_ComboBox->findText("Bob");
        del->ID_Delete_Select_ComboBox->setCurrentIndex(index);
        ClickLater(del->Del_Yes_Btn);
    });
    modal.AnswerBox(QMessageBox::No);
    modal.OnDialog("DeleteAccountForm", [&](QWidget *) {
        openAfterNo = del->isVisible();
        chosenAfterNo = del->ID_Delete_Select_ComboBox->currentText();
        ClickLater(del->Del_Yes_Btn);
    });
    modal.AnswerBox(QMessageBox::Yes);
    del->exec();
    ASSERT_EQ(modal.seen.size(), 2u);
    for (const SeenBox &b : modal.seen) {
        EXPECT_EQ(b.text, "Delete user account?");
        EXPECT_EQ(b.caption, "Delete user account?");
        EXPECT_EQ(b.icon, QMessageBox::Warning);
        EXPECT_EQ(b.buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(b.defaultButton, QMessageBox::No);
        EXPECT_TRUE(b.onTop);
    }
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(chosenAfterNo, "Bob");
    EXPECT_FALSE(fileExists(Rider("Bob")));
    EXPECT_TRUE(fileExists(Rider("Ann") + "/Ann.dat"));
    EXPECT_FALSE(del->isVisible());
}

TEST_F(DeleteTest, AFailedDeletionIsReported)
{
    writeFileBytes(Rider("Bob") + "/.directory", "hidden");
    if (!setImmutable(Rider("Bob"), true))
        GTEST_SKIP() << "no immutable folders here (needs root on ext4)";
    modal.OnDialog("DeleteAccountForm", [&](QWidget *) {
        del->ID_Delete_Select_ComboBox->setCurrentIndex(del->ID_Delete_Select_ComboBox->findText("Bob"));
        ClickLater(del->Del_Yes_Btn);
    });
    modal.AnswerBox(QMessageBox::Yes);
    modal.AnswerBox(QMessageBox::Ok);
    del->exec();
    setImmutable(Rider("Bob"), false);
    ASSERT_EQ(modal.seen.size(), 2u);
    EXPECT_EQ(modal.seen[1].text, "The user account could not be deleted!");
    EXPECT_EQ(modal.seen[1].icon, QMessageBox::Critical);
    EXPECT_TRUE(fileExists(Rider("Bob") + "/Bob.dat"));
}

TEST_F(DeleteTest, EmptyListReportsUserIdError)
{
    main->DataBase->DeleteRider("Ann");
    main->DataBase->DeleteRider("Bob");
    modal.OnDialog("DeleteAccountForm", [&](QWidget *) { ClickLater(del->Del_Yes_Btn); });
    modal.AnswerBox(QMessageBox::Ok);
    modal.OnDialog("DeleteAccountForm", [&](QWidget *) { ClickLater(del->Del_Cancel_Btn); });
    del->exec();
    ASSERT_EQ(modal.seen.size(), 1u);
    EXPECT_EQ(modal.seen[0].text, "User ID Error!");
    EXPECT_EQ(modal.seen[0].caption, "Error");
    EXPECT_EQ(modal.seen[0].icon, QMessageBox::Critical);
}

} // namespace
