#pragma once
// The three export formats, each the complete file content of one ride.
#include <string>

struct ExportRide;

// FIT activity file: file_id, timer start and stop events, one record per
// sample, the laps, the session and the activity, with header and file CRCs.
std::string FitBytes(const ExportRide &ride);
// Whether every time of the ride is a FIT time: 32-bit seconds since
// 1989-12-31 00:00 UTC, from 0x10000000 (smaller values mean seconds since
// the device was switched on) to 0xFFFFFFFE (0xFFFFFFFF means none). A
// time beyond would wrap into another date.
bool InFitTimeRange(const ExportRide &ride);
// TrainingCenterDatabase v2 activity, sport "Biking", UTF-8.
std::string TcxBytes(const ExportRide &ride);
// One row per sample after a header row; "." as decimal point, CR LF.
std::string CsvBytes(const ExportRide &ride);
