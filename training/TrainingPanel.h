#pragma once
// The Training panel: fitness, fatigue and form over a chosen range, the
// weeks or months of a year as bars with the year before as a line, their
// time in zones, the personal bests of the year and of all time, a search
// of the notes, and the rider's profile. It draws what the training
// service holds and shows the progress of a first build.
#include "training/TrainingSeries.h"

#include <QWidget>
#include <string>
#include <unordered_map>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;
class MultiLanguage;
class TFitnessChart;
class TPeriodChart;
class TrainingService;

class TTrainingPanel : public QWidget {
    Q_OBJECT
public:
    TTrainingPanel(QWidget *parent, TrainingService &service);

    // The captions in the chosen language (null: English).
    void RefreshCaptions(const MultiLanguage *lang);
    // Draws everything again from the service's rides.
    void Fill();
    int ShownYear() const { return year_; }
    void SetYear(int year);
    // The profile window on the rider's profile; Saved applies it.
    void EditProfile();

signals:
    // A bar was chosen: the calendar is to show this day's week or month.
    void PeriodChosen(int year, int month, int day, bool week);
    // A best or a search result was chosen: the ride is to be shown.
    void RideChosen(const QString &name);

private:
    void CreateControls();
    void FillBars();
    void FillBests();
    void Search();
    void ShowProgress(int done, int total);
    QString C(const char *english) const;

    TrainingService &service_;
    const MultiLanguage *lang_ = nullptr;
    int year_ = 0;
    std::vector<FitnessDay> series_;
    // Where each ride of the service's snapshot stands, by name (set by Fill).
    std::unordered_map<std::string, std::size_t> rideAt_;
    const RideSummary *RideNamed(const std::string &name) const;

    QProgressBar *BuildProgress = nullptr;
    TFitnessChart *FitnessChart = nullptr;
    QComboBox *FitnessRangeBox = nullptr;
    QPushButton *TrainingYearLeft = nullptr;
    QLabel *TrainingYearLab = nullptr;
    QPushButton *TrainingYearRight = nullptr;
    QComboBox *PeriodBox = nullptr;
    QComboBox *QuantityBox = nullptr;
    TPeriodChart *WeeklyChart = nullptr;
    TPeriodChart *ZoneChart = nullptr;
    QTableWidget *BestsTable = nullptr;
    QLineEdit *NotesSearchEdit = nullptr;
    QListWidget *SearchResultList = nullptr;
    QPushButton *ProfileBtn = nullptr;
};
