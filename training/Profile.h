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

// The profile of path; defaults for a missing file and for each bad key.
Profile ReadProfile(const std::string &path);
// The gender code of a rider's account file, riderFolder/<ID>.dat with ID
// the folder's name ("Genter=1": 0 male, 1 female); 0 when it cannot be read.
int ReadAccountGender(const std::string &riderFolder);
// Writes the profile to path atomically. False with the reason in error.
bool WriteProfile(const std::string &path, const Profile &profile, std::string &error);
