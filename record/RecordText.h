#pragma once
// Small text helpers shared by the decoder's sections, and the layout of
// the dump text they read (two hexadecimal characters per byte).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace recordtext {

// A page holds 256 bytes; its last two (from character 508 on) carry no data.
constexpr std::size_t PageChars = 512;
constexpr std::size_t PageTailChars = 508;
// The 48 header bytes at the start of the dump.
constexpr std::size_t HeaderChars = 96;

// Value of every character as a hexadecimal digit, or -1.
inline constexpr std::array<std::int8_t, 256> HexValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int c = 0; c < 10; ++c)
        values['0' + c] = static_cast<std::int8_t>(c);
    for (int c = 0; c < 6; ++c)
        values['A' + c] = values['a' + c] = static_cast<std::int8_t>(10 + c);
    return values;
}();

// Value of one hexadecimal digit, or -1.
inline int HexDigit(char c)
{
    return HexValues[static_cast<unsigned char>(c)];
}

// Value of the two hexadecimal digits at pair[0] and pair[1], or -1.
inline int HexPair(const char *pair)
{
    const int high = HexDigit(pair[0]);
    const int low = HexDigit(pair[1]);
    return (high | low) < 0 ? -1 : high * 16 + low;
}

// "KEY=value;" with the value in decimal.
inline std::string KeyLine(std::string_view key, long long value)
{
    std::string line(key);
    line += '=';
    line += std::to_string(value);
    line += ';';
    return line;
}

// "KEY=0xHH;" with two upper-case hexadecimal digits.
inline std::string AddressLine(std::string_view key, int value)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string line(key);
    line += "=0x";
    line += digits[(value >> 4) & 0x0F];
    line += digits[value & 0x0F];
    line += ';';
    return line;
}

} // namespace recordtext
