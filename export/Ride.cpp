#include "export/Ride.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>

namespace {

// A local time as seconds since 1970 UTC. A time that the clock skipped
// when summer time began (a device clock set by hand shows it) is taken
// with the offset in force before the change.
std::int64_t UtcOfLocal(const QDate &date, const QTime &time, const QTimeZone &zone)
{
    const QDateTime local(date, time, zone);
    if (local.isValid())
        return local.toSecsSinceEpoch();
    const std::int64_t asUtc = QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
    return asUtc - zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(asUtc - 86400, Qt::UTC));
}

} // namespace

ExportRide ExportRideOf(Ride ride, const QTimeZone &zone)
{
    ExportRide out;
    out.year = ride.year;
    out.month = ride.month;
    out.day = ride.day;
    out.hour = ride.hour;
    out.minute = ride.minute;
    out.second = ride.second;
    out.startUtc = UtcOfLocal(QDate(ride.year, ride.month, ride.day), QTime(ride.hour, ride.minute, ride.second), zone);
    static_cast<RideSpan &>(out.totals) = ride.totals;
    out.kcal = ride.kcal;
    out.hasHeartRate = ride.hasHeartRate;
    out.hasCadence = ride.hasCadence;
    out.hasSpeed = ride.hasSpeed;
    out.samples = std::move(ride.samples);

    const int lastSample = out.samples.empty() ? 0 : static_cast<int>(out.samples.size() - 1) * SampleSeconds;
    out.elapsedSeconds = std::max(out.totals.seconds, lastSample);
    const QDateTime end = QDateTime::fromSecsSinceEpoch(out.startUtc + out.elapsedSeconds, zone);
    out.endUtcOffset = zone.offsetFromUtc(end);

    for (const RideLap &lap : ride.laps) {
        ExportLap &added = out.laps.emplace_back();
        static_cast<RideSpan &>(added) = lap;
        added.startOffset = lap.StartOffset();
    }
    if (out.laps.empty())
        out.laps.push_back(out.totals);
    return out;
}

bool ReadExportRide(const std::string &recordPath, const QTimeZone &zone, ExportRide &ride,
                    std::string &error)
{
    Ride read;
    if (!ReadRide(recordPath, read, error))
        return false;
    ride = ExportRideOf(std::move(read), zone);
    return true;
}
