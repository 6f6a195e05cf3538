#pragma once
// One exercise as a structured value: its local start, the device settings
// and totals of the header, every lap with all its fields, the sensor flags
// and the samples. Read once from a record file (ReadRide); the import
// writes one as a record file. GUI-free.
#include <cstdint>
#include <string>
#include <vector>

// The device takes one sample every 10 seconds from the exercise start.
constexpr int SampleSeconds = 10;

// The values a lap and the whole exercise share. Distances in tenths of a
// kilometre, speeds in tenths of km/h, heart rates in bpm, cadences in rpm.
struct RideSpan {
    int seconds = 0; // lap time; for the whole: the exercise (timer) time
    int distance = 0;
    int hrAvg = 0, hrMax = 0;
    int speedAvg = 0, speedMax = 0;
    int cadenceAvg = 0, cadenceMax = 0;
};

// One lap of the "[LAP Data]" section.
struct RideLap : RideSpan {
    int index = 0;         // LAP_IDX
    int splitSeconds = 0;  // LAP_HOUR_SLP/MIN_SLP/SEC_SLP: from the start to the lap's end
    int splitDistance = 0; // LAP_DIST_SPLIT, tenths of a kilometre
    // The lap chain in the device's memory: page tag x 256 + offset
    // (LAP_PRE_ADDR_H/L, LAP_NEXT_ADDR_H/L).
    int previousAddress = 0, nextAddress = 0;
    // Seconds from the exercise start to the lap's start.
    int StartOffset() const { return splitSeconds > seconds ? splitSeconds - seconds : 0; }
};

// One sample, every SampleSeconds from the start. A heart rate of 0 is no reading.
struct RideSample {
    int heartRate = 0; // bpm
    int cadence = 0;   // rpm
    int speed = 0;     // tenths of km/h
    int distance = 0;  // tens of metres since the start
};

// The header's "#Setting Data" and heart-rate settings of that day.
struct RideSettings {
    int unit = 0;   // 0 metric, 1 imperial
    int gender = 0; // as the device keeps it
    int age = 0, height = 0, weight = 0;
    int wheel = 0; // millimetres
    int vo2max = 0;
    int hrIndex = 0;                     // SET_HR_IDX
    int hrMax = 0;                       // SET_HR_MAX
    int hrLimitLow = 0, hrLimitHigh = 0; // SET_HR_LIMIT_L, SET_HR_LIMIT_H
    int inZoneSeconds = 0;               // INZONE_HOUR/MIN/SEC
};

struct Ride {
    std::string name; // the record file's name, "120704080503.TR9"
    // Local start as the computer that took the ride kept it (full year).
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    RideSettings settings;
    RideSpan totals;
    int kcal = 0;
    int lapCount = 0, bestLap = 0; // LAPCOUNT, BESTLAP
    // Sensors that were present (HRM_EXIST, CAD_EXIST, SPD_EXIST).
    bool hasHeartRate = false, hasCadence = false, hasSpeed = false;
    std::vector<RideLap> laps;       // in the record's order
    std::vector<RideSample> samples; // at most filelimit::RecordSamples
};

// Reads the record file at recordPath. False with the reason in error when
// it cannot be read, is no record file, its start fields are missing, not
// numbers or out of range, a section is missing, or its series are damaged
// or longer than a transfer can produce.
bool ReadRide(const std::string &recordPath, Ride &ride, std::string &error);

// The record files a path stands for: itself, or the record files (*.TR9,
// any letter case) of a folder, sorted by name.
std::vector<std::string> RecordPathsOf(const std::string &path);
