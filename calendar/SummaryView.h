#pragma once
// The summary view: totals of duration, distance and calories over a day,
// a week row or a month, chosen with three mode pictures; each mode has its
// own sub-panel (day grid, week grid with check boxes, month tiles).
#include "draw/ViewPanel.h"

#include <array>
#include <cstdint>

class QTimer;
class TImage;
class TKorvanDataBase;
class TShownMonth;

class TSummaryPanel : public TViewPanel {
    Q_OBJECT
public:
    TSummaryPanel(QWidget *parent, TShownMonth &shown, TKorvanDataBase &db);

    std::array<bool, 3> ModeSelected{true, false, false}; // day, week, month
    std::array<bool, 3> ModeHover{};

    QWidget *SummaryDatePanel = nullptr;
    QWidget *SummaryWeekPanel = nullptr;
    QWidget *SummaryMonthPanel = nullptr;
    TImage *SumDArrowNLImage = nullptr;
    TImage *SumDArrowNRImage = nullptr;
    TImage *SumWArrowNLImage = nullptr;
    TImage *SumWArrowNRImage = nullptr;
    TImage *SumMArrowNLImage = nullptr;
    TImage *SumMArrowNRImage = nullptr;
    TImage *SumShowImgMonth = nullptr;
    QTimer *CleanSummaryMoveInIMGTimer = nullptr; // 50 ms, off

    // Shows the sub-panel of mode 0 day, 1 week, 2 month.
    void ShowSummaryMode(std::int16_t mode);
    // The month captions; the visible day or week grid is redrawn.
    void FillCalendar(const QString &yearMonth);
    // After a month step: the totals back to zero, no week chosen.
    void ResetTotals();
    // True while a mode picture shows its hover face.
    bool AnyModeHover() const;

signals:
    // The marks and every visible grid are to be refreshed (FillCalendar).
    void FillCalendarRequested();

private:
    TShownMonth &shown_;
    TKorvanDataBase &db_;
};
