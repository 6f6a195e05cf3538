// tr9stats: the training figures of record files, for scripts and for
// checking a number by hand. One mode per table entry (Modes below).
#include "ride/Ride.h"
#include "tools/Output.h"
#include "tools/StatsLines.h"
#include "training/Periods.h"
#include "training/MetricsIndex.h"
#include "training/Profile.h"

#include <climits>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

struct Options;

// A way of running: its option (none for the default), usage line, the
// number of PATH arguments it takes and what it does (the exit status).
struct Mode {
    const char *option;
    const char *usage;
    std::size_t minPaths, maxPaths;
    int (*run)(const Options &);
};

struct Options {
    bool json = false;
    std::string profile; // empty: each ride's folder's Profile.ini
    const Mode *mode = nullptr;
    std::vector<std::string> paths;
};

// The profile and account gender of each folder, read once.
class Riders {
public:
    explicit Riders(const Options &options) : options_(options) {}

    RideMetrics MetricsOf(const std::string &recordPath, const Ride &ride)
    {
        std::error_code ec;
        std::filesystem::path folder = std::filesystem::absolute(recordPath, ec).parent_path();
        auto [rider, added] = riders_.try_emplace(folder.string());
        if (added) {
            rider->second.profile =
                ReadProfile(options_.profile.empty() ? (folder / "Profile.ini").string() : options_.profile);
            rider->second.gender = ReadAccountGender(folder.string());
        }
        return ComputeRideMetrics(ride, rider->second.profile, rider->second.gender);
    }

private:
    struct Rider {
        Profile profile;
        int gender = 0;
    };
    const Options &options_;
    std::map<std::string, Rider> riders_;
};

void Fail(const std::string &reason)
{
    std::fprintf(stderr, "tr9stats: %s\n", reason.c_str());
}

// Calls ride(path, ride, metrics) for each readable record a path stands
// for; tells the reason of each other. False when one could not be read.
template <typename Each>
bool ForEachRide(const std::string &path, Riders &riders, Each each)
{
    const std::vector<std::string> records = RecordPathsOf(path);
    if (records.empty()) {
        Fail(path + " holds no record file");
        return false;
    }
    bool allRead = true;
    for (const std::string &record : records) {
        Ride ride;
        std::string error;
        if (!ReadRide(record, ride, error)) {
            Fail(error);
            allRead = false;
            continue;
        }
        each(record, ride, riders.MetricsOf(record, ride));
    }
    return allRead;
}

int RunRides(const Options &options)
{
    Riders riders(options);
    bool allRead = true;
    for (const std::string &path : options.paths)
        allRead &= ForEachRide(path, riders, [&](const std::string &record, const Ride &ride, const RideMetrics &m) {
            std::printf("%s\n", RideLine(record, ride, m, options.json).c_str());
        });
    return allRead ? 0 : 1;
}

// The metrics index of a rider folder, brought up to date; tells each
// record it could not read. False when it cannot be opened or a record
// could not be read.
bool OpenIndex(const Options &options, const std::string &folder, MetricsIndex &index)
{
    const Profile profile = ReadProfile(options.profile.empty() ? folder + "/Profile.ini" : options.profile);
    if (!index.Open(folder, profile, ReadAccountGender(folder))) {
        Fail(index.Error());
        return false;
    }
    const std::vector<IndexFailure> failures = index.Failures();
    for (const IndexFailure &failure : failures)
        Fail(failure.reason);
    return failures.empty();
}

int RunFitness(const Options &options)
{
    const std::string &path = options.paths.front();
    std::vector<RideSummary> rides;
    bool allRead = true;
    if (std::filesystem::is_directory(path)) {
        // A rider folder: from its index, which reads only new or changed records.
        MetricsIndex index;
        allRead = OpenIndex(options, path, index);
        rides = index.AllRides();
        if (rides.empty() && allRead) {
            Fail(path + " holds no record file");
            allRead = false;
        }
    } else {
        Riders riders(options);
        allRead = ForEachRide(path, riders, [&](const std::string &, const Ride &ride, const RideMetrics &m) {
            rides.push_back(SummarizeRide(ride, m));
        });
    }
    int last = INT_MIN;
    for (const RideSummary &ride : rides)
        last = std::max(last, DayOf(ride));
    for (const FitnessDay &day : FitnessSeries(rides, last))
        std::printf("%s\n", FitnessLine(day, options.json).c_str());
    return allRead ? 0 : 1;
}

// The words are all paths but the last, which is the folder.
int RunSearch(const Options &options)
{
    const std::string &folder = options.paths.back();
    if (!std::filesystem::is_directory(folder)) {
        Fail(folder + " is no folder");
        return 1;
    }
    std::string words;
    for (std::size_t i = 0; i + 1 < options.paths.size(); ++i)
        words += options.paths[i] + " ";
    MetricsIndex index;
    const bool allRead = OpenIndex(options, folder, index);
    for (const std::string &name : index.Search(words))
        std::printf("%s\n", SearchLine(name, options.json).c_str());
    return allRead && index.IsOpen() ? 0 : 1;
}

const Mode Modes[] = {
    {nullptr, "tr9stats [--json] [--profile FILE] PATH...", 1, SIZE_MAX, RunRides},
    {"--fitness", "tr9stats --fitness [--json] [--profile FILE] FOLDER", 1, 1, RunFitness},
    {"--search", "tr9stats --search [--json] WORDS... FOLDER", 2, SIZE_MAX, RunSearch},
};

void Usage(std::FILE *out)
{
    for (const Mode &mode : Modes)
        std::fprintf(out, "%s%s\n", &mode == Modes ? "Usage: " : "       ", mode.usage);
    std::fputs("\n"
               "Prints the training figures of record files (*.TR9), one line per ride:\n"
               "start, exercise and moving time, distance, the maximum and resting heart\n"
               "rate used, time below zone 1 and in zones 1-5, the training load (TRIMP),\n"
               "the best 5, 20 and 60 minutes of speed, heart rate and cadence, and the\n"
               "laps. A PATH that is a folder stands for all the record files in it.\n"
               "--fitness prints one line per day from the first ride of FOLDER to its\n"
               "last: the day's load, fitness (CTL), fatigue (ATL) and form (TSB).\n"
               "--search prints the record files of FOLDER whose notes (topic, weather,\n"
               "memo) hold all the WORDS, in any letter case and language, newest first.\n"
               "A rider folder keeps its figures in Training.db, so only new or changed\n"
               "records are read again.\n"
               "\n"
               "  --json          one JSON object per line\n"
               "  --profile FILE  the rider's profile (default: Profile.ini in the\n"
               "                  ride's folder; the account file gives the gender)\n"
               "\n"
               "Exit status: 0 when every file was read, 1 when one could not be read\n"
               "(each reason is printed), 2 on a usage error.\n",
               out);
}

const Mode *ModeOf(const std::string &option)
{
    for (const Mode &mode : Modes)
        if (mode.option && option == mode.option)
            return &mode;
    return nullptr;
}

// False on a usage error (told on stderr); help asks for the usage text.
bool ParseArguments(int argc, char **argv, Options &options, bool &help)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
            return true;
        }
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--profile" || arg.rfind("--profile=", 0) == 0) {
            options.profile = arg == "--profile" ? (i + 1 < argc ? argv[++i] : "") : arg.substr(10);
            if (options.profile.empty()) {
                std::fputs("tr9stats: --profile needs a file\n", stderr);
                return false;
            }
        } else if (const Mode *mode = ModeOf(arg)) {
            if (options.mode && options.mode != mode) {
                std::fprintf(stderr, "tr9stats: %s and %s cannot be combined\n", options.mode->option, arg.c_str());
                return false;
            }
            options.mode = mode;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "tr9stats: unknown option %s\n", arg.c_str());
            return false;
        } else {
            options.paths.push_back(arg);
        }
    }
    if (!options.mode)
        options.mode = &Modes[0];
    const Mode &mode = *options.mode;
    if (options.paths.size() < mode.minPaths || options.paths.size() > mode.maxPaths) {
        std::fprintf(stderr, "tr9stats: usage: %s\n", mode.usage);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    bool help = false;
    if (!ParseArguments(argc, argv, options, help)) {
        Usage(stderr);
        return 2;
    }
    if (help) {
        Usage(stdout);
        return FinishOutput(0, "tr9stats");
    }
    return FinishOutput(options.mode->run(options), "tr9stats");
}
