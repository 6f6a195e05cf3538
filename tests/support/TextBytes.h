#pragma once
// Text files as bytes, for tests that write files in a given encoding.
#include <string>

// text as UTF-16 with its byte-order mark: FE FF then big-endian units when
// bigEndian, else FF FE then little-endian units. No line ends are added.
std::string Utf16(const std::u16string &text, bool bigEndian);
