// Language window and caption refresh: a switch changes all five windows at
// once; labels are centred on their columns; the shipped files translate
// every caption.
#include "tests/accounts/WindowsFixture.h"

#include "draw/Controls.h"
#include "draw/Image.h"
#include "lang/Multilan.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

const QString SourceLanguageFolder = QStringLiteral(CYCLOVEX_SOURCE_DIR "/assets/LANGUAGE");

// Every key the windows ask for.
const char *const AllKeys[] = {
    "Language Select", "Language", "YES", "Cancel", "Login", "User ID", "Remember Me", "Create ID",
    "Delete ID", "Exit", "Create New Account", "User's Photo", "Gender", "Change Photo", "Delete Account",
    "Cyclovex", "Distance", "Heart Rate", "Speed", "RPM", "Multi-File", "Value", "Duration", "AVG Speed",
    "LAP", "KCAL", "HR/MAX", "HR/AVG", "VO2/MAX", "Intensity", "Topic", "Weather", "Memo", "Save",
    "Clean All", "Delete", "Fine/Fair/Sunny", "Clear to overcast", "Cloudy", "Drizzle", "Foggy",
    "Gale wind", "Misty", "Pour/DownPour", "Sleet", "Snowy", "Stormy wind", "Windy", "Blizzard",
    "January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
    "November", "December",
    // drawn into the main window's pictures, tooltips, the login hint
    "Calendar", "Details", "Analysis", "Summary", "Guide", "Print", "Logout", "No dongle", "Linked",
    "Download", "Receiving", "Calendar of your records", "Details and notes of a record",
    "Charts of your records", "Totals by day, week and month", "User guide", "Print a report of the charts",
    "Log out", "Download an exercise from the device", "Status of the USB dongle", "Choose the language",
    "No rider yet: press Create ID",
};

class LanguageTest : public WindowsTest {
protected:
    void SetUp() override
    {
        const QString to = QString::fromStdString(app.path() + "/LANGUAGE");
        ASSERT_TRUE(QDir().mkpath(to));
        for (const QString &name : QDir(SourceLanguageFolder).entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(SourceLanguageFolder + "/" + name, to + "/" + name));
        Open();
        weather = Control<QComboBox>("cbbWCB");
        duration = Control<QLabel>("Dura_Lab");
        ASSERT_TRUE(weather != nullptr && duration != nullptr);
    }
    // Opens the language window from the login window and picks an entry.
    QStringList Choose(int entry, bool yes, int *selected = nullptr)
    {
        QStringList shown;
        // The list is built when the window becomes active.
        modal.Then([=, this, &shown](QWidget *w) {
            if (w != language || QApplication::activeWindow() != language)
                return false;
            for (int i = 0; i < language->cbbLanSelect->count(); ++i)
                shown << language->cbbLanSelect->itemText(i);
            if (selected != nullptr)
                *selected = language->cbbLanSelect->currentIndex();
            language->cbbLanSelect->setCurrentIndex(entry);
            ClickLater(yes ? language->btnLan_Yes_Btn : language->btnLan_Cancel_Btn);
            return true;
        });
        login->img_LanguageClick();
        return shown;
    }
    std::string Setting() const { return readFileBytes(app.file("LANGUAGE/LangSet.ini")); }

    QComboBox *weather = nullptr;
    QLabel *duration = nullptr;
};

TEST_F(LanguageTest, SwitchChangesAllFiveWindowsAtOnce)
{
    EXPECT_EQ(login->UserIDLab->text(), "User ID");
    int selected = -1;
    const QStringList shown = Choose(1, true, &selected);
    EXPECT_EQ(shown, QStringList({"English", QString::fromUtf8("繁體中文"), QString::fromUtf8("简体中文")}));
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(Setting(), "CHT.lre\r\n");

    EXPECT_EQ(language->windowTitle(), QString::fromUtf8("語言選擇"));
    EXPECT_EQ(language->lblLanSelect->text(), QString::fromUtf8("語言"));
    EXPECT_EQ(main->windowTitle(), "Cyclovex");
    EXPECT_EQ(main->MonthNames.value(0), QString::fromUtf8("一月"));
    EXPECT_EQ(main->MonthNames.value(11), QString::fromUtf8("十二月"));
    EXPECT_EQ(weather->itemText(2), QString::fromUtf8("多雲"));
    EXPECT_EQ(weather->itemText(12), QString::fromUtf8("暴風雪"));
    EXPECT_EQ(duration->text(), QString::fromUtf8("運動時間"));
    EXPECT_EQ(login->windowTitle(), QString::fromUtf8("登入"));
    EXPECT_EQ(login->UserIDLab->text(), QString::fromUtf8("使用者名稱"));
    EXPECT_EQ(login->RememberMeLab->text(), QString::fromUtf8("記住我"));
    EXPECT_EQ(login->ExitBtn->text(), QString::fromUtf8("離開"));
    EXPECT_EQ(create->windowTitle(), QString::fromUtf8("建立新帳號"));
    EXPECT_EQ(create->lbl_gender->text(), QString::fromUtf8("性別"));
    EXPECT_EQ(create->OKBtn->text(), QString::fromUtf8("確定"));
    EXPECT_EQ(del->windowTitle(), QString::fromUtf8("刪除帳號"));
    EXPECT_EQ(del->Del_Cancel_Btn->text(), QString::fromUtf8("取消"));
    EXPECT_DOUBLE_EQ(login->windowOpacity(), 1.0);

    // Opened again (twice): the same list with the language in use chosen.
    for (int round = 0; round < 2; ++round) {
        selected = -1;
        EXPECT_EQ(Choose(2, false, &selected), shown);
        EXPECT_EQ(selected, 1);
    }
    // Cancel changed nothing.
    EXPECT_EQ(Setting(), "CHT.lre\r\n");
    EXPECT_EQ(login->UserIDLab->text(), QString::fromUtf8("使用者名稱"));

    // Back to English.
    Choose(0, true);
    EXPECT_EQ(main->MonthNames.value(0), "January");
    EXPECT_EQ(create->UserIDLab->text(), "User ID");
}

// A window manager that opens the window without making it active still
// gets the list.
TEST_F(LanguageTest, TheListIsThereBeforeTheWindowIsActive)
{
    language->cbbLanSelect->clear();
    QShowEvent shown;
    QCoreApplication::sendEvent(language, &shown);
    EXPECT_EQ(language->cbbLanSelect->count(), 3);
    EXPECT_EQ(language->cbbLanSelect->currentIndex(), 0);
}

// The captions drawn into the pictures, the tooltips, the login hint and the
// Han face of the font change with the language like every other caption.
TEST_F(LanguageTest, PicturesTooltipsAndFontFollowTheLanguage)
{
    const QImage button = main->BtnImageDate->Canvas().copy();
    TImage *dongleStatus = Control<TImage>("DongleLinkStatusImage");
    TImage *startPicture = Control<TImage>("mainStartImage");
    const QImage dongle = dongleStatus->Canvas().copy();
    const QImage start = startPicture->Canvas().copy();
    EXPECT_EQ(main->BtnImageLogout->toolTip(), "Log out (Alt+7)");
    EXPECT_EQ(login->ID_Select_ComboBox->placeholderText(), "No rider yet: press Create ID");

    Choose(1, true); // CHT
    EXPECT_NE(main->BtnImageDate->Canvas(), button);
    EXPECT_NE(dongleStatus->Canvas(), dongle);
    EXPECT_NE(startPicture->Canvas(), start);
    EXPECT_EQ(main->BtnImageLogout->toolTip(), QString::fromUtf8("登出 (Alt+7)"));
    EXPECT_EQ(dongleStatus->toolTip(), QString::fromUtf8("USB 接收器狀態"));
    EXPECT_EQ(login->img_Language->toolTip(), QString::fromUtf8("選擇語言"));
    EXPECT_EQ(login->ID_Select_ComboBox->placeholderText(), QString::fromUtf8("尚無帳號：請按「建立帳號」"));
    EXPECT_EQ(QApplication::font().families().value(0), "Noto Sans CJK TC");

    Choose(2, true); // CHS
    EXPECT_EQ(QApplication::font().families().value(0), "Noto Sans CJK SC");
    EXPECT_EQ(main->BtnImageLogout->toolTip(), QString::fromUtf8("注销 (Alt+7)"));

    Choose(0, true);
    EXPECT_EQ(main->BtnImageDate->Canvas(), button);
    EXPECT_EQ(dongleStatus->Canvas(), dongle);
    EXPECT_EQ(main->BtnImageLogout->toolTip(), "Log out (Alt+7)");
    EXPECT_EQ(QApplication::font().families().size(), 1);
}

TEST_F(LanguageTest, LabelsAreCentredOnTheirColumnsInTheirOwnFont)
{
    EXPECT_EQ(CaptionColumnLeft(100, 95), 90);
    EXPECT_EQ(CaptionColumnLeft(100, 40), 117);
    EXPECT_EQ(CaptionColumnLeft(100, 75), 100);
    EXPECT_EQ(CaptionColumnLeft(100, 76), 100); // -1 / 2 truncates toward zero

    // The column's left edge, from where the label stands in its font now.
    const int home = duration->x() - (75 - duration->fontMetrics().horizontalAdvance(duration->text())) / 2;
    QFont big = duration->font();
    big.setPointSize(18);
    duration->setFont(big);
    for (int entry : {2, 0}) {
        Choose(entry, true);
        const int w = QFontMetrics(big).horizontalAdvance(duration->text());
        EXPECT_EQ(duration->x(), home + (75 - w) / 2) << duration->text().toStdString();
        EXPECT_EQ(duration->width(), w + 30);
    }
}

TEST(LanguageFiles, ShippedFilesTranslateEveryCaption)
{
    TempFolder dir;
    MultiLanguage lang;
    lang.LangFolder = SourceLanguageFolder.toStdString();
    lang.ListLanguages();
    ASSERT_EQ(lang.LangFiles, (std::vector<std::string>{"ENG.lre", "CHT.lre", "CHS.lre"}));
    for (const std::string &file : lang.LangFiles) {
        SCOPED_TRACE(file);
        const std::string bytes = readFileBytes(lang.LangFolder + "/" + file);
        EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF"); // byte-order mark
        ASSERT_FALSE(lang.LoadLanguage(file));
        // Every key has its own entry; the Chinese files translate all but the name.
        for (const char *key : AllKeys) {
            EXPECT_TRUE(lang.Lines.contains(QString(key) + "=" + lang.CL(key))) << key;
            if (file != "ENG.lre" && QString(key) != "Cyclovex") {
                EXPECT_NE(lang.CL(key), QString(key)) << key;
            }
        }
    }
    EXPECT_EQ(lang.DisplayName("CHS.lre"), QString::fromUtf8("简体中文"));
}

} // namespace
