#include "training/TrainingPanel.h"

#include "draw/Controls.h"
#include "draw/DarkStyle.h"
#include "lang/Multilan.h"
#include "training/ProfileForm.h"
#include "training/TrainingCharts.h"
#include "training/TrainingService.h"

#include <QComboBox>
#include <QDate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <climits>
#include <functional>
#include <optional>

namespace {

const int kRangeMonths[4] = {3, 6, 12, 0};

const char *const kStyle = R"(
#TrainingPanel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3c3c3c, stop:1 #1a1a1a);
  border-radius: 12px; }
QLabel { color: white; font-weight: bold; }
QLabel#TrainingYearLab { font-size: 18px; }
)";

// Enter on a table or list chooses its current entry.
class TEnterFilter : public QObject {
public:
    TEnterFilter(QObject *parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                action_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

} // namespace

TTrainingPanel::TTrainingPanel(QWidget *parent, TrainingService &service) : QWidget(parent), service_(service)
{
    setObjectName("TrainingPanel");
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(DarkButtonRules() + DarkBoxRules() + QString::fromLatin1(kStyle));
    year_ = QDate::currentDate().year();
    CreateControls();
    connect(&service_, &TrainingService::Changed, this, &TTrainingPanel::Fill);
    connect(&service_, &TrainingService::Progress, this, &TTrainingPanel::ShowProgress);
    RefreshCaptions(nullptr);
    Fill();
}

void TTrainingPanel::CreateControls()
{
    const int w = 652;
    FitnessRangeBox = NewComboBox(this, "FitnessRangeBox", QRect(0, 0, 130, 26));
    FitnessRangeBox->addItems({"3 months", "6 months", "12 months", "All"});
    FitnessRangeBox->setCurrentIndex(1);
    BuildProgress = new QProgressBar(this);
    BuildProgress->setObjectName("BuildProgress");
    BuildProgress->setGeometry(140, 3, 360, 20);
    BuildProgress->hide();
    ProfileBtn = NewButton(this, "ProfileBtn", "Profile", QRect(w - 100, 0, 100, 26));
    FitnessChart = new TFitnessChart(this);
    FitnessChart->setGeometry(0, 30, w, 160);

    TrainingYearLeft = NewButton(this, "TrainingYearLeft", "<", QRect(0, 198, 30, 26));
    TrainingYearLab = NewLabel(this, "TrainingYearLab", QString(), QRect(34, 198, 70, 26));
    TrainingYearLab->setAlignment(Qt::AlignCenter);
    TrainingYearRight = NewButton(this, "TrainingYearRight", ">", QRect(108, 198, 30, 26));
    PeriodBox = NewComboBox(this, "PeriodBox", QRect(150, 198, 110, 26));
    PeriodBox->addItems({"Weeks", "Months"});
    QuantityBox = NewComboBox(this, "QuantityBox", QRect(270, 198, 110, 26));
    QuantityBox->addItems({"Distance", "Time", "Load"});
    WeeklyChart = new TPeriodChart(this, "WeeklyChart", false);
    WeeklyChart->setGeometry(0, 230, w, 130);
    ZoneChart = new TPeriodChart(this, "ZoneChart", true);
    ZoneChart->setGeometry(0, 366, w, 84);
    ZoneChart->setCursor(Qt::ArrowCursor);

    BestsTable = new QTableWidget(0, 3, this);
    BestsTable->setObjectName("BestsTable");
    BestsTable->setGeometry(0, 458, 452, 160);
    BestsTable->verticalHeader()->hide();
    BestsTable->verticalHeader()->setDefaultSectionSize(18);
    BestsTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    BestsTable->setColumnWidth(1, 146);
    BestsTable->setColumnWidth(2, 146);
    BestsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    BestsTable->setSelectionBehavior(QAbstractItemView::SelectItems);
    BestsTable->setSelectionMode(QAbstractItemView::SingleSelection);
    NotesSearchEdit = new QLineEdit(this);
    NotesSearchEdit->setObjectName("NotesSearchEdit");
    NotesSearchEdit->setGeometry(460, 458, w - 460, 26);
    NotesSearchEdit->setClearButtonEnabled(true);
    SearchResultList = new QListWidget(this);
    SearchResultList->setObjectName("SearchResultList");
    SearchResultList->setGeometry(460, 490, w - 460, 128);
    setTabOrder(FitnessRangeBox, ProfileBtn);
    setTabOrder(ProfileBtn, FitnessChart);
    setTabOrder(FitnessChart, TrainingYearLeft);
    setTabOrder(TrainingYearLeft, TrainingYearRight);
    setTabOrder(TrainingYearRight, PeriodBox);
    setTabOrder(PeriodBox, QuantityBox);
    setTabOrder(QuantityBox, WeeklyChart);
    setTabOrder(WeeklyChart, ZoneChart);
    setTabOrder(ZoneChart, BestsTable);
    setTabOrder(BestsTable, NotesSearchEdit);
    setTabOrder(NotesSearchEdit, SearchResultList);

    connect(FitnessRangeBox, &QComboBox::currentIndexChanged, this, [this](int i) {
        const int last = series_.empty() ? 0 : series_.back().day;
        FitnessChart->SetSeries(series_, RangeFirstDay(last, kRangeMonths[std::clamp(i, 0, 3)]));
    });
    connect(TrainingYearLeft, &QPushButton::clicked, this, [this] { SetYear(year_ - 1); });
    connect(TrainingYearRight, &QPushButton::clicked, this, [this] { SetYear(year_ + 1); });
    connect(PeriodBox, &QComboBox::currentIndexChanged, this, &TTrainingPanel::FillBars);
    connect(QuantityBox, &QComboBox::currentIndexChanged, this, &TTrainingPanel::FillBars);
    connect(WeeklyChart, &TChartBase::EntryChosen, this, [this](int i) {
        const CalendarDate d = DateOfDay(WeeklyChart->Bars()[std::size_t(i)].period.first);
        const bool week = PeriodBox->currentIndex() == 0;
        // A week that starts in December of the year before is shown in January.
        const CalendarDate shown = week && d.year < year_ ? CalendarDate{year_, 1, 1} : d;
        emit PeriodChosen(shown.year, shown.month, shown.day, week);
    });
    connect(ProfileBtn, &QPushButton::clicked, this, &TTrainingPanel::EditProfile);
    const auto chooseBest = [this] {
        QTableWidgetItem *item = BestsTable->currentItem();
        if (item != nullptr && !item->data(Qt::UserRole).toString().isEmpty())
            emit RideChosen(item->data(Qt::UserRole).toString());
    };
    connect(BestsTable, &QTableWidget::cellDoubleClicked, this, chooseBest);
    BestsTable->installEventFilter(new TEnterFilter(BestsTable, chooseBest));
    const auto chooseResult = [this] {
        if (QListWidgetItem *item = SearchResultList->currentItem())
            emit RideChosen(item->data(Qt::UserRole).toString());
    };
    connect(SearchResultList, &QListWidget::itemDoubleClicked, this, chooseResult);
    SearchResultList->installEventFilter(new TEnterFilter(SearchResultList, chooseResult));
    connect(NotesSearchEdit, &QLineEdit::textChanged, this, &TTrainingPanel::Search);
    connect(NotesSearchEdit, &QLineEdit::returnPressed, this, [this, chooseResult] {
        if (SearchResultList->count() > 0) {
            SearchResultList->setCurrentRow(SearchResultList->currentRow() < 0 ? 0 : SearchResultList->currentRow());
            chooseResult();
        }
    });
}

QString TTrainingPanel::C(const char *english) const
{
    return lang_ != nullptr ? lang_->CL(QString::fromUtf8(english)) : QString::fromUtf8(english);
}

void TTrainingPanel::RefreshCaptions(const MultiLanguage *lang)
{
    lang_ = lang;
    const char *const ranges[4] = {"3 months", "6 months", "12 months", "All"};
    for (int i = 0; i < 4; ++i)
        FitnessRangeBox->setItemText(i, C(ranges[i]));
    PeriodBox->setItemText(0, C("Weeks"));
    PeriodBox->setItemText(1, C("Months"));
    QuantityBox->setItemText(0, C("Distance"));
    QuantityBox->setItemText(1, C("Time"));
    QuantityBox->setItemText(2, C("Load"));
    ProfileBtn->setText(C("Profile"));
    NotesSearchEdit->setPlaceholderText(C("Search notes"));
    FitnessChart->SetCaptions({C("Fitness"), C("Fatigue"), C("Form"), C("Load")});
    BestsTable->setHorizontalHeaderLabels({C("Personal Bests"), C("This Year"), C("All Time")});
    FillBars();
    FillBests();
}

void TTrainingPanel::ShowProgress(int done, int total)
{
    BuildProgress->setMaximum(std::max(1, total));
    BuildProgress->setValue(done);
    BuildProgress->setVisible(done < total);
}

void TTrainingPanel::Fill()
{
    if (service_.Ready())
        BuildProgress->hide();
    const std::vector<RideSummary> &rides = service_.Rides();
    rideAt_.clear();
    for (std::size_t i = 0; i < rides.size(); ++i)
        rideAt_[rides[i].name] = i;
    const int today = DayNumber(QDate::currentDate().year(), QDate::currentDate().month(), QDate::currentDate().day());
    const int last = rides.empty() ? today : std::max(today, DayOf(rides.back()));
    series_ = FitnessSeries(rides, last);
    FitnessChart->SetSeries(series_, RangeFirstDay(last, kRangeMonths[std::clamp(FitnessRangeBox->currentIndex(), 0, 3)]));
    FillBars();
    FillBests();
    Search();
}

void TTrainingPanel::SetYear(int year)
{
    year_ = std::clamp(year, 1980, 2100);
    FillBars();
    FillBests();
}

void TTrainingPanel::FillBars()
{
    TrainingYearLab->setText(QString::number(year_));
    const auto grouping = PeriodBox->currentIndex() == 1 ? BarGrouping::Month : BarGrouping::Week;
    const int q = std::clamp(QuantityBox->currentIndex(), 0, 2);
    const BarQuantity quantities[3] = {BarQuantity::Distance, BarQuantity::Time, BarQuantity::Load};
    const char *const units[3] = {"km", "h", ""};
    const std::vector<PeriodBar> bars = PeriodBars(service_.Rides(), year_, grouping, quantities[q]);
    WeeklyChart->SetBars(bars, C(units[q]), C("rides"));
    ZoneChart->SetBars(bars, QString(), C("rides"));
}

void TTrainingPanel::FillBests()
{
    const std::vector<RideSummary> &rides = service_.Rides();
    const PeriodBests year = BestsOf(rides, YearPeriod(year_));
    const PeriodBests all = BestsOf(rides, {INT_MIN / 2, INT_MAX / 2});
    struct Row {
        const char *caption;
        std::function<std::optional<RideBest>(const PeriodBests &)> best;
        const char *unit;
        bool clock;
        int decimals = 1; // heart rates in whole beats, so a row fits its column
    };
    const std::vector<Row> rows = {
        {"Longest Distance", [](const PeriodBests &b) { return b.longestDistance; }, "km", false},
        {"Longest Time", [](const PeriodBests &b) { return b.longestTime; }, "", true},
        {"Fastest Average", [](const PeriodBests &b) { return b.highestAverageSpeed; }, "km/h", false},
        {"Best 5 min Speed", [](const PeriodBests &b) { return b.speed[0]; }, "km/h", false},
        {"Best 20 min Speed", [](const PeriodBests &b) { return b.speed[1]; }, "km/h", false},
        {"Best 60 min Speed", [](const PeriodBests &b) { return b.speed[2]; }, "km/h", false},
        {"Best 5 min HR", [](const PeriodBests &b) { return b.heartRate[0]; }, "bpm", false, 0},
        {"Best 20 min HR", [](const PeriodBests &b) { return b.heartRate[1]; }, "bpm", false, 0},
        {"Best 60 min HR", [](const PeriodBests &b) { return b.heartRate[2]; }, "bpm", false, 0},
    };
    BestsTable->setRowCount(int(rows.size()) + 1);
    const auto dateOf = [this](const std::string &name) {
        const RideSummary *r = RideNamed(name);
        return r != nullptr ? QString::asprintf("%04d-%02d-%02d", r->year, r->month, r->day) : QString();
    };
    const auto cell = [&](int row, int column, const std::optional<RideBest> &best, const Row &kind) {
        auto *item = new QTableWidgetItem();
        if (best) {
            const QString value = kind.clock ? QString::fromStdString(HoursMinutes(qint64(best->value)))
                                             : QString::number(best->value, 'f', kind.decimals) + " " + C(kind.unit);
            item->setText(value + "  " + dateOf(best->ride));
            item->setData(Qt::UserRole, QString::fromStdString(best->ride));
        } else {
            item->setText("-");
        }
        BestsTable->setItem(row, column, item);
    };
    for (int r = 0; r < int(rows.size()); ++r) {
        BestsTable->setItem(r, 0, new QTableWidgetItem(C(rows[std::size_t(r)].caption)));
        cell(r, 1, rows[std::size_t(r)].best(year), rows[std::size_t(r)]);
        cell(r, 2, rows[std::size_t(r)].best(all), rows[std::size_t(r)]);
    }
    const int last = int(rows.size());
    BestsTable->setItem(last, 0, new QTableWidgetItem(C("Hardest Week")));
    for (int c = 1; c <= 2; ++c) {
        const std::optional<WeekLoad> &week = (c == 1 ? year : all).mostLoadWeek;
        BestsTable->setItem(last, c, new QTableWidgetItem(week ? QString::number(week->load, 'f', 0) + "  " +
                                                                     DayText(week->firstDay)
                                                               : QString("-")));
    }
}

const RideSummary *TTrainingPanel::RideNamed(const std::string &name) const
{
    const std::vector<RideSummary> &rides = service_.Rides();
    const auto at = rideAt_.find(name);
    if (at == rideAt_.end() || at->second >= rides.size() || rides[at->second].name != name)
        return nullptr;
    return &rides[at->second];
}

void TTrainingPanel::Search()
{
    SearchResultList->clear();
    for (const std::string &name : service_.Search(NotesSearchEdit->text().toStdString())) {
        QString text = QString::fromStdString(name);
        if (const RideSummary *r = RideNamed(name))
            text = QString::asprintf("%04d-%02d-%02d %02d:%02d  ", r->year, r->month, r->day, r->hour, r->minute) +
                   text;
        auto *item = new QListWidgetItem(text, SearchResultList);
        item->setData(Qt::UserRole, QString::fromStdString(name));
    }
}

void TTrainingPanel::EditProfile()
{
    int usedMax = 0;
    if (!service_.Rides().empty())
        usedMax = service_.Rides().back().metrics.hrMax;
    TProfileForm form(this, lang_);
    form.Load(service_.ProfilePath(), service_.CurrentProfile(), service_.AccountGender(), usedMax);
    connect(&form, &TProfileForm::Saved, this, [this](const Profile &p) { service_.SetProfile(p); });
    form.exec();
}
