#pragma once
// FIT files built byte by byte for the import tests and benchmark: the
// records as given, the header and the CRCs.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

// A FIT file built by hand: records appended as they are given.
class FitBytes {
public:
    // A definition of local type local for global message global with
    // fields {number, size, base type}.
    FitBytes &define(int local, int global, std::initializer_list<std::array<int, 3>> fields, bool bigEndian = false,
                     std::initializer_list<std::array<int, 3>> developer = {});
    // A data message with a normal header, its fields' bytes as given.
    FitBytes &data(int local, const std::string &bytes);
    // A data message with a compressed-timestamp header.
    FitBytes &compressed(int local, int timeOffset, const std::string &bytes);
    // The file with a 12- or 14-byte header and its CRCs.
    std::string file(int headerSize = 14) const;

private:
    std::string records_;
};
std::string Le(std::uint64_t value, int size);
std::string Be(std::uint64_t value, int size);

// A ride of one hour at 1 s as a device writes it: file_id, timer events,
// 3,600 records (time, position, heart rate, cadence, distance, speed),
// six laps of ten minutes and the session; from FIT time start.
std::string HourFit(std::uint32_t start);
