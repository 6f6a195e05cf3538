#include "lang/PictureCaptions.h"

#include "draw/Assets.h"
#include "draw/Image.h"
#include "draw/ImageList.h"
#include "lang/Multilan.h"

#include <QWidget>

namespace {

// Picture controls and the keys of their tooltips.
const char *const TooltipKeys[][2] = {
    {"BtnImageDate", "Calendar of your records"},
    {"BtnImageSportMode", "Details and notes of a record"},
    {"BtnImageSportAnalysis", "Charts of your records"},
    {"BtnImageSummary", "Totals by day, week and month"},
    {"BtnKorPageImage", "User guide"},
    {"BtnImagePrintReport", "Print a report of the charts"},
    {"BtnImageLogout", "Log out"},
    {"mainStartImage", "Download an exercise from the device"},
    {"DongleLinkStatusImage", "Status of the USB dongle"},
};

bool Captioned(const TImageList *list)
{
    for (const char *name : kCaptionedLists)
        if (list == &AssetList(QString::fromLatin1(name)))
            return true;
    return false;
}

}  // namespace

void RefreshPictureCaptions(QWidget *mainWindow, const MultiLanguage &lang)
{
    SetAssetCaptions([&lang](const char *english) { return lang.CL(english); });
    for (TImage *picture : mainWindow->findChildren<TImage *>())
        if (picture->ShownList != nullptr && picture->ShownIndex >= 0 && Captioned(picture->ShownList))
            picture->ShownList->Draw(picture, picture->ShownIndex);
    for (const auto &entry : TooltipKeys)
        if (QWidget *control = mainWindow->findChild<QWidget *>(QString::fromLatin1(entry[0])))
            control->setToolTip(lang.CL(entry[1]));
}
