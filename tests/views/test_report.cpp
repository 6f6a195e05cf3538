// The printed report through the PDF hook: nothing to print, the charts
// really drawn into their rectangles of page 1 in the paper look (rendered
// with pdftoppm),
// the texts of the page (pdftotext).
#include "tests/views/AnalysisFixture.h"
#include "views/Report.h"

#include <QCheckBox>
#include <QImage>
#include <QLocale>
#include <QProcess>
#include <functional>

namespace {

const std::string A = "120701080000.TR9", B = "120702080000.TR9", C = "120703080000.TR9";
// Page 1 is rendered at 60 dpi: a tenth of the 600-dpi page pixels.
constexpr int kDpi = 60;

class ReportTest : public AnalysisFixture {
protected:
    void SetUp() override
    {
        std::map<std::string, ChartSeries> records;
        for (const std::string &name : {A, B, C}) {
            ChartSeries &s = records[name];
            s.hrm = RisingSeries(360, name == A ? 60 : name == B ? 90 : 120, 1);
            s.distance = RisingSeries(360, 0, 3);
            s.rpm = RisingSeries(360, 40, 1);
        }
        Open(records);
        PrintReportToPdf(QString::fromStdString(pdf));
    }
    void TearDown() override { PrintReportToPdf(QString()); }

    QImage Page1() const
    {
        const QString prefix = QString::fromStdString(tmp.file("page"));
        EXPECT_EQ(QProcess::execute("pdftoppm", {"-r", QString::number(kDpi), "-f", "1", "-l", "1", "-png",
                                                 QString::fromStdString(pdf), prefix}),
                  0);
        return QImage(prefix + "-1.png").convertToFormat(QImage::Format_RGB32);
    }
    QString Text() const
    {
        QProcess p;
        p.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput()).simplified();
    }
    // Share of the pixels inside a page-pixel rectangle (its edges left
    // out) that pass test, and their count.
    static double Share(const QImage &page, QRect pagePixels, const std::function<bool(QRgb)> &test)
    {
        const QRect r(pagePixels.topLeft() * kDpi / 600, pagePixels.bottomRight() * kDpi / 600);
        const QRect inner = r.adjusted(2, 2, -2, -2);
        return double(Count(page, pagePixels, test)) / double(inner.width() * inner.height());
    }
    static int Count(const QImage &page, QRect pagePixels, const std::function<bool(QRgb)> &test)
    {
        const QRect r(pagePixels.topLeft() * kDpi / 600, pagePixels.bottomRight() * kDpi / 600);
        const QRect inner = r.adjusted(2, 2, -2, -2);
        int n = 0;
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x)
                n += test(page.pixel(x, y)) ? 1 : 0;
        return n;
    }
    static bool NotPaper(QRgb c) { return qRed(c) < 240 || qGreen(c) < 240 || qBlue(c) < 240; }

    std::string pdf = tmp.file("report.pdf");
};

const auto Dark = [](QRgb c) { return qRed(c) < 110 && qGreen(c) < 110 && qBlue(c) < 110; };
const auto Blue = [](QRgb c) { return qBlue(c) > 150 && qRed(c) < 90 && qGreen(c) < 90; };
const auto Green = [](QRgb c) { return qGreen(c) > 90 && qRed(c) < 70 && qBlue(c) < 70; };
const auto Yellow = [](QRgb c) { return qRed(c) > 170 && qGreen(c) > 170 && qBlue(c) < 90; };
const auto Red = [](QRgb c) { return qRed(c) > 170 && qGreen(c) < 80 && qBlue(c) < 80; };

TEST_F(ReportTest, NothingToPrintWithoutABoxOrAFile)
{
    panel->PrintReport();
    Box("ChartHRMCB")->setChecked(true);
    panel->PrintReport();
    ASSERT_EQ(boxes.seen.size(), 2u);
    for (const SeenBox &b : boxes.seen) {
        EXPECT_EQ(b.text, "No any print data!");
        EXPECT_EQ(b.caption, "Error");
        EXPECT_EQ(b.icon, QMessageBox::Critical);
        EXPECT_TRUE(b.onTop);
    }
    EXPECT_FALSE(fileExists(pdf));
}

TEST_F(ReportTest, FourChartsAndOneBlockOnTheLetterPage)
{
    for (QCheckBox *box : ChartBoxes())
        box->setChecked(true);
    Click(0);
    panel->PrintReport();
    ASSERT_TRUE(boxes.seen.empty());
    const QImage page = Page1();
    ASSERT_EQ(page.size(), QSize(510, 660));
    // The charts fill 300-925, 925-1550, 1550-2175, 2175-2800 between 200 and 4900.
    const std::function<bool(QRgb)> line[4] = {Blue, Green, nullptr, Yellow};
    // On paper: a white ground with dark axes and texts, the lines in their colours.
    for (int k = 0; k < 4; ++k) {
        const QRect r(QPoint(200, 300 + 625 * k), QPoint(4900, 925 + 625 * k));
        EXPECT_LT(Share(page, r, NotPaper), 0.25) << k;
        EXPECT_GT(Count(page, r, Dark), 300) << k;
        if (line[k]) {
            EXPECT_GT(Count(page, r, line[k]), 50) << k;
        }
    }
    // The first chart's top edge runs along y 300, under the title too.
    int edge = 0;
    for (int x = 20; x < 490; ++x)
        edge += Dark(page.pixel(x, 30)) ? 1 : 0;
    EXPECT_GT(edge, 460);
    EXPECT_EQ(Count(page, QRect(QPoint(200, 2850), QPoint(4900, 3250)), NotPaper), 0);
    const QString text = Text();
    for (const char *expected : {"TR900 Analysis Report", "USER ID: bob", "File Name: 120701080000.TR9",
                                 "Duration: 01:05:30", "Distances: 12.3 KM", "Speed: 25.4 KM/H",
                                 "LAP: 1 LAPs", "KCal: 412 KCal", "HRM Max: 171 bpm", "HRM Avg: 142 bpm",
                                 "Vo2 Max: 45", "Intensity: 130~165 bpm", "RPM: 85"})
        EXPECT_TRUE(text.contains(expected)) << expected;
}

TEST_F(ReportTest, DecimalsFollowTheRidersLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Box("ChartHRMCB")->setChecked(true);
    Click(0);
    panel->PrintReport();
    QLocale::setDefault(QLocale::system());
    const QString text = Text();
    EXPECT_TRUE(text.contains("Distances: 12,3 KM")) << text.toStdString();
    EXPECT_TRUE(text.contains("Speed: 25,4 KM/H"));
}

TEST_F(ReportTest, ThreeFilesInOneChart)
{
    Box("MultiFileCB")->setChecked(true);
    Box("ChartHRMCB")->setChecked(true);
    for (int row = 0; row < 3; ++row)
        Click(row);
    panel->PrintReport();
    const QImage page = Page1();
    const QRect chart(QPoint(200, 300), QPoint(4900, 3100));
    EXPECT_GT(Count(page, chart, Red), 50);
    EXPECT_GT(Count(page, chart, Green), 50);
    EXPECT_GT(Count(page, chart, Blue), 50);
    const QString text = Text();
    for (const std::string &name : {A, B, C})
        EXPECT_TRUE(text.contains(QString::fromStdString("File Name: " + name))) << name;
    // The blocks start at 3576, 4542 and 5508: text in each of their first lines.
    for (int y : {3576, 4542, 5508})
        EXPECT_GT(Count(page, QRect(QPoint(200, y), QPoint(2500, y + 138)), NotPaper), 20) << y;
}

} // namespace
