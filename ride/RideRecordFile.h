#pragma once
// A Ride as a record file, line by line as the decoder writes one: the
// header with its 48 bytes, the laps with their 32 bytes each, the sensor
// flags and series. What only a transfer has stays empty: the sample
// stream and the raw transfer lines; the wheel counter series (#SPD_CNT,
// #SPD_PerCNT, #SPD_SumCNT, #SPD_DT) are 0. Values are held to the byte or
// word the device keeps (a lap count to 255, a distance to 6553.5 km).
#include "ride/Ride.h"

#include <string>

// "YYMMDDhhmmss.TR9" of the ride's local start (the year as 2000 + YY).
std::string RideRecordName(const Ride &ride);
// The whole file content, CR LF after every line.
std::string RideRecordText(const Ride &ride);
// Writes the record at path atomically and synced. False with the reason.
bool WriteRideRecord(const Ride &ride, const std::string &path, std::string &error);
