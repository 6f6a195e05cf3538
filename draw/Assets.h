#pragma once
// The program's pictures, built into the Qt resource (assets/assets.qrc)
// and rendered once on first use. Names are listed in assets/README.md.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

class TImage;
class TImageList;

// Picture list by name: "MainBtnImageList" (14, 119 x 91),
// "MonthBtnImageList" (6, 24 x 28), "RadioImgList" (3, 28 x 28),
// "DongleLinkStatusImageList" (2, 113 x 103), "StartBtnImageList" (3, 114 x 90).
// An unknown name gives an empty list.
const TImageList &AssetList(const QString &name);

// The lists whose pictures hold captions: "MainBtnImageList",
// "StartBtnImageList", "DongleLinkStatusImageList".
inline constexpr const char *kCaptionedLists[] = {"MainBtnImageList", "StartBtnImageList",
                                                  "DongleLinkStatusImageList"};
// The text of a caption drawn into a picture, by its English text.
using CaptionText = std::function<QString(const char *english)>;
// Draws the captioned lists again with the captions given (in the font of
// the language, draw/Fonts.h); the lists keep their place, so controls and
// pointers keep them. The texts are kept for lists made later.
void SetAssetCaptions(const CaptionText &text);
// Draws the picture that picture shows again when it comes from a
// captioned list, so it shows the captions set last.
void RedrawCaptioned(TImage *picture);

// Single picture by name: "Splash" (650 x 229), "Logo" (225 x 70),
// "Language" (40 x 40), "MaleSymbol", "FemaleSymbol" (32 x 32),
// "AppIcon" (256 x 256), "MalePhoto", "FemalePhoto" (152 x 182, decoded from
// the built-in JPEG files). An unknown name gives a null image.
QImage AssetImage(const QString &name);

// Raw file bytes: "MalePhoto" and "FemalePhoto" give the built-in rider
// photos, JPEG files of 152 x 182.
QByteArray AssetData(const QString &name);
