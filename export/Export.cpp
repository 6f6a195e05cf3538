#include "export/Export.h"

#include "export/Formats.h"
#include "export/Ride.h"
#include "store/Textfile.h"

#include <QTimeZone>

#include <cerrno>
#include <cstdio>
#include <cstring>

const char *ExportExtension(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Fit:
        return "fit";
    case ExportFormat::Tcx:
        return "tcx";
    case ExportFormat::Csv:
        return "csv";
    }
    return "";
}

bool ExportFormatOf(const std::string &name, ExportFormat &format)
{
    for (const ExportFormat f : {ExportFormat::Fit, ExportFormat::Tcx, ExportFormat::Csv}) {
        if (SameNameNoCase(name, ExportExtension(f))) {
            format = f;
            return true;
        }
    }
    return false;
}

bool ExportRecord(const std::string &recordPath, ExportFormat format, const std::string &outPath,
                  std::string &error)
{
    ExportRide ride;
    if (!ReadExportRide(recordPath, QTimeZone::systemTimeZone(), ride, error))
        return false;
    std::string bytes;
    switch (format) {
    case ExportFormat::Fit:
        if (!InFitTimeRange(ride)) {
            error = "the times of " + recordPath + " lie outside the dates a FIT file can hold";
            return false;
        }
        bytes = FitBytes(ride);
        break;
    case ExportFormat::Tcx:
        bytes = TcxBytes(ride);
        break;
    case ExportFormat::Csv:
        bytes = CsvBytes(ride);
        break;
    }
    errno = 0;
    const int written = WriteFileAtomic(outPath, bytes);
    if (written == WriteUnconfirmed) {
        error = outPath + " was written, but the disk did not confirm that it is kept";
        return true;
    }
    if (written != 0) {
        const int reason = errno;
        error = "cannot write " + outPath;
        if (reason != 0)
            error += std::string(": ") + std::strerror(reason);
        return false;
    }
    return true;
}

std::string SuggestedExportName(const std::string &recordPath, ExportFormat format, std::string *error)
{
    ExportRide ride;
    std::string reason;
    if (!ReadExportRide(recordPath, QTimeZone::utc(), ride, reason)) {
        if (error)
            *error = reason;
        return {};
    }
    char name[64];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d_%02d%02d%02d.%s", ride.year, ride.month, ride.day, ride.hour,
                  ride.minute, ride.second, ExportExtension(format));
    return name;
}
