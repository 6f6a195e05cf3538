#pragma once
// The main window: title band with the seven image buttons, the four view
// panels laid over each other, the diagnostic panel, the long-lived service
// objects and the state shared by the views. Each view is a widget of its
// own (calendar/, views/); the main window composes them and carries what
// crosses from one view to another.
#include "calendar/ShownMonth.h"
#include "draw/WindowServices.h"

#include <QPoint>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QEvent;
class QImage;
class QTimer;
class TImage;
class TImageList;
class TKorvanDataBase;
class MultiLanguage;
class TCalenderSet;
class TViewPanel;
class TCalenderPanel;
class TSummaryPanel;
class TSportModePanel;
class TSportAnalysisPanel;
class HidPlatform;
class TDongleDownload;
class TDownloadProgress;
class TEngineerModePanel;
class TImportWindow;
class TmainForm;
class TrainingService;
class TTrainingPanel;
class TLapsForm;

enum MainView : int { mvCalender = 0, mvSportMode = 1, mvSportAnalysis = 2, mvSummary = 3, mvNone = 4 };

// The main window of the program; the other four windows that live from
// start-up to the end (LoginForm, UserAccountSetForm, DeleteAccountForm,
// LanguageForm) are declared with their classes and made by MakeWindows.
extern TmainForm *mainForm;

// Makes the four dialog windows on the main window's services and connects
// them to it; DeleteWindows deletes them.
void MakeWindows(TmainForm *main);
void DeleteWindows();

class TmainForm : public QWidget {
    Q_OBJECT
public:
    // appFolder: folder of the program files (no trailing separator); empty
    // means the folder of the executable. Tests pass a temporary folder.
    explicit TmainForm(const QString &appFolder = QString(), QWidget *parent = nullptr);
    ~TmainForm() override;

    // Start-up steps after the constructor (creation order of the program).
    void FormCreate();
    // Paints the window's backgrounds ahead of its construction (the
    // constructor then only shares them).
    static void PaintBackgrounds();
    // The login cycle: at the first activation and after a logout.
    void FormActivate();

    // ---- Services and shared state -------------------------------------
    std::string AppFolder;                  // UTF-8, no trailing '/'
    std::unique_ptr<MultiLanguage> MultiLang;
    std::unique_ptr<TKorvanDataBase> DataBase;
    std::unique_ptr<TCalenderSet> CalSet;
    QStringList MonthNames;                 // 12 names, index 0 = January
    // The shown month and its record-day marks, shared by the calendar
    // views; written through Shown only, read as ShowYear, ShowMonth, DayMarks.
    TShownMonth Shown;
    const int16_t &ShowYear;
    const int16_t &ShowMonth;
    const std::array<uint8_t, 93> &DayMarks;
    bool ExitRequested = false;
    QPoint PrintBtnHome, LogoutBtnHome;

    // Navigation and button feedback.
    std::array<bool, 7> BtnHover{};
    bool ArrowHover = false;
    int16_t EngineerClicks = 0;
    // Dongle link and download (device/), created by FormCreate with the
    // diagnostic panel and the progress view that show it. HidServices: the
    // HID services to use, given by a test before FormCreate (null: the
    // system's).
    HidPlatform *HidServices = nullptr;
    TDongleDownload *Download = nullptr;
    TEngineerModePanel *EngineerModePanel = nullptr;
    TDownloadProgress *DownloadProgress = nullptr;
    // Rides from other devices' files (import/), made by FormCreate.
    TImportWindow *ImportWindow = nullptr;

    // ---- Picture lists (shared assets) ----------------------------------
    const TImageList *MainBtnImageList = nullptr;
    const TImageList *MonthBtnImageList = nullptr;

    // ---- Controls (objectName == member name) ---------------------------
    TImage *TitleBGImage = nullptr;
    TImage *BtnImageDate = nullptr;
    TImage *BtnImageSportMode = nullptr;
    TImage *BtnImageSportAnalysis = nullptr;
    TImage *BtnKorPageImage = nullptr;
    TImage *BtnImagePrintReport = nullptr;
    TImage *BtnImageLogout = nullptr;
    TImage *BtnImageSummary = nullptr;
    TImage *MainBGImage = nullptr;

    // The four views, laid over each other below the title band.
    TCalenderPanel *CalenderPanel = nullptr;
    TSportModePanel *SportModePanel = nullptr;
    TSportAnalysisPanel *SportAnalysisPanel = nullptr;
    TSummaryPanel *SummaryPanel = nullptr;
    // The Training mode of the summary view: the rider's metrics index,
    // opened at login on a worker thread, and the panel laid over the
    // summary's sub-panels; the laps window of the details view.
    TrainingService *Training = nullptr;
    TTrainingPanel *TrainingPanel = nullptr;
    TLapsForm *LapsForm = nullptr;

    // Timers.
    QTimer *CleanTargetIMGTimer = nullptr;         // 100 ms, off
    QTimer *CleanMonthIMGTimer = nullptr;          // 100 ms, on

    // ---- Navigation ------------------------------------------------------
    void ShowView(MainView view);
    void ShowTopButtons(bool visible);
    // All translatable texts of this window (defined with the language code).
    void RefreshCaptions();

    // Makes the window unseen (login window up) or seen again. Sets the
    // window opacity and, where the platform ignores opacity, keeps the
    // window out of sight another way.
    void SetTransparent(bool transparent);

    // ---- Handlers ----------------------------------------------------------
    void BtnImageDateClick();
    void BtnImageSportModeClick();
    void BtnImageSportAnalysisClick();
    void BtnImageSummaryClick();
    void BtnKorPageImageClick();
    void BtnImagePrintReportClick();
    void BtnImageLogoutClick();

    void BtnImageDateMouseMove();
    void BtnImageSportModeMouseMove();
    void BtnImageSportAnalysisMouseMove();
    void BtnKorPageImageMouseMove();
    void BtnImagePrintReportMouseMove();
    void BtnImageLogoutMouseMove();
    void BtnImageSummaryMouseMove();
    void RestoreOtherButtons(int k);
    void CleanTargetIMGTimerTimer();

    void MonthBtnImageMouseMove(TImage *sender);
    void ArrowNLImageMouseDown();
    void ArrowNRImageMouseDown();
    void CleanMonthIMGTimerTimer();

    // The application-wide hook; never consumes the event.
    void ApplicationEvents1Message(QObject *receiver, QEvent *event);
    void SumShowImgMonthDblClick();

    // What crosses the views: the record-day marks and month captions of
    // every calendar grid, the record lists of the details and analysis
    // views, the month step of the calendar, day and week arrows.
    void FillCalendar();
    void FillRecordLists();
    void ArrowNLImageClick();
    void ArrowNRImageClick();
    // The rider's ID under the photo of every view.
    void ShowRiderID(const std::string &id);
    // Imports the files and folders (every ride file below them) into the
    // rider's folder in the import window; false when nothing started (no
    // rider, nothing given, an import running).
    bool ImportSources(const QStringList &sources);
    // Records were added to the rider's folder: the record lists and the
    // calendar show them, refreshed once for all of them.
    void RecordsFiled();
    // The services the dialog windows are made with.
    TWindowServices Services() const;

    // The login's steps in this window: a rider was chosen (the calendar
    // view with the rider's ID and photo, the record lists), the login went
    // through (the photo on every view, the calendar, the window seen).
    void RiderChosen(const QString &id, const QImage &photo);
    void LoggedIn();

    // The top buttons in the order of their index k (0..6).
    std::array<TImage *, 7> TopButtons() const;
    // Place 0..6 of top button k in the band from the left (Calendar,
    // Details, Analysis, Summary, Guide, Print, Logout): its Alt+digit and
    // its place in the Tab order.
    static int BandPlace(int k);
    // The four views in the order calendar, details, analysis, summary.
    std::array<TViewPanel *, 4> Views() const;
    // The four left and the four right month arrows.
    std::array<TImage *, 4> LeftArrows() const;
    std::array<TImage *, 4> RightArrows() const;

signals:
    // The window has closed: the program ends.
    void Closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    // Files and folders dropped onto the window are imported.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void CreateControls();
    void CreateViews();
    void ConnectHandlers();
    // Tab order and Alt+1 .. Alt+7 of the top buttons.
    void ConnectKeys();
    void MonthStep(int delta);
    void ConstructorBody();
    void TopButtonMouseMove(int k);
    void FirstActivation();
    void CreateDownload();
    // What the download tells that this window shows: its message boxes,
    // the filed record in the calendar.
    void ConnectDownload();
    void CreateImport();
    // The Training panel, the laps window and what keeps the index current
    // (app/Training.cpp).
    void CreateTraining();
    void ShowRideDetails(const QString &name);

    QObject *hook_ = nullptr;  // a TAppEventHook, calls ApplicationEvents1Message
    bool activatedOnce_ = false;
    QPoint homePos_;
};
