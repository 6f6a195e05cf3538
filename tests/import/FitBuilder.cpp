#include "tests/import/FitBuilder.h"

#include <string_view>

namespace {

std::uint16_t Crc(std::string_view bytes)
{
    // CRC-16 as the FIT protocol defines it (polynomial 0xA001, nibble table).
    static constexpr std::uint16_t table[16] = {0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00, 0x2800, 0xE401,
                                                0xA001, 0x6C00, 0x7800, 0xB401, 0x5000, 0x9C01, 0x8801, 0x4400};
    std::uint16_t crc = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        crc = ((crc >> 4) & 0x0FFF) ^ table[crc & 0xF] ^ table[byte & 0xF];
        crc = ((crc >> 4) & 0x0FFF) ^ table[crc & 0xF] ^ table[(byte >> 4) & 0xF];
    }
    return crc;
}

} // namespace

std::string Le(std::uint64_t value, int size)
{
    std::string out;
    for (int i = 0; i < size; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

std::string Be(std::uint64_t value, int size)
{
    std::string out = Le(value, size);
    return {out.rbegin(), out.rend()};
}

FitBytes &FitBytes::define(int local, int global, std::initializer_list<std::array<int, 3>> fields, bool bigEndian,
                           std::initializer_list<std::array<int, 3>> developer)
{
    records_ += static_cast<char>(0x40 | (developer.size() ? 0x20 : 0) | local);
    records_ += '\0';
    records_ += static_cast<char>(bigEndian ? 1 : 0);
    records_ += bigEndian ? Be(static_cast<std::uint64_t>(global), 2) : Le(static_cast<std::uint64_t>(global), 2);
    records_ += static_cast<char>(fields.size());
    for (const auto &f : fields)
        for (int v : f)
            records_ += static_cast<char>(v);
    if (developer.size()) {
        records_ += static_cast<char>(developer.size());
        for (const auto &f : developer)
            for (int v : f)
                records_ += static_cast<char>(v);
    }
    return *this;
}

FitBytes &FitBytes::data(int local, const std::string &bytes)
{
    records_ += static_cast<char>(local);
    records_ += bytes;
    return *this;
}

FitBytes &FitBytes::compressed(int local, int timeOffset, const std::string &bytes)
{
    records_ += static_cast<char>(0x80 | local << 5 | (timeOffset & 0x1F));
    records_ += bytes;
    return *this;
}

std::string FitBytes::file(int headerSize) const
{
    std::string out;
    out += static_cast<char>(headerSize);
    out += '\x20';
    out += Le(2140, 2);
    out += Le(records_.size(), 4);
    out += ".FIT";
    if (headerSize == 14)
        out += Le(Crc(out), 2);
    out += records_;
    out += Le(Crc(out), 2);
    return out;
}

std::string HourFit(std::uint32_t start)
{
    FitBytes f;
    f.define(0, 0, {{0, 1, 0x00}, {1, 2, 0x84}, {4, 4, 0x86}}).data(0, std::string("\x04") + Le(255, 2) + Le(start, 4));
    f.define(1, 21, {{253, 4, 0x86}, {0, 1, 0x00}, {1, 1, 0x00}});
    f.data(1, Le(start, 4) + std::string("\0\0", 2));
    f.define(2, 20,
             {{253, 4, 0x86}, {0, 4, 0x85}, {1, 4, 0x85}, {3, 1, 0x02}, {4, 1, 0x02}, {5, 4, 0x86}, {6, 2, 0x84}});
    for (std::uint32_t t = 0; t < 3600; ++t) {
        const auto lat = static_cast<std::uint32_t>(560000000 + 100 * t);
        f.data(2, Le(start + t, 4) + Le(lat, 4) + Le(100000000, 4) + static_cast<char>(120 + t % 50) +
                      static_cast<char>(80 + t % 15) + Le(800 * t, 4) + Le(8000, 2));
    }
    f.data(1, Le(start + 3599, 4) + std::string("\0\x04", 2));
    f.define(3, 19, {{253, 4, 0x86}, {2, 4, 0x86}, {7, 4, 0x86}, {8, 4, 0x86}, {9, 4, 0x86}, {15, 1, 0x02}});
    for (std::uint32_t lap = 0; lap < 6; ++lap)
        f.data(3, Le(start + 600 * lap + 599, 4) + Le(start + 600 * lap, 4) + Le(600000, 4) + Le(600000, 4) +
                      Le(480000, 4) + static_cast<char>(140));
    f.define(4, 18, {{253, 4, 0x86}, {2, 4, 0x86}, {7, 4, 0x86}, {8, 4, 0x86}, {9, 4, 0x86}, {11, 2, 0x84}});
    f.data(4, Le(start + 3599, 4) + Le(start, 4) + Le(3599000, 4) + Le(3599000, 4) + Le(2879200, 4) + Le(900, 2));
    return f.file();
}
