// The month calendar view on its own: the grid drawn from the shown month
// and its marks, only while the view is visible, and day styles that stay
// apart.
#include "calendar/CalendarView.h"
#include "calendar/Calenderset.h"
#include "calendar/DayFaces.h"
#include "calendar/ShownMonth.h"
#include "draw/Image.h"
#include "draw/ImageList.h"
#include "tests/calendar/RecordDays.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

class CalendarView : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"120310080000.TR9", "120229080000.TR9", "120401080000.TR9", "120331090000.TR9"})
            WriteRide(rider.path(), name);
        shown.SetShownMonth(2012, 3);
        shown.ScanRecordDays(rider.path() + "/");
        panel.resize(1024, 643);
    }
    // The list and picture shown by cell k.
    std::pair<const TImageList *, int> Face(int k) const
    {
        const TImage *day = panel.findChild<TImage *>(QString("DayImage%1").arg(k));
        return {day->ShownList, day->ShownIndex};
    }
    QString Caption() const { return panel.findChild<QLabel *>("YearMonthLab")->text(); }

    TempFolder rider;
    TCalenderSet cal;
    TShownMonth shown{cal};
    TCalenderPanel panel{nullptr, shown};
};

TEST_F(CalendarView, TheGridShowsTheShownMonthWithItsRecordDays)
{
    panel.FillCalendar("2012, March");
    EXPECT_EQ(Caption(), "2012, March");
    // Hidden: no cell is drawn.
    EXPECT_EQ(Face(4).first, nullptr);

    panel.show();
    panel.FillCalendar("2012, March");
    const TImageList *normal = panel.CalImageListNormal.get();
    const TImageList *data = panel.CalImageListData.get();
    const TImageList *cross = panel.CalImageListCross.get();
    EXPECT_EQ(Face(0), std::make_pair(cross, 25));  // 26 February
    EXPECT_EQ(Face(3), std::make_pair(cross, 28));  // 29 February: its record is not shown here
    EXPECT_EQ(Face(4), std::make_pair(normal, 0));  // 1 March
    EXPECT_EQ(Face(13), std::make_pair(data, 9));   // 10 March, a record day
    EXPECT_EQ(Face(34), std::make_pair(data, 30));  // 31 March
    EXPECT_EQ(Face(35), std::make_pair(cross, 0));  // 1 April, with a record, dimmed

    // April 2012 starts on a Sunday: day 1 in cell 7.
    shown.SetShownMonth(2012, 4);
    shown.ScanRecordDays(rider.path() + "/");
    panel.FillCalendar("2012, April");
    EXPECT_EQ(Face(6), std::make_pair(cross, 30));
    EXPECT_EQ(Face(7), std::make_pair(data, 0));
    EXPECT_EQ(Face(8), std::make_pair(normal, 1));
}

TEST_F(CalendarView, DayStylesDifferAtBothSizes)
{
    for (const QSize size : {QSize(90, 70), QSize(75, 58)}) {
        std::vector<QImage> faces;
        for (DayStyle style : {DayStyle::Plain, DayStyle::Records, DayStyle::Other, DayStyle::OtherRecords,
                               DayStyle::Chosen}) {
            const TImageList list = DayPictures(size.width(), size.height(), style);
            ASSERT_EQ(list.Count(), 31);
            EXPECT_EQ(list.Image(0).size(), size);
            // The number is drawn in: day 1 and day 28 differ.
            EXPECT_NE(list.Image(0), list.Image(27));
            faces.push_back(list.Image(17));
        }
        for (std::size_t i = 0; i < faces.size(); ++i)
            for (std::size_t j = i + 1; j < faces.size(); ++j)
                EXPECT_NE(faces[i], faces[j]) << i << " " << j;
    }
}

} // namespace
