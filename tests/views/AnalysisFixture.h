#pragma once
// The analysis view of a logged-in rider ("bob") on a temporary folder
// holding the given record files, shown at the view's size, with message
// boxes answered and recorded.
#include "store/Databasecontroler.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/Parts.h"
#include "tests/support/TempFolder.h"
#include "tests/views/AnalysisParts.h"
#include "tests/views/ChartRecords.h"
#include "views/Analysis.h"
#include "views/CheckList.h"
#include "views/LineChart.h"

#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <memory>

class AnalysisFixture : public ::testing::Test {
protected:
    void Open(const std::map<std::string, ChartSeries> &records)
    {
        db.SetRootFolder(tmp.path() + "/");
        ASSERT_FALSE(db.CreateRiderFolder("bob"));
        db.CurrentID = "bob";
        db.RiderFolder = db.RootFolder + "bob/";
        for (const auto &[name, series] : records)
            writeFileBytes(db.RiderFolder + name, ChartRecordText(series));
        panel = std::make_unique<TSportAnalysisPanel>(nullptr, db);
        panel->resize(1024, 643);
        panel->LayoutCharts();
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
        panel->ResetAnalysisView();
        db.ListRecordFiles();
        panel->FillList(db.RecordFiles);
        list = &Part<TCheckList>(*panel, "FileAnalysisCLB");
    }
    // A press and release on the text of a file (x 40) or in its check column (x 5).
    void Click(int row, int x = 40)
    {
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(x, r.center().y()));
    }
    // The view's controls by name.
    QCheckBox *Box(const char *name) const { return &Part<QCheckBox>(*panel, name); }
    TLineChart *Chart(const char *name) const { return &Part<TLineChart>(*panel, name); }
    std::array<QCheckBox *, 4> ChartBoxes() const { return ChartBoxesOf(*panel); }

    TempFolder tmp;
    TKorvanDataBase db;
    std::unique_ptr<TSportAnalysisPanel> panel;
    TCheckList *list = nullptr;
    ModalAnswerer boxes;
};
