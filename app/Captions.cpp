// The main window's captions: its title, the month names, the captions in
// its top buttons and their tooltips; each view refreshes its own.
#include "app/Main.h"

#include "calendar/CalendarView.h"
#include "calendar/SummaryView.h"
#include "draw/Assets.h"
#include "draw/Fonts.h"
#include "draw/Image.h"
#include "import/ImportWindow.h"
#include "lang/Multilan.h"
#include "training/TrainingPanel.h"
#include "views/Analysis.h"
#include "views/RecordDetails.h"

namespace {

// Tooltips of the top buttons, in the order of TopButtons().
const char *const TooltipKeys[7] = {
    "Calendar of your records", "Details and notes of a record", "Charts of your records", "User guide",
    "Print a report of the charts", "Log out", "Totals by day, week and month",
};

// Captions of the top buttons, in the order of TopButtons(): what a screen
// reader names them.
const char *const CaptionKeys[7] = {"Calendar", "Details", "Analysis", "Guide", "Print", "Logout", "Summary"};

} // namespace

void TmainForm::RefreshCaptions()
{
    const MultiLanguage &lang = *MultiLang;
    // The font of the language first: the captions are measured in it.
    UseLanguageFont(lang.LangFile);
    setWindowTitle(lang.CL("Cyclovex"));
    MonthNames = MonthNamesIn(&lang);
    SetAssetCaptions([&lang](const char *english) { return lang.CL(english); });

    CalenderPanel->RefreshCaptions(lang);
    SportModePanel->RefreshCaptions(lang);
    SportAnalysisPanel->RefreshCaptions(lang);
    SummaryPanel->RefreshCaptions(lang);
    SummaryPanel->SetMonthNames(MonthNames);
    TrainingPanel->RefreshCaptions(&lang);
    if (ImportWindow != nullptr)
        ImportWindow->RefreshCaptions();

    const std::array<TImage *, 7> buttons = TopButtons();
    for (std::size_t k = 0; k < buttons.size(); ++k) {
        RedrawCaptioned(buttons[k]);
        buttons[k]->setAccessibleName(lang.CL(CaptionKeys[k]));
        // The shortcut of the button's place in the band.
        buttons[k]->setToolTip(lang.CL(TooltipKeys[k]) + QStringLiteral(" (Alt+%1)").arg(BandPlace(k) + 1));
    }
}
