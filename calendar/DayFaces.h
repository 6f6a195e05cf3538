#pragma once
// The pictures of the calendar views, painted in the program's palette:
// day cells in five styles with their numbers drawn in, weekday headings,
// month tiles, the captions beside the summary mode pictures and the icons
// of the totals.
#include <QStringList>
#include <array>

class QImage;
class QRect;
class QLabel;
class QWidget;
class TImageList;
class TImage;
class TShownMonth;
class MultiLanguage;

// How a day cell looks. Grey: a day of the shown month; orange: a day with
// records; faint: a day of another month (an orange dot when it has
// records); white with an orange frame: the chosen day.
enum class DayStyle { Plain, Records, Other, OtherRecords, Chosen };

// Each list is painted on its first call and shared by later ones.
// 31 pictures of w x h: picture i shows day i + 1 in the given style.
TImageList DayPictures(int w, int h, DayStyle style);
// 7 pictures of w x h: the weekday names Sunday .. Saturday.
TImageList WeekdayPictures(int w, int h);
// 24 pictures of 120 x 100: 0..11 the plain tiles of the twelve months
// (names[i], January first), 12..23 the same tiles highlighted.
TImageList MonthTilePictures(const QStringList &names);
// A caption picture of w x h (white bold text on nothing).
QImage CaptionPicture(int w, int h, const QString &text);
// The icons of the three totals, 28 x 28: 0 duration, 1 distance, 2 calories.
QImage TotalsIcon(int which);
// The month caption above a grid: white bold text on a dark rounded plate,
// legible on the light and the dark parts of the background.
void StyleMonthCaption(QLabel *label, int pixels);
// A dark rounded plate; controls made after it lie on it.
QWidget *NewPlate(QWidget *parent, const char *name, const QRect &geometry);

// The words a screen reader says of day cells in the chosen language: the
// month names (January first) and the words for one and more rides.
struct TCellWords {
    QStringList Months; // English until refreshed
    QString Ride = QStringLiteral("ride"), Rides = QStringLiteral("rides");
    TCellWords();
    void Refresh(const MultiLanguage &lang);
};
// Names each cell of a day grid after what it shows ("4 July, 2 rides").
void NameDayCells(const std::array<TImage *, 42> &cells, const TShownMonth &shown, const TCellWords &words);
