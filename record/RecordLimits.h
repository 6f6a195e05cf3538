#pragma once
// What one transfer can produce: the bounds every reader of record files
// holds a record to, so a file from elsewhere never costs more than a real one.
#include <cstddef>

// A dump holds at most 256 pages of 254 data bytes; a sample takes 6 bytes,
// so no record holds more than 10,837 samples per series. The bound leaves
// a little room above that.
constexpr std::size_t RecordSampleMax = 11000;
