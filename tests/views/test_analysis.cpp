// The analysis view on a temporary rider folder: the end states of single
// and multi-file mode, the limits on marks (pointer and keyboard), the
// series colours and legend names, and the readout under the pointer.
#include "tests/views/AnalysisFixture.h"
#include "views/LineChart.h"
#include "views/TimeCursor.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {

const std::string A = "120701080000.TR9", B = "120702080000.TR9", C = "120703080000.TR9", D = "120704080000.TR9";

class AnalysisTest : public AnalysisFixture {
protected:
    void SetUp() override
    {
        std::map<std::string, ChartSeries> records;
        for (const std::string &name : {A, B, C, D})
            records[name].hrm = name == A ? "72,75,80," : name == B ? "100,110," : name == C ? "130," : "140,141,";
        Open(records);
    }
    void Tick(QCheckBox *box, bool on)
    {
        if (box->isChecked() != on)
            QTest::mouseClick(box, Qt::LeftButton);
    }
    std::vector<int> Marked() const { return list->MarkedRows(); }
    std::vector<TLineChart *> Shown() const
    {
        std::vector<TLineChart *> shown;
        for (TLineChart *c : {Chart("AnDistChart"), Chart("AnHRMChart"), Chart("AnSPDChart"), Chart("AnRPMChart"),
                              Chart("MultiChart"), Chart("SpaceChart")})
            if (c->isVisible())
                shown.push_back(c);
        return shown;
    }
    std::vector<double> Points(TLineChart *chart, int position) const
    {
        std::vector<double> ys;
        for (int i = 0; i < chart->PointCount(position); ++i)
            ys.push_back(chart->PointY(position, i));
        return ys;
    }
    bool AnyBoxTicked() const
    {
        for (QCheckBox *box : ChartBoxes())
            if (box->isChecked())
                return true;
        return false;
    }

};

TEST_F(AnalysisTest, SingleModeShowsTheMarkedFileStacked)
{
    EXPECT_EQ(Shown(), std::vector<TLineChart *>{Chart("SpaceChart")});
    Tick(Box("ChartDistCB"), true);
    Tick(Box("ChartHRMCB"), true);
    EXPECT_EQ(Shown(), std::vector<TLineChart *>{Chart("SpaceChart")}); // no file marked yet

    Click(0);
    EXPECT_EQ(Marked(), std::vector<int>{0});
    EXPECT_EQ(Shown(), (std::vector<TLineChart *>{Chart("AnDistChart"), Chart("AnHRMChart")}));
    EXPECT_EQ(Chart("AnDistChart")->geometry().top(), 10);
    EXPECT_EQ(Chart("AnHRMChart")->geometry().top(), 274);
    EXPECT_EQ(Chart("AnHRMChart")->height(), 264);
    EXPECT_EQ(Points(Chart("AnHRMChart"), 0), (std::vector<double>{72, 75, 80}));
    EXPECT_EQ(Points(Chart("AnDistChart"), 0), (std::vector<double>{0, 1.5, 12.34}));
    EXPECT_EQ(Points(Chart("AnSPDChart"), 0), (std::vector<double>{25.3, 26, 24}));
    EXPECT_EQ(Points(Chart("AnRPMChart"), 0), (std::vector<double>{85, 90, 88}));
    EXPECT_EQ(Chart("AnHRMChart")->SeriesColour(0), QColor(0x00, 0x80, 0x00));
    EXPECT_EQ(Chart("AnDistChart")->SeriesColour(0), QColor(0x00, 0x00, 0xFF));
    EXPECT_EQ(Chart("AnSPDChart")->SeriesColour(0), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(Chart("AnRPMChart")->SeriesColour(0), QColor(0xFF, 0xFF, 0x00));
    EXPECT_EQ(Chart("AnHRMChart")->Title(), "Heart Rate(bpm)");
    EXPECT_EQ(Chart("AnHRMChart")->AxisLabels(), (QStringList{"00:00:00", "00:00:10", "00:00:20"}));
    EXPECT_FALSE(Chart("AnHRMChart")->LegendShown());

    // All four boxes: 132 high at 10, 142, 274, 406.
    Tick(Box("ChartSPDCB"), true);
    Tick(Box("ChartRPMCB"), true);
    std::vector<int> tops;
    for (TLineChart *c : SingleChartsOf(*panel)) {
        EXPECT_TRUE(c->isVisible());
        EXPECT_EQ(c->height(), 132);
        tops.push_back(c->y());
    }
    EXPECT_EQ(tops, (std::vector<int>{10, 142, 274, 406}));

    // Another file takes the mark; a release on the marked one unmarks it.
    Click(1);
    EXPECT_EQ(Marked(), std::vector<int>{1});
    EXPECT_EQ(Points(Chart("AnHRMChart"), 0), (std::vector<double>{100, 110}));
    Click(1);
    EXPECT_TRUE(Marked().empty());
    EXPECT_EQ(Shown(), std::vector<TLineChart *>{Chart("SpaceChart")});
    EXPECT_EQ(Points(Chart("AnHRMChart"), 0), (std::vector<double>{100, 110})); // kept while hidden

    // A press in the check column is toggled by the list alone.
    Click(2, 5);
    EXPECT_EQ(Marked(), std::vector<int>{2});
    for (QCheckBox *box : ChartBoxes())
        Tick(box, false);
    EXPECT_EQ(Shown(), std::vector<TLineChart *>{Chart("SpaceChart")});

    // Choosing the view again: nothing ticked, only the empty chart.
    panel->ResetAnalysisView();
    panel->FillList(db.RecordFiles);
    EXPECT_FALSE(AnyBoxTicked());
    EXPECT_FALSE(Box("MultiFileCB")->isChecked());
    EXPECT_TRUE(Marked().empty());
    EXPECT_EQ(Shown(), std::vector<TLineChart *>{Chart("SpaceChart")});
}

TEST_F(AnalysisTest, MultiModeComparesUpToThreeFiles)
{
    Click(0);
    Tick(Box("ChartHRMCB"), true);
    Tick(Box("MultiFileCB"), true);
    EXPECT_FALSE(AnyBoxTicked());
    EXPECT_TRUE(Marked().empty());
    EXPECT_TRUE(Chart("MultiChart")->Title().isEmpty());
    EXPECT_EQ(Shown(), std::vector<TLineChart *>{Chart("SpaceChart")});

    Tick(Box("ChartHRMCB"), true);
    EXPECT_EQ(Chart("MultiChart")->Title(), "Heart Rate");
    EXPECT_EQ(Shown(), std::vector<TLineChart *>{Chart("SpaceChart")}); // no file marked
    Click(0);
    Click(2);
    EXPECT_EQ(Shown(), std::vector<TLineChart *>{Chart("MultiChart")});
    EXPECT_EQ(Chart("MultiChart")->geometry(), QRect(232, 10, 769, 528));
    EXPECT_TRUE(Chart("MultiChart")->LegendShown());
    EXPECT_EQ(Chart("MultiChart")->SeriesTitle(0), QString::fromStdString(A));
    EXPECT_EQ(Chart("MultiChart")->SeriesTitle(1), QString::fromStdString(C));
    EXPECT_EQ(Chart("MultiChart")->SeriesColour(0), QColor(0xFF, 0, 0));
    EXPECT_EQ(Chart("MultiChart")->SeriesColour(1), QColor(0, 0x80, 0));
    EXPECT_EQ(Points(Chart("MultiChart"), 0), (std::vector<double>{72, 75, 80}));
    EXPECT_EQ(Points(Chart("MultiChart"), 1), (std::vector<double>{130}));
    EXPECT_TRUE(Chart("MultiChart")->SeriesActive(1));
    EXPECT_FALSE(Chart("MultiChart")->SeriesActive(2));

    // Ticking another box unticks the first and rebuilds for its quantity.
    Tick(Box("ChartDistCB"), true);
    EXPECT_FALSE(Box("ChartHRMCB")->isChecked());
    EXPECT_EQ(Chart("MultiChart")->Title(), "Distance");
    EXPECT_EQ(Points(Chart("MultiChart"), 1), (std::vector<double>{0, 1.5, 12.34}));

    // A third file, then a fourth: refused with the message, three marks stay.
    Click(1);
    EXPECT_EQ(Chart("MultiChart")->SeriesTitle(1), QString::fromStdString(B));
    EXPECT_EQ(Chart("MultiChart")->SeriesColour(2), QColor(0, 0, 0xFF));
    Click(3);
    EXPECT_TRUE(boxes.Saw("Could not select more than 3 files!", "info"));
    ASSERT_FALSE(boxes.seen.empty());
    EXPECT_EQ(boxes.seen.back().icon, QMessageBox::Information);
    EXPECT_TRUE(boxes.seen.back().onTop);
    EXPECT_EQ(Marked(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Chart("MultiChart")->SeriesTitle(2), QString::fromStdString(C));

    // Unticking the ticked box hides the chart; a release with no box resets.
    Tick(Box("ChartDistCB"), false);
    EXPECT_EQ(Shown(), std::vector<TLineChart *>{Chart("SpaceChart")});
    Click(2);
    EXPECT_TRUE(Chart("MultiChart")->Title().isEmpty());
    EXPECT_EQ(Shown(), std::vector<TLineChart *>{Chart("SpaceChart")});

    // Leaving multi-file mode empties the chart and every mark.
    Tick(Box("ChartRPMCB"), true);
    EXPECT_EQ(Shown(), std::vector<TLineChart *>{Chart("MultiChart")});
    Tick(Box("MultiFileCB"), false);
    EXPECT_FALSE(AnyBoxTicked());
    EXPECT_TRUE(Marked().empty());
    EXPECT_EQ(Chart("MultiChart")->PointCount(0), 0);
    EXPECT_EQ(Shown(), std::vector<TLineChart *>{Chart("SpaceChart")});
}

TEST_F(AnalysisTest, KeyboardAndCaptionMarksKeepTheLimits)
{
    // A press on a caption ticks its box.
    QTest::mouseClick(&Part<QLabel>(*panel, "HRMLab"), Qt::LeftButton);
    EXPECT_TRUE(Box("ChartHRMCB")->isChecked());

    list->setFocus();
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Space);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(Marked(), std::vector<int>{1});
    EXPECT_EQ(Shown(), std::vector<TLineChart *>{Chart("AnHRMChart")});

    Tick(Box("MultiFileCB"), true);
    Tick(Box("ChartHRMCB"), true);
    for (int row = 0; row < 4; ++row) {
        list->setCurrentRow(row);
        QTest::keyClick(list, Qt::Key_Space);
    }
    EXPECT_EQ(Marked(), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(boxes.Saw("Could not select more than 3 files!", "info"));
}

TEST_F(AnalysisTest, ReadoutShowsThePointUnderThePointer)
{
    Tick(Box("ChartHRMCB"), true);
    Tick(Box("ChartDistCB"), true);
    Click(0);
    QLineEdit *edit = &Part<QLineEdit>(*panel, "ChartValueEdit");
    TLineChart *hrm = Chart("AnHRMChart");

    QTest::mouseMove(hrm, hrm->PointPosition(0, 0));
    EXPECT_EQ(edit->text(), "72");
    QTest::mouseMove(hrm, hrm->PointPosition(0, 2) + QPoint(-1, 1));
    EXPECT_EQ(edit->text(), "80");
    // Half way along the first line piece: the nearer end's value.
    const QPoint p0 = hrm->PointPosition(0, 0), p1 = hrm->PointPosition(0, 1);
    QTest::mouseMove(hrm, p0 + (p1 - p0) / 4);
    EXPECT_EQ(edit->text(), "72");
    QTest::mouseMove(Chart("AnDistChart"), Chart("AnDistChart")->PointPosition(0, 2));
    EXPECT_EQ(edit->text(), "12.34");

    // Away from the lines, over the empty chart: "0".
    QTest::mouseMove(hrm, p1 + QPoint(0, 60));
    EXPECT_EQ(edit->text(), "0");
    for (QCheckBox *box : ChartBoxes())
        Tick(box, false);
    ASSERT_TRUE(Chart("SpaceChart")->isVisible());
    QTest::mouseMove(Chart("SpaceChart"), QPoint(400, 200));
    EXPECT_EQ(edit->text(), "0");
}

// The time cursor: one line through every shown chart at the sample under
// the pointer, a label with the time and each series' value beside it.
TEST_F(AnalysisTest, TimeCursorReadsEveryShownSeriesAtThePointersTime)
{
    TTimeCursor *cursor = &Part<TTimeCursor>(*panel, "ChartTimeCursor");
    const auto clearOfTheLine = [cursor] {
        for (const QLine &piece : cursor->LinePieces())
            if (cursor->LabelRect().left() <= piece.x1() && piece.x1() <= cursor->LabelRect().right())
                return false;
        return cursor->LabelRect().isValid() && cursor->rect().contains(cursor->LabelRect());
    };
    Tick(Box("ChartHRMCB"), true);
    Tick(Box("ChartDistCB"), true);
    Click(0);
    TLineChart *hrm = Chart("AnHRMChart");
    // Far from the line (the readout finds nothing), at the time of sample 1.
    const QPoint at(hrm->PointPosition(0, 1).x() + 2, hrm->PlotRect().top() + 5);
    QTest::mouseMove(hrm, at);
    EXPECT_EQ(Part<QLineEdit>(*panel, "ChartValueEdit").text(), "0");
    ASSERT_TRUE(cursor->CursorShown());
    EXPECT_EQ(cursor->LabelLines(), (QStringList{"00:00:10", "Distance  1.5 km", "Heart Rate  75 bpm"}));
    ASSERT_EQ(cursor->LinePieces().size(), 2u);
    const int lineX = hrm->mapTo(panel.get(), at).x() - cursor->x();
    for (const QLine &piece : cursor->LinePieces())
        EXPECT_NEAR(piece.x1(), lineX, 3);
    EXPECT_TRUE(clearOfTheLine());
    // At the right end the label moves to the line's left.
    QTest::mouseMove(hrm, QPoint(hrm->PlotRect().right() - 1, hrm->PlotRect().center().y()));
    EXPECT_EQ(cursor->LabelLines().first(), "00:00:20");
    EXPECT_LT(cursor->LabelRect().right(), cursor->LinePieces().front().x1());
    EXPECT_TRUE(clearOfTheLine());
    // Off the plot, or leaving the chart: no cursor.
    QTest::mouseMove(hrm, QPoint(2, 2));
    EXPECT_FALSE(cursor->CursorShown());
    QTest::mouseMove(hrm, at);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(hrm, &leave);
    EXPECT_FALSE(cursor->CursorShown());

    // Compare mode: each ride by its name, with the colour of its line; a
    // ride without a sample at that time is left out.
    Tick(Box("MultiFileCB"), true);
    Tick(Box("ChartHRMCB"), true);
    Click(0);
    Click(2);
    TLineChart *multi = Chart("MultiChart");
    ASSERT_TRUE(multi->isVisible());
    QTest::mouseMove(multi, QPoint(multi->PointPosition(0, 0).x(), multi->PlotRect().center().y()));
    EXPECT_EQ(cursor->LabelLines(),
              (QStringList{"00:00:00", QString::fromStdString(A) + "  72 bpm", QString::fromStdString(C) + "  130 bpm"}));
    EXPECT_EQ(cursor->LinePieces().size(), 1u);
    EXPECT_TRUE(clearOfTheLine());
    QTest::mouseMove(multi, QPoint(multi->PointPosition(0, 1).x(), multi->PlotRect().center().y()));
    EXPECT_EQ(cursor->LabelLines(), (QStringList{"00:00:10", QString::fromStdString(A) + "  75 bpm"}));
    // A rebuild takes the cursor away until the pointer moves again.
    Click(1);
    EXPECT_FALSE(cursor->CursorShown());
}

TEST_F(AnalysisTest, AVanishedRecordShowsNoLines)
{
    Tick(Box("ChartHRMCB"), true);
    Click(0);
    ASSERT_EQ(Chart("AnHRMChart")->PointCount(0), 3);
    std::remove((db.RiderFolder + B).c_str());
    Click(1);
    EXPECT_EQ(Chart("AnHRMChart")->PointCount(0), 0);
}

} // namespace
