// The laps window: a ride with three laps against the ride reader, one
// without laps, imperial units, the copied text and the print to PDF.
#include "training/LapsForm.h"
#include "lang/Multilan.h"
#include "tests/support/ModalAnswer.h"
#include "tests/training/TrainingRider.h"
#include "training/LapTable.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(LapsForm, LapsInTheRecordsUnitsZonesAndPrint)
{
    TempFolder rider;
    const std::string three = rider.file(WriteRide(rider.path(), 2024, 5, 6, 360, 3));
    const std::string none = rider.file(WriteRide(rider.path(), 2024, 5, 7, 360, 0));
    const std::string miles = rider.file(WriteRide(rider.path(), 2024, 5, 8, 360, 3, true));
    TLapsForm form(nullptr, nullptr);
    ModalAnswerer answer; // a ride that cannot be read is told, never waited on

    ASSERT_TRUE(form.ShowRide(three));
    Ride ride;
    std::string error;
    ASSERT_TRUE(ReadRide(three, ride, error)) << error;
    ASSERT_EQ(ride.laps.size(), 3u);
    ASSERT_EQ(form.LapTable->rowCount(), 3);
    EXPECT_TRUE(form.NoLapsLab->isHidden());
    for (int r = 0; r < 3; ++r) {
        const RideLap &lap = ride.laps[std::size_t(r)];
        EXPECT_EQ(form.LapTable->item(r, 2)->text().toStdString(), ClockText(lap.seconds));
        EXPECT_DOUBLE_EQ(form.LapTable->item(r, 3)->text().toDouble(), std::round(lap.distance) / 10.0);
        EXPECT_EQ(form.LapTable->item(r, 6)->text().toInt(), lap.hrAvg);
        EXPECT_EQ(form.LapTable->item(r, 9)->text().toInt(), lap.cadenceMax);
    }
    EXPECT_TRUE(form.LapTable->horizontalHeaderItem(3)->text().contains("km"));
    EXPECT_EQ(form.TableText().count("\r\n"), 4);
    EXPECT_TRUE(form.RideFiguresLab->text().contains("Load"));

    form.PdfFile = QString::fromStdString(rider.file("laps.pdf"));
    form.Print();
    EXPECT_GT(std::filesystem::file_size(rider.file("laps.pdf")), 1000u);

    ASSERT_TRUE(form.ShowRide(none));
    EXPECT_EQ(form.LapTable->rowCount(), 0);
    EXPECT_FALSE(form.NoLapsLab->isHidden());
    EXPECT_EQ(form.NoLapsLab->text(), "This ride has no laps.");

    ASSERT_TRUE(form.ShowRide(miles));
    EXPECT_TRUE(form.LapTable->horizontalHeaderItem(3)->text().contains("mi"));
    EXPECT_TRUE(form.LapTable->horizontalHeaderItem(4)->text().contains("mph"));
    Ride imperial;
    ASSERT_TRUE(ReadRide(miles, imperial, error)) << error;
    EXPECT_NEAR(form.LapTable->item(0, 3)->text().toDouble(), imperial.laps[0].distance / 10.0 * 0.621, 0.051);
}

// The window is kept between rides: the next ride shows it in the language
// chosen since.
TEST(LapsForm, TheNextRideComesInTheLanguageChosenSince)
{
    TempFolder rider;
    const std::string ride = rider.file(WriteRide(rider.path(), 2024, 5, 6, 360, 3));
    MultiLanguage lang;
    lang.LangFolder = LANGUAGE_DIR;
    ASSERT_FALSE(lang.LoadLanguage("CHT.lre"));
    TLapsForm form(nullptr, &lang);
    ASSERT_TRUE(form.ShowRide(ride));
    EXPECT_EQ(form.CloseBtn->text(), QString::fromUtf8("關閉"));
    ASSERT_FALSE(lang.LoadLanguage("CHS.lre"));
    ASSERT_TRUE(form.ShowRide(ride));
    EXPECT_EQ(form.CloseBtn->text(), QString::fromUtf8("关闭"));
    EXPECT_EQ(form.CopyBtn->text(), QString::fromUtf8("复制"));
    EXPECT_TRUE(form.windowTitle().startsWith(QString::fromUtf8("分段")));
}

} // namespace
