// Display texts of a record: value boxes in both units and both kinds of
// locale, weather entries and the lines of a notes file.
#include "views/RecordValues.h"

#include "store/Databasecontroler.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace RecordValues;

namespace {

const QLocale kC = QLocale::c();
const QLocale kGerman(QLocale::German, QLocale::Germany);

TKorvanDataBase Record(std::uint8_t unit, const std::string &distance, const std::string &speed)
{
    TKorvanDataBase db;
    db.Unit = unit;
    db.ExerciseTime = "01:05:30";
    db.DistanceText = distance;
    db.CadenceAvgText = "85";
    db.SpeedAvgText = speed;
    db.LapCountText = "3";
    db.KcalText = "412";
    db.HrMaxText = "171";
    db.HrAvgText = "142";
    db.Vo2MaxText = "45";
    db.HrLimitText = "130~165";
    return db;
}

} // namespace

TEST(RecordValues, ImperialTexts)
{
    struct Row { const char *km; const QLocale &locale; const char *miles; };
    const Row rows[] = {
        {"40", kC, "24.84"},          {"12.3", kC, "7.64"},         {"1234.5", kC, "766.62"},
        {"123456.7", kC, "76,667.00"}, {"0", kC, "0.00"},           {"1609.3", kC, "999.38"},
        {"junk", kC, "0.00"},         {"", kC, "0.00"},             {"40", kGerman, "24,84"},
        {"123456.7", kGerman, "76.667,00"}, {"2000", kGerman, "1.242,00"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Imperial(row.km, row.locale), QString::fromLatin1(row.miles)) << row.km;
}

TEST(RecordValues, BoxTextsByUnitAndLocale)
{
    struct Row { std::uint8_t unit; const QLocale &locale; const char *distance; const char *speed; };
    const Row rows[] = {
        {0, kC, "12.3 KM", "25.4 KM/h"},
        {0, kGerman, "12,3 KM", "25,4 KM/h"},
        {1, kC, "7.64 ml", "15.77 ml/h"},
        {1, kGerman, "7,64 ml", "15,77 ml/h"},
        {7, kC, "kept", "kept too"},
    };
    for (const Row &row : rows) {
        std::array<QString, BoxCount> boxes;
        boxes[DistanceBox] = "kept";
        boxes[SpeedBox] = "kept too";
        FillBoxTexts(Record(row.unit, "12.3", "25.4"), row.locale, boxes);
        const std::array<QString, BoxCount> expected{
            "01:05:30", row.distance, "85", row.speed, "3", "412", "171", "142", "45", "130~165"};
        EXPECT_EQ(boxes, expected) << int(row.unit);
    }
}

TEST(RecordValues, WeatherEntries)
{
    struct Row { const char *text; int entry; };
    for (const Row &row : {Row{"2", 2}, Row{"12", 12}, Row{"", 0}, Row{"rain", 0}, Row{"-1", -1}, Row{"13", 13}})
        EXPECT_EQ(WeatherEntry(QString::fromLatin1(row.text)), row.entry) << row.text;

    const QStringList entries{"Fine/Fair/Sunny", "Clear to overcast", "Cloudy"};
    EXPECT_EQ(ChosenEntry(entries, 2, "Cloudy"), 2);
    EXPECT_EQ(ChosenEntry(entries, 0, "Cloudy"), 2);  // typed text of another entry
    EXPECT_EQ(ChosenEntry(entries, 0, "Hail"), -1);   // typed text that is no entry
    EXPECT_EQ(ChosenEntry(entries, -1, ""), -1);
}

TEST(RecordValues, NotesLines)
{
    struct Row { QString topic; int weather; QString memo; QStringList lines; };
    const Row rows[] = {
        {"Morning ride", 2, "first memo line\nsecond memo line",
         {"Morning ride", "2", "first memo line", "second memo line"}},
        {"Morning ride", 2, "", {"Morning ride", "2"}},
        {"", 0, "", {"", "0"}},
        {"", -1, "a\nb\nc\n", {"", "-1", "a", "b", "c"}},
        {"", 0, "\n", {"", "0", ""}},
        {"two\nlines", 1, "x\r\ny", {"two lines", "1", "x", "y"}},
        {QString::fromUtf8("晨騎"), 3, QString::fromUtf8("第一行"), {QString::fromUtf8("晨騎"), "3", QString::fromUtf8("第一行")}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(NotesLines(row.topic, row.weather, row.memo), row.lines) << row.topic.toStdString();
    EXPECT_EQ(MemoText({"a", "", "b"}), "a\n\nb");
    EXPECT_EQ(MemoText({}), "");
}
