#pragma once
// The three export formats, each the complete file content of one ride.
#include <string>

struct ExportRide;

// FIT activity file: file_id, timer start and stop events, one record per
// sample, the laps, the session and the activity, with header and file CRCs.
std::string FitBytes(const ExportRide &ride);
// TrainingCenterDatabase v2 activity, sport "Biking", UTF-8.
std::string TcxBytes(const ExportRide &ride);
// One row per sample after a header row; "." as decimal point, CR LF.
std::string CsvBytes(const ExportRide &ride);
