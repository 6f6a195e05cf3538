#pragma once
// What the FIT file reader and writer share of the protocol: its epoch,
// the checksum of headers and files, the field number of every timestamp.
#include <cstdint>
#include <string_view>

// Seconds from 1970-01-01 to the FIT epoch 1989-12-31 00:00:00 UTC.
inline constexpr std::int64_t FitEpoch = 631065600;
// Field 253 of every message: its time in seconds since the FIT epoch.
inline constexpr std::uint8_t FitTimestampField = 253;

// The CRC-16 of the protocol over bytes, continuing from crc.
inline std::uint16_t FitCrc(std::uint16_t crc, std::string_view bytes)
{
    static constexpr std::uint16_t table[16] = {0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00, 0x2800, 0xE401,
                                                0xA001, 0x6C00, 0x7800, 0xB401, 0x5000, 0x9C01, 0x8801, 0x4400};
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        std::uint16_t tmp = table[crc & 0xF];
        crc = ((crc >> 4) & 0x0FFF) ^ tmp ^ table[byte & 0xF];
        tmp = table[crc & 0xF];
        crc = ((crc >> 4) & 0x0FFF) ^ tmp ^ table[(byte >> 4) & 0xF];
    }
    return crc;
}
