// The main window's caption refresh: its labels and buttons, the weather
// choices and the month names, and the record-detail and summary labels
// centred on their 75-pixel columns.
#include "app/Main.h"
#include "calendar/SummaryView.h"
#include "draw/Fonts.h"
#include "lang/Language.h"
#include "lang/Multilan.h"
#include "lang/PictureCaptions.h"
#include "views/ExportButton.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>

namespace {

// Controls and their keys, in the order the texts are applied.
const char *const CaptionKeys[][2] = {
    {"DistLab", "Distance"},     {"HRMLab", "Heart Rate"},   {"SPDLab", "Speed"},
    {"RPMLab", "RPM"},           {"MultiFileLab", "Multi-File"}, {"ChartValueLab", "Value"},
    {"Dura_Lab", "Duration"},    {"Dist_Lab", "Distance"},   {"RPM_Lab", "RPM"},
    {"Speed_Lab", "AVG Speed"},  {"LAP_Lab", "LAP"},         {"Calo_Lab", "KCAL"},
    {"HRM_Lab", "HR/MAX"},       {"HRA_Lab", "HR/AVG"},      {"VO2_Lab", "VO2/MAX"},
    {"Inte_Lab", "Intensity"},   {"lblSum_Kcal", "KCAL"},    {"lblSum_Dura", "Duration"},
    {"lblSum_Dist", "Distance"}, {"TopicLab", "Topic"},      {"WeatherLab", "Weather"},
    {"MemoLab", "Memo"},         {"MemoSaveBtn", "Save"},    {"MemoCleanBtn", "Clean All"},
    {"FileDeleteBtn", "Delete"},
};

// Weather choices: the entry's position is the weather code of the notes.
const char *const WeatherKeys[13] = {
    "Fine/Fair/Sunny", "Clear to overcast", "Cloudy", "Drizzle", "Foggy", "Gale wind", "Misty",
    "Pour/DownPour", "Sleet", "Snowy", "Stormy wind", "Windy", "Blizzard",
};

void SetCaption(QWidget *control, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->setText(text);
}

} // namespace

void TmainForm::RefreshCaptions()
{
    const MultiLanguage &lang = *MultiLang;
    // The font of the language first: the labels below are measured in it.
    UseLanguageFont(lang.LangFile);
    setWindowTitle(lang.CL("Cyclovex"));
    // Controls of views that are not built yet are simply not found.
    for (const auto &entry : CaptionKeys)
        if (QWidget *control = findChild<QWidget *>(entry[0]))
            SetCaption(control, lang.CL(entry[1]));
    if (auto *weather = findChild<QComboBox *>("cbbWCB"))
        for (int i = 0; i < 13 && i < weather->count(); ++i)
            weather->setItemText(i, lang.CL(WeatherKeys[i]));
    for (int i = 0; i < 12 && i < MonthNames.size(); ++i)
        MonthNames[i] = lang.CL(MonthKeys[i]);
    if (auto *exportButton = findChild<TExportButton *>("ExportBtnImage"))
        exportButton->SetCaption(lang.CL("Export"));
    SummaryPanel->SetMonthNames(MonthNames);

    // Each label sizes itself to its text plus 30 pixels and is centred on
    // the 75-pixel column at its design left edge, measured in its own font.
    for (int i = 0; i < 13; ++i) {
        auto *label = findChild<QLabel *>(ColumnLabels[i]);
        if (label == nullptr)
            continue;
        label->ensurePolished();
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        const int w = label->fontMetrics().horizontalAdvance(label->text());
        label->setGeometry(CaptionColumnLeft(LabelHomeLeft[std::size_t(i)], w), label->y(), w + 30,
                           label->height());
    }
    RefreshPictureCaptions(this, lang);
}
