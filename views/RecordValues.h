#pragma once
// Display texts of one record: the ten value boxes of the details view,
// distances and speeds in miles, and the notes lines saved with a record.
// The one place where record numbers become display text, so the decimal
// and thousands separators of the rider's locale are applied here only
// (the store and the files always write a decimal point).
#include <QString>
#include <QStringList>
#include <array>
#include <string>

class QLocale;
class TKorvanDataBase;

namespace RecordValues {

// Number of value boxes: duration, distance, cadence, speed, laps,
// calories, maximum and average heart rate, VO2max, heart-rate limits.
constexpr int BoxCount = 10;
constexpr int DistanceBox = 1;
constexpr int SpeedBox = 3;

// A decimal text of the store ("12.3") with the locale's decimal separator.
QString LocalDecimal(const std::string &text, const QLocale &locale);
// text (a decimal number with a decimal point) in miles: times 0.621,
// rounded to 5 significant digits, written with exactly 2 decimals and the
// locale's thousands separator. A text that is no number counts as 0.
QString Imperial(const std::string &text, const QLocale &locale);
// Fills the box texts from the record read last by the store, in box
// order. With a unit other than 0 (metric) and 1 (imperial) the distance
// and speed boxes keep the texts they have.
void FillBoxTexts(const TKorvanDataBase &db, const QLocale &locale, std::array<QString, BoxCount> &boxes);

// The weather entry of a notes file's weather text: its decimal value, 0
// when it is empty or not a decimal integer.
int WeatherEntry(const QString &weather);
// The entry a weather choice stands for: the current entry while the typed
// text is its text, else the entry with exactly the typed text, else -1.
int ChosenEntry(const QStringList &entries, int current, const QString &text);
// The memo lines as one text, joined with line breaks.
QString MemoText(const QStringList &memoLines);
// The lines of a notes file: the topic (line breaks in it become spaces, so
// it stays one line), the weather entry in decimal, then every memo line
// (none for an empty memo; a line break at the very end adds no line).
QStringList NotesLines(const QString &topic, int weather, const QString &memo);

} // namespace RecordValues
