#pragma once
// The inside of MetricsIndex, shared by its writing and its queries.
#include "training/MetricsIndex.h"
#include "training/Sqlite.h"

struct MetricsIndex::State {
    std::string folder; // ends with "/"
    Profile profile;
    int accountGender = 0;
    SqlDatabase db;
    bool memory = false;
    // A query met a damaged page: the next change or refresh rebuilds.
    bool damaged = false;
    std::string error;
    // Every readable ride's summary, oldest first, as of the database's
    // data version (which changes when another program commits); cleared
    // by each change made here.
    std::vector<RideSummary> rides;
    std::int64_t ridesVersion = -1;
    bool ridesKept = false;
    // Set by RequestStop: a build keeps what it has read and ends.
    const std::atomic<bool> *stop = nullptr;
};

// The kept summaries, read again where they are out of date.
const std::vector<RideSummary> &KeptRides(MetricsIndex::State &s);

// The columns a RideSummary is read from, in the order SummaryOf reads them.
inline constexpr const char *SummaryColumns =
    "name, start, seconds, distance, kcal, hr_max, hr_rest, z0, z1, z2, z3, z4, z5, trimp, moving, "
    "bs0, bs1, bs2, bh0, bh1, bh2, bc0, bc1, bc2";
// The summary in the current row of a query of SummaryColumns.
RideSummary SummaryOf(const SqlStatement &row);
// The start as one sortable number: yyyymmddhhmmss.
long long StartKey(const RideSummary &ride);
