#pragma once
// The rider's training profile, "Profile.ini" in the rider's folder: UTF-8
// KEY=value lines with CR LF, every key optional (MaxHR, RestHR, Gender,
// Zones). A missing or bad key takes its default; reading never fails.
#include <array>
#include <string>

enum class ProfileGender { Unset, Male, Female };

struct Profile {
    int maxHr = 0;  // 0: not set (taken from the ride, DESIGN order)
    int restHr = 0; // 0: not set (60)
    ProfileGender gender = ProfileGender::Unset;
    // Lower bounds of zones 1-5 in percent of the maximum heart rate, ascending.
    std::array<int, 5> zones{50, 60, 70, 80, 90};
};

// Heart rates a profile may set, in bpm.
constexpr int ProfileHrLow = 30, ProfileHrHigh = 250;

// What is wrong with a profile, the first found; the profile window refuses
// what the reader would not keep, so a saved profile reads back the same.
enum class ProfileProblem {
    None,
    HeartRateRange,  // a set maximum or resting rate outside 30..250 bpm
    MaxNotAboveRest, // a set maximum at or below the resting rate used
    ZonesNotAscending, // bounds not ascending within 1..100 percent
};
ProfileProblem CheckProfile(const Profile &profile);

// The profile of path; defaults for a missing file and for each bad key
// (a maximum at or below the resting rate drops the resting rate).
Profile ReadProfile(const std::string &path);
// The gender code of a rider's account file, riderFolder/<ID>.dat with ID
// the folder's name ("Genter=1": 0 male, 1 female); 0 when it cannot be read.
int ReadAccountGender(const std::string &riderFolder);
// Writes the profile to path atomically. False with the reason in error.
bool WriteProfile(const std::string &path, const Profile &profile, std::string &error);
