// The metrics index's queries: the rides of a period, all rides, the notes
// search and the files that could not be read.
#include "training/IndexScan.h"
#include "training/IndexState.h"

#include <algorithm>

long long StartKey(const RideSummary &ride)
{
    return ((((ride.year * 100LL + ride.month) * 100 + ride.day) * 100 + ride.hour) * 100 + ride.minute) * 100 +
           ride.second;
}

RideSummary SummaryOf(const SqlStatement &row)
{
    RideSummary ride;
    ride.name = row.Text(0);
    long long start = row.Int64(1);
    for (int *part : {&ride.second, &ride.minute, &ride.hour, &ride.day, &ride.month}) {
        *part = static_cast<int>(start % 100);
        start /= 100;
    }
    ride.year = static_cast<int>(start);
    ride.seconds = row.Int(2);
    ride.distance = row.Int(3);
    ride.kcal = row.Int(4);
    RideMetrics &m = ride.metrics;
    m.hrMax = row.Int(5);
    m.hrRest = row.Int(6);
    if (!row.IsNull(7)) {
        m.zoneSeconds.emplace();
        for (int z = 0; z < 6; ++z)
            (*m.zoneSeconds)[static_cast<std::size_t>(z)] = row.Int(7 + z);
    }
    m.trimp = row.OptDouble(13);
    m.movingSeconds = row.Int(14);
    int column = 15;
    for (auto *best : {&m.bests.speed, &m.bests.heartRate, &m.bests.cadence})
        for (std::optional<double> &value : *best)
            value = row.OptDouble(column++);
    return ride;
}

namespace {

// A word as an FTS5 string: in double quotes, its own doubled.
std::string Quoted(const std::string &word)
{
    std::string quoted = "\"";
    for (const char c : word) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

} // namespace

const std::vector<RideSummary> &KeptRides(MetricsIndex::State &s)
{
    const std::int64_t version = s.db.Int64Of("PRAGMA data_version").value_or(-1);
    if (!s.ridesKept || version != s.ridesVersion) {
        SqlStatement query =
            s.db.Prepare(std::string("SELECT ") + SummaryColumns + " FROM ride WHERE error IS NULL ORDER BY start, name");
        s.rides.clear();
        int code = SQLITE_ROW;
        while ((code = query.Step()) == SQLITE_ROW)
            s.rides.push_back(SummaryOf(query));
        s.damaged |= IsDamage(code);
        s.ridesVersion = version;
        s.ridesKept = true;
    }
    return s.rides;
}

std::vector<RideSummary> MetricsIndex::Rides(Period period) const
{
    if (!IsOpen())
        return {};
    const std::vector<RideSummary> &rides = KeptRides(*state_);
    const auto first = std::partition_point(rides.begin(), rides.end(),
                                            [&](const RideSummary &r) { return DayOf(r) < period.first; });
    const auto end =
        std::partition_point(first, rides.end(), [&](const RideSummary &r) { return DayOf(r) <= period.last; });
    return {first, end};
}

std::vector<RideSummary> MetricsIndex::AllRides() const
{
    return IsOpen() ? KeptRides(*state_) : std::vector<RideSummary>();
}

std::vector<std::string> MetricsIndex::Search(const std::string &words) const
{
    std::vector<std::string> names;
    const std::vector<std::string> folded = SearchWords(words);
    if (!IsOpen() || folded.empty())
        return names;
    // The trigram index finds words of three characters or more; shorter
    // ones (many Chinese words have two) are looked for in the text itself.
    std::string match;
    std::vector<const std::string *> shortWords;
    for (const std::string &word : folded) {
        if (std::count_if(word.begin(), word.end(), [](char c) { return (c & 0xC0) != 0x80; }) >= 3)
            match += (match.empty() ? "" : " AND ") + Quoted(word);
        else
            shortWords.push_back(&word);
    }
    std::string sql = "SELECT ride.name FROM note JOIN ride ON ride.id = note.rowid WHERE ride.error IS NULL AND ";
    sql += match.empty() ? "1" : "note MATCH ?1";
    for (std::size_t i = 0; i < shortWords.size(); ++i) {
        const std::string p = "?" + std::to_string(i + 2);
        sql += " AND (instr(note.topic, " + p + ") OR instr(note.weather, " + p + ") OR instr(note.memo, " + p + "))";
    }
    sql += " ORDER BY ride.start DESC, ride.name DESC";
    SqlStatement query = state_->db.Prepare(sql);
    if (!match.empty())
        query.Bind(1, match);
    for (std::size_t i = 0; i < shortWords.size(); ++i)
        query.Bind(static_cast<int>(i + 2), *shortWords[i]);
    int code = SQLITE_ROW;
    while ((code = query.Step()) == SQLITE_ROW)
        names.push_back(query.Text(0));
    state_->damaged |= IsDamage(code);
    return names;
}

std::vector<IndexFailure> MetricsIndex::Failures() const
{
    std::vector<IndexFailure> failures;
    if (!IsOpen())
        return failures;
    SqlStatement query = state_->db.Prepare("SELECT name, error FROM ride WHERE error IS NOT NULL ORDER BY name");
    while (query.Step() == SQLITE_ROW)
        failures.push_back({query.Text(0), query.Text(1)});
    return failures;
}
