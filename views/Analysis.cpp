#include "views/Analysis.h"

#include "draw/Controls.h"
#include "draw/Dialogs.h"
#include "lang/Multilan.h"
#include "store/Databasecontroler.h"
#include "views/ChartData.h"
#include "views/CheckList.h"
#include "views/LineChart.h"
#include "views/RecordValues.h"
#include "views/Report.h"
#include "views/TimeCursor.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kChartLeft = 232;
constexpr int kChartWidth = 769;
const QRect kListRect(24, 236, 192, 397);
const QRect kBarRect(kChartLeft, 548, kChartWidth, 85);

QColor ColourOf(uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

// A press on a box's caption toggles the box, as a press on the box does.
class TCaptionToggles : public QObject {
public:
    TCaptionToggles(QLabel *caption, QCheckBox *box) : QObject(caption), box_(box)
    {
        caption->installEventFilter(this);
        caption->setCursor(Qt::PointingHandCursor);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && box_->isEnabled())
            box_->toggle();
        return false;
    }

private:
    QCheckBox *box_;
};

QCheckBox *NewCheckBox(QWidget *parent, const char *name, QPoint at)
{
    auto *box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(at.x(), at.y(), 20, 24);
    return box;
}

} // namespace

TSportAnalysisPanel::TSportAnalysisPanel(QWidget *parent, TKorvanDataBase &db)
    : TViewPanel(parent, "SportAnalysisPanel", "SportAnalysisBGImage", "AnalyAccountImage"), db_(db)
{
    CreateControls();
    ConnectHandlers();
}

void TSportAnalysisPanel::CreateControls()
{
    FileAnalysisCLB = new TCheckList(this, "FileAnalysisCLB");
    FileAnalysisCLB->setGeometry(kListRect);

    auto *bar = new QFrame(this);
    bar->setGeometry(kBarRect);
    bar->setStyleSheet(QStringLiteral("QFrame { border: 1px solid white; border-radius: 6px; background:"
                                      " qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #4A4A4A, stop: 1 #1E1E1E); }"));

    // Row 1: the four chart boxes, then the multi-file switch; row 2: the readout.
    const int row1 = kBarRect.top() + 12, row2 = kBarRect.top() + 48;
    struct Box {
        QCheckBox *TSportAnalysisPanel::*box;
        QLabel *TSportAnalysisPanel::*caption;
        const char *boxName, *captionName, *text;
        int left;
    };
    const Box boxes[] = {
        {&TSportAnalysisPanel::ChartDistCB, &TSportAnalysisPanel::DistLab, "ChartDistCB", "DistLab", "Distance", 16},
        {&TSportAnalysisPanel::ChartHRMCB, &TSportAnalysisPanel::HRMLab, "ChartHRMCB", "HRMLab", "Heart Rate", 146},
        {&TSportAnalysisPanel::ChartSPDCB, &TSportAnalysisPanel::SPDLab, "ChartSPDCB", "SPDLab", "Speed", 276},
        {&TSportAnalysisPanel::ChartRPMCB, &TSportAnalysisPanel::RPMLab, "ChartRPMCB", "RPMLab", "RPM", 406},
        {&TSportAnalysisPanel::MultiFileCB, &TSportAnalysisPanel::MultiFileLab, "MultiFileCB", "MultiFileLab",
         "Multi-File", 600},
    };
    for (const Box &b : boxes) {
        const int x = kBarRect.left() + b.left;
        this->*b.box = NewCheckBox(this, b.boxName, QPoint(x, row1));
        this->*b.caption = NewLabel(this, b.captionName, QString::fromLatin1(b.text), QRect(x + 24, row1, 100, 24));
        new TCaptionToggles(this->*b.caption, this->*b.box);
    }
    SetBold(MultiFileLab);

    ChartValueLab = NewLabel(this, "ChartValueLab", QStringLiteral("Value"), QRect(kBarRect.left() + 16, row2, 60, 24));
    ChartValueEdit = new QLineEdit(QStringLiteral("0"), this);
    ChartValueEdit->setObjectName(QStringLiteral("ChartValueEdit"));
    ChartValueEdit->setReadOnly(true);
    ChartValueEdit->setFocusPolicy(Qt::NoFocus);
    ChartValueEdit->setGeometry(kBarRect.left() + 80, row2, 120, 24);

    // The six charts share one place; the single-file ones are stacked in it.
    const QRect area(kChartLeft, ChartAreaTop, kChartWidth, ChartAreaHeight);
    const std::pair<TLineChart *TSportAnalysisPanel::*, const char *> singles[] = {
        {&TSportAnalysisPanel::AnDistChart, "AnDistChart"},
        {&TSportAnalysisPanel::AnHRMChart, "AnHRMChart"},
        {&TSportAnalysisPanel::AnSPDChart, "AnSPDChart"},
        {&TSportAnalysisPanel::AnRPMChart, "AnRPMChart"},
    };
    for (int kind = 0; kind < 4; ++kind) {
        TLineChart *chart = new TLineChart(this, singles[kind].second, 1, false);
        chart->setGeometry(area);
        chart->SetTitle(QString::fromLatin1(Quantity(kind).chartTitle));
        chart->hide();
        this->*singles[kind].first = chart;
    }
    MultiChart = new TLineChart(this, "MultiChart", 3, true);
    MultiChart->setGeometry(area);
    MultiChart->hide();
    ClearMultiSeries();
    SpaceChart = new TLineChart(this, "SpaceChart", 0, false);
    SpaceChart->setGeometry(area);
    ChartCursor = new TTimeCursor(this, area);

    setStyleSheet(QStringLiteral(
        "#FileAnalysisCLB { background: #262626; color: white; border: 1px solid white; border-radius: 6px;"
        " padding: 2px; }"
        "#FileAnalysisCLB::item { height: 22px; padding-left: 0; }"
        "#FileAnalysisCLB::indicator { width: 10px; height: 10px; border: 1px solid white; border-radius: 2px;"
        " background: #3A3A3A; }"
        "#FileAnalysisCLB::indicator:checked { background: #E79333; }"
        "#FileAnalysisCLB::item:selected { background: #4A4A4A; color: #E79333; }"
        "#ChartValueEdit { background: #262626; color: #E79333; border: 1px solid white; border-radius: 4px;"
        " padding: 0 6px; font-weight: bold; }"));
}

void TSportAnalysisPanel::ConnectHandlers()
{
    connect(ChartDistCB, &QCheckBox::toggled, this, &TSportAnalysisPanel::ChartDistCBClick);
    connect(ChartHRMCB, &QCheckBox::toggled, this, &TSportAnalysisPanel::ChartHRMCBClick);
    connect(ChartSPDCB, &QCheckBox::toggled, this, &TSportAnalysisPanel::ChartSPDCBClick);
    connect(ChartRPMCB, &QCheckBox::toggled, this, &TSportAnalysisPanel::ChartRPMCBClick);
    connect(MultiFileCB, &QCheckBox::toggled, this, &TSportAnalysisPanel::MultiFileCBClick);
    connect(FileAnalysisCLB, &TCheckList::Pressed, this, &TSportAnalysisPanel::FileAnalysisCLBMouseDown);
    connect(FileAnalysisCLB, &TCheckList::Released, this, &TSportAnalysisPanel::FileAnalysisCLBMouseUp);
    for (TLineChart *chart : {AnDistChart, AnHRMChart, AnSPDChart, AnRPMChart, MultiChart, SpaceChart}) {
        connect(chart, &TLineChart::MouseMoved, this, &TSportAnalysisPanel::CommonChartMouseMove);
        connect(chart, &TLineChart::MouseLeft, ChartCursor, &TTimeCursor::Hide);
    }
}

std::array<QCheckBox *, 4> TSportAnalysisPanel::ChartBoxes() const
{
    return {ChartDistCB, ChartHRMCB, ChartSPDCB, ChartRPMCB};
}

std::array<TLineChart *, 4> TSportAnalysisPanel::SingleCharts() const
{
    return {AnDistChart, AnHRMChart, AnSPDChart, AnRPMChart};
}

std::array<bool, 4> TSportAnalysisPanel::Ticked() const
{
    std::array<bool, 4> ticked{};
    for (std::size_t k = 0; k < 4; ++k)
        ticked[k] = ChartBoxes()[k]->isChecked();
    return ticked;
}

void TSportAnalysisPanel::FillList(const std::vector<std::string> &names)
{
    FileAnalysisCLB->SetNames(names);
}

void TSportAnalysisPanel::ResetAnalysisView()
{
    for (QCheckBox *box : ChartBoxes())
        box->setChecked(false);
    MultiFileCB->setChecked(false);
    for (TLineChart *chart : SingleCharts())
        chart->hide();
    MultiChart->hide();
    SpaceChart->show();
}

void TSportAnalysisPanel::LayoutCharts()
{
    ChartCursor->Hide();
    MultiChart->hide();
    SpaceChart->hide();
    const TChartStack stack = StackCharts(Ticked(), FileAnalysisCLB->MarkedCount() > 0);
    for (std::size_t k = 0; k < 4; ++k) {
        TLineChart *chart = SingleCharts()[k];
        if (stack.height > 0)
            chart->resize(kChartWidth, stack.height);
        if (stack.shown[k])
            chart->move(kChartLeft, stack.top[k]);
        chart->setVisible(stack.shown[k]);
    }
    SpaceChart->setVisible(stack.spaceShown);
}

void TSportAnalysisPanel::ClearMultiSeries()
{
    for (int position = 0; position < MultiChart->SeriesCount(); ++position) {
        MultiChart->ClearSeries(position);
        MultiChart->SetSeriesTitle(position, QStringLiteral("File%1").arg(position + 1));
        MultiChart->SetSeriesActive(position, false);
    }
}

void TSportAnalysisPanel::BuildMultiChart(int kind)
{
    if (ChartBusy)
        return;
    ChartBusy = true;
    ChartCursor->Hide();
    for (TLineChart *chart : SingleCharts())
        chart->hide();
    SpaceChart->show();
    MultiChart->move(kChartLeft, ChartAreaTop);
    const std::array<QCheckBox *, 4> boxes = ChartBoxes();
    if (kind == ckReset) {
        for (QCheckBox *box : boxes)
            box->setChecked(false);
        MultiChart->SetTitle(QString());
        MultiChart->hide();
        ChartBusy = false;
        return;
    }
    if (kind >= 0 && kind < 4 && boxes[std::size_t(kind)]->isChecked()) {
        for (int other = 0; other < 4; ++other)
            if (other != kind)
                boxes[std::size_t(other)]->setChecked(false);
        SpaceChart->hide();
        MultiChart->SetTitle(QString::fromLatin1(Quantity(kind).multiTitle));
        MultiChart->show();
    }
    ClearMultiSeries();
    MultiChart->hide();
    SpaceChart->show();

    int position = 0;
    for (int row : FileAnalysisCLB->MarkedRows()) {
        if (position >= MultiChart->SeriesCount())
            break;
        const std::string name = FileAnalysisCLB->item(row)->text().toStdString();
        MultiChart->SetSeriesTitle(position, QString::fromStdString(name));
        const bool read = ReadRecord(name);
        MultiChart->SetSeriesActive(position, true);
        const int quantity = MultiKind(Ticked());
        if (quantity != ckReset) {
            FillQuantity(quantity, MultiChart, SeriesColours[std::size_t(position)], position, read);
            MultiChart->show();
            SpaceChart->hide();
        }
        ++position;
    }
    QCoreApplication::processEvents();
    ChartBusy = false;
}

bool TSportAnalysisPanel::ReadRecord(const std::string &name)
{
    // A record that has vanished shows no lines rather than those of the
    // record read before it.
    return db_.ReadRecord(name) == 0;
}

void TSportAnalysisPanel::FillQuantity(int kind, TLineChart *chart, uint32_t colour, int position, bool recordRead)
{
    const TQuantity &q = Quantity(kind);
    if (recordRead)
        db_.ReadSeries(q.heading);
    FillSeries(recordRead ? db_.SeriesText : std::string(), chart, q.divisor, colour, position);
}

void TSportAnalysisPanel::FillSeries(const std::string &text, TLineChart *chart, int divisor, uint32_t colour,
                                     int position)
{
    chart->SetSeries(position, SeriesValues(text, divisor), ColourOf(colour));
}

void TSportAnalysisPanel::ChartBoxClick(int kind)
{
    if (MultiFileCB->isChecked()) {
        BuildMultiChart(kind);
        return;
    }
    LayoutCharts();
}

void TSportAnalysisPanel::ChartDistCBClick() { ChartBoxClick(ckDistance); }
void TSportAnalysisPanel::ChartHRMCBClick() { ChartBoxClick(ckHeartRate); }
void TSportAnalysisPanel::ChartSPDCBClick() { ChartBoxClick(ckSpeed); }
void TSportAnalysisPanel::ChartRPMCBClick() { ChartBoxClick(ckCadence); }

void TSportAnalysisPanel::MultiFileCBClick()
{
    SpaceChart->show();
    for (QCheckBox *box : ChartBoxes())
        box->setChecked(false);
    if (MultiFileCB->isChecked()) {
        BuildMultiChart(ckReset);
    } else {
        for (int position = 0; position < MultiChart->SeriesCount(); ++position)
            MultiChart->ClearSeries(position);
        FileAnalysisCLB->UnmarkOthers(-1);
        LayoutCharts();
    }
    FileAnalysisCLB->UnmarkOthers(-1);
}

void TSportAnalysisPanel::FileAnalysisCLBMouseDown(int x)
{
    const int row = FileAnalysisCLB->currentRow();
    if (row < 0)
        return;
    PressedIndex = row;
    if (x >= TCheckList::CheckColumn)
        FileAnalysisCLB->ToggleMarked(row);
}

void TSportAnalysisPanel::FileAnalysisCLBMouseUp(int)
{
    if (FileAnalysisCLB->currentRow() < 0)
        return;
    if (PressedIndex >= 0 && PressedIndex < FileAnalysisCLB->count())
        FileAnalysisCLB->setCurrentRow(PressedIndex);
    const int row = FileAnalysisCLB->currentRow();
    const bool multi = MultiFileCB->isChecked();
    if (multi && FileAnalysisCLB->MarkedCount() > 3) {
        FileAnalysisCLB->SetMarked(row, false);
        QCoreApplication::processEvents();
        ShowMessage(this, QStringLiteral("Could not select more than 3 files!"), QStringLiteral("info"),
                    QMessageBox::Information, true);
        return;
    }
    if (multi) {
        BuildMultiChart(MultiKind(Ticked()));
        return;
    }
    FileAnalysisCLB->UnmarkOthers(row);
    LayoutCharts();
    const bool read = ReadRecord(FileAnalysisCLB->item(row)->text().toStdString());
    for (int kind : {ckHeartRate, ckDistance, ckSpeed, ckCadence})
        FillQuantity(kind, SingleCharts()[std::size_t(kind)], SeriesColours[std::size_t(Quantity(kind).colourEntry)],
                     0, read);
}

bool TSportAnalysisPanel::FindPointValue(int x, int y, TLineChart *chart)
{
    double value = 0;
    if (!chart->FindPointValue(QPoint(x, y), value))
        return false;
    ReadoutValue = value;
    return true;
}

void TSportAnalysisPanel::CommonChartMouseMove(TLineChart *chart, QPoint pos)
{
    const bool found = FindPointValue(pos.x(), pos.y(), chart);
    ChartValueEdit->setText(
        QString::fromStdString(ReadoutText(found, ReadoutValue, QLocale().decimalPoint().toStdString())));
    ChartCursor->Follow(chart, pos, CursorCharts());
}

std::vector<TCursorChart> TSportAnalysisPanel::CursorCharts() const
{
    if (MultiChart->isVisible())
        return {{MultiChart, MultiKind(Ticked()), QString()}};
    const std::array<QLabel *, 4> captions{DistLab, HRMLab, SPDLab, RPMLab};
    std::vector<TCursorChart> shown;
    for (int kind = 0; kind < 4; ++kind)
        if (SingleCharts()[std::size_t(kind)]->isVisible())
            shown.push_back({SingleCharts()[std::size_t(kind)], kind, captions[std::size_t(kind)]->text()});
    return shown;
}

void TSportAnalysisPanel::PrintReport()
{
    const std::array<bool, 4> ticked = Ticked();
    const std::vector<int> marked = FileAnalysisCLB->MarkedRows();
    if (MultiKind(ticked) == ckReset || marked.empty()) {
        ShowMessage(this, QStringLiteral("No any print data!"), QStringLiteral("Error"), QMessageBox::Critical, true);
        return;
    }
    const bool multi = MultiFileCB->isChecked();
    const auto layoutPage = [&](int W, int H, int R) {
        std::vector<TReportTotals> blocks;
        // Decimals as the details view shows them, with the locale's separator.
        const auto local = [](const std::string &text) {
            return RecordValues::LocalDecimal(text, QLocale()).toStdString();
        };
        for (int row : marked) {
            const std::string name = FileAnalysisCLB->item(row)->text().toStdString();
            db_.ReadRecord(name);
            blocks.push_back({name, db_.ExerciseTime, local(db_.DistanceText), db_.CadenceAvgText,
                              local(db_.SpeedAvgText), db_.LapCountText, db_.KcalText, db_.HrMaxText,
                              db_.HrAvgText, db_.Vo2MaxText, db_.HrLimitText});
        }
        return ReportLayout(W, H, R, ticked, multi, db_.CurrentID, blocks);
    };
    const auto drawChart = [this](QPainter &painter, int kind, const QRectF &target) {
        (kind < 0 ? MultiChart : SingleCharts()[std::size_t(kind)])->RenderInto(painter, target, ChartLook::Paper);
    };
    if (::PrintReport(this, layoutPage, drawChart) == PrintOutcome::Failed)
        ShowMessage(this, QStringLiteral("The report could not be printed."), QStringLiteral("Error"),
                    QMessageBox::Critical, true);
}

void TSportAnalysisPanel::RefreshCaptions(const MultiLanguage &lang)
{
    DistLab->setText(lang.CL("Distance"));
    HRMLab->setText(lang.CL("Heart Rate"));
    SPDLab->setText(lang.CL("Speed"));
    RPMLab->setText(lang.CL("RPM"));
    MultiFileLab->setText(lang.CL("Multi-File"));
    ChartValueLab->setText(lang.CL("Value"));
}

void TSportAnalysisPanel::FormCreate()
{
    LayoutCharts();
    ChartBusy = false;
    SpaceChart->move(SpaceChart->x(), 10);
}
