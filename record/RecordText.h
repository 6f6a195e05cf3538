#pragma once
// Small text helpers shared by the decoder's sections, and the layout of
// the dump text they read (two hexadecimal characters per byte).
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

// Value of one hexadecimal digit, or -1.
inline int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
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
