#include "views/RecordValues.h"

#include "store/Databasecontroler.h"

#include <QLocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace RecordValues {

namespace {

constexpr double kMilesPerKm = 0.621;

// The value rounded to 5 significant digits, the way a decimal text of
// 5 digits rounds it (correctly rounded from the binary value).
double FiveDigits(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.4e", value);
    return std::strtod(text, nullptr);
}

} // namespace

QString LocalDecimal(const std::string &text, const QLocale &locale)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1Char('.'), locale.decimalPoint());
    return shown;
}

QString Imperial(const std::string &text, const QLocale &locale)
{
    bool ok = false;
    double value = QLocale::c().toDouble(QString::fromStdString(text), &ok);
    if (!ok || !std::isfinite(value))
        value = 0;
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(FiveDigits(value * kMilesPerKm) + 0.0, 'f', 2);
}

void FillBoxTexts(const TKorvanDataBase &db, const QLocale &locale, std::array<QString, BoxCount> &boxes)
{
    auto text = [](const std::string &s) { return QString::fromStdString(s); };
    boxes[0] = text(db.ExerciseTime);
    if (db.Unit == 0) {
        boxes[DistanceBox] = LocalDecimal(db.DistanceText, locale) + " KM";
        boxes[SpeedBox] = LocalDecimal(db.SpeedAvgText, locale) + " KM/h";
    } else if (db.Unit == 1) {
        boxes[DistanceBox] = Imperial(db.DistanceText, locale) + " ml";
        boxes[SpeedBox] = Imperial(db.SpeedAvgText, locale) + " ml/h";
    }
    boxes[2] = text(db.CadenceAvgText);
    boxes[4] = text(db.LapCountText);
    boxes[5] = text(db.KcalText);
    boxes[6] = text(db.HrMaxText);
    boxes[7] = text(db.HrAvgText);
    boxes[8] = text(db.Vo2MaxText);
    boxes[9] = text(db.HrLimitText);
}

int WeatherEntry(const QString &weather)
{
    bool ok = false;
    const int entry = weather.toInt(&ok, 10);
    return ok ? entry : 0;
}

int ChosenEntry(const QStringList &entries, int current, const QString &text)
{
    if (current >= 0 && current < entries.size() && entries[current] == text)
        return current;
    return static_cast<int>(entries.indexOf(text));
}

QString MemoText(const QStringList &memoLines)
{
    return memoLines.join(QLatin1Char('\n'));
}

QStringList NotesLines(const QString &topic, int weather, const QString &memo)
{
    QString oneLine = topic;
    for (QChar breakChar : {QChar('\r'), QChar('\n'), QChar(0x2028), QChar(0x2029)})
        oneLine.replace(breakChar, QLatin1Char(' '));
    QStringList lines{oneLine, QString::number(weather)};
    QString body = memo;
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (body.endsWith(QLatin1Char('\n')))
        body.chop(1);
    if (!memo.isEmpty())
        lines += body.split(QLatin1Char('\n'));
    return lines;
}

} // namespace RecordValues
