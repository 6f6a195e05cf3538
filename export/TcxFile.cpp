// TrainingCenterDatabase v2: one activity, its laps with their totals and
// a track point per sample (speed in the activity extension).
#include "export/Formats.h"
#include "export/Ride.h"

#include <QXmlStreamWriter>

#include <cstdio>

namespace {

const QString TcxNamespace = QStringLiteral("http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2");
const QString ExtensionNamespace = QStringLiteral("http://www.garmin.com/xmlschemas/ActivityExtension/v2");

QString MetresPerSecond(int tenthsKmh)
{
    return QString::number(tenthsKmh / 36.0, 'f', 3);
}

// "2012-07-04T06:05:03Z" for seconds since 1970 (proleptic Gregorian);
// one call per track point, so without QDateTime.
QString UtcText(std::int64_t seconds)
{
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Civil date of a day count (eras of 400 years from 0000-03-01).
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", year, month, day,
                  static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60));
    return QString::fromLatin1(text);
}

// Calories of each lap: the ride's calories shared by lap time, the
// rounding rest on the last lap, so the laps add up to the ride.
std::vector<int> LapCalories(const ExportRide &ride)
{
    std::int64_t time = 0;
    for (const ExportLap &lap : ride.laps)
        time += lap.seconds;
    std::vector<int> calories;
    int given = 0;
    for (std::size_t i = 0; i < ride.laps.size(); ++i) {
        int share = 0;
        if (i + 1 == ride.laps.size())
            share = ride.kcal - given;
        else if (time > 0)
            share = static_cast<int>(std::int64_t{ride.kcal} * ride.laps[i].seconds / time);
        calories.push_back(share);
        given += share;
    }
    return calories;
}

class TcxWriter {
public:
    // One line without indentation: a ten-hour ride is written in a third
    // less time than with it.
    TcxWriter(const ExportRide &ride, QByteArray &out) : ride_(ride), xml_(&out) {}

    void write()
    {
        xml_.writeStartDocument();
        xml_.writeDefaultNamespace(TcxNamespace);
        xml_.writeNamespace(ExtensionNamespace, QStringLiteral("ns3"));
        xml_.writeStartElement(TcxNamespace, QStringLiteral("TrainingCenterDatabase"));
        xml_.writeStartElement(QStringLiteral("Activities"));
        xml_.writeStartElement(QStringLiteral("Activity"));
        xml_.writeAttribute(QStringLiteral("Sport"), QStringLiteral("Biking"));
        xml_.writeTextElement(QStringLiteral("Id"), time(0));
        const std::vector<int> calories = LapCalories(ride_);
        std::size_t sample = 0;
        for (std::size_t i = 0; i < ride_.laps.size(); ++i) {
            // A lap holds the samples up to its end; the last lap all the rest.
            const bool last = i + 1 == ride_.laps.size();
            const int end = ride_.laps[i].startOffset + ride_.laps[i].seconds;
            std::size_t until = sample;
            while (until < ride_.samples.size() && (last || static_cast<int>(until) * SampleSeconds < end))
                ++until;
            lap(ride_.laps[i], calories[i], sample, until);
            sample = until;
        }
        xml_.writeEndDocument();
    }

private:
    QString time(int offset) const
    {
        return UtcText(ride_.startUtc + offset);
    }

    void value(const QString &element, int bpm)
    {
        xml_.writeStartElement(element);
        xml_.writeTextElement(QStringLiteral("Value"), QString::number(bpm));
        xml_.writeEndElement();
    }

    void lap(const ExportLap &lap, int calories, std::size_t from, std::size_t until)
    {
        xml_.writeStartElement(QStringLiteral("Lap"));
        xml_.writeAttribute(QStringLiteral("StartTime"), time(lap.startOffset));
        xml_.writeTextElement(QStringLiteral("TotalTimeSeconds"), QString::number(lap.seconds));
        xml_.writeTextElement(QStringLiteral("DistanceMeters"), QString::number(lap.distance * 100));
        if (ride_.hasSpeed)
            xml_.writeTextElement(QStringLiteral("MaximumSpeed"), MetresPerSecond(lap.speedMax));
        xml_.writeTextElement(QStringLiteral("Calories"), QString::number(calories));
        // The schema knows no heart rate below 1 and no cadence above 254.
        if (ride_.hasHeartRate && lap.hrAvg > 0)
            value(QStringLiteral("AverageHeartRateBpm"), lap.hrAvg);
        if (ride_.hasHeartRate && lap.hrMax > 0)
            value(QStringLiteral("MaximumHeartRateBpm"), lap.hrMax);
        xml_.writeTextElement(QStringLiteral("Intensity"), QStringLiteral("Active"));
        if (ride_.hasCadence && lap.cadenceAvg <= 254)
            xml_.writeTextElement(QStringLiteral("Cadence"), QString::number(lap.cadenceAvg));
        xml_.writeTextElement(QStringLiteral("TriggerMethod"), QStringLiteral("Manual"));
        if (from < until) {
            xml_.writeStartElement(QStringLiteral("Track"));
            for (std::size_t i = from; i < until; ++i)
                trackpoint(static_cast<int>(i) * SampleSeconds, ride_.samples[i]);
            xml_.writeEndElement();
        }
        if (ride_.hasSpeed || ride_.hasCadence) {
            xml_.writeStartElement(QStringLiteral("Extensions"));
            xml_.writeStartElement(ExtensionNamespace, QStringLiteral("LX"));
            if (ride_.hasSpeed)
                xml_.writeTextElement(ExtensionNamespace, QStringLiteral("AvgSpeed"), MetresPerSecond(lap.speedAvg));
            if (ride_.hasCadence)
                xml_.writeTextElement(ExtensionNamespace, QStringLiteral("MaxBikeCadence"),
                                      QString::number(lap.cadenceMax));
            xml_.writeEndElement();
            xml_.writeEndElement();
        }
        xml_.writeEndElement();
    }

    void trackpoint(int offset, const ExportSample &sample)
    {
        xml_.writeStartElement(QStringLiteral("Trackpoint"));
        xml_.writeTextElement(QStringLiteral("Time"), time(offset));
        if (ride_.hasSpeed)
            xml_.writeTextElement(QStringLiteral("DistanceMeters"), QString::number(sample.distance * 10));
        if (ride_.hasHeartRate && sample.heartRate > 0)
            value(QStringLiteral("HeartRateBpm"), sample.heartRate);
        if (ride_.hasCadence && sample.cadence <= 254)
            xml_.writeTextElement(QStringLiteral("Cadence"), QString::number(sample.cadence));
        if (ride_.hasSpeed) {
            xml_.writeStartElement(QStringLiteral("Extensions"));
            xml_.writeStartElement(ExtensionNamespace, QStringLiteral("TPX"));
            xml_.writeTextElement(ExtensionNamespace, QStringLiteral("Speed"), MetresPerSecond(sample.speed));
            xml_.writeEndElement();
            xml_.writeEndElement();
        }
        xml_.writeEndElement();
    }

    const ExportRide &ride_;
    QXmlStreamWriter xml_;
};

} // namespace

std::string TcxBytes(const ExportRide &ride)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(300 * ride.samples.size() + 4000));
    TcxWriter(ride, out).write();
    return out.toStdString();
}
