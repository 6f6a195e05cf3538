#pragma once
// How far a running transfer has come. The dongle sends a start marker
// report, then data reports (a counter byte and 32 bytes of the exercise
// memory each) and an end marker. The exercise header arrives in the first
// two data reports; its section count (header byte 42) announces the data
// reports to come: 8 per 256-byte section. Each report costs a few integer
// operations, so the main thread can count them as they are handed over.
#include <cstddef>
#include <cstdint>

class TTransferProgress {
public:
    // A new transfer starts at nowMs (any monotonic clock in milliseconds).
    void Start(std::int64_t nowMs);
    // One report's data bytes (after the report ID) arrived at nowMs.
    void Add(const std::uint8_t *data, std::size_t length, std::int64_t nowMs);

    int Reports() const { return reports_; }
    // Data reports the header announces; 0 until the header has arrived.
    int AnnouncedLines() const { return announced_; }
    // Data reports received, a repeated report counted once.
    int ReceivedLines() const { return received_; }
    // 0..100, or -1 while the header is not known.
    int Percent() const;
    // Seconds still to wait at the rate so far; -1 when unknown.
    int SecondsLeft(std::int64_t nowMs) const;

private:
    int reports_ = 0;
    int announced_ = 0;
    int received_ = 0;
    int firstCounter_ = -1; // counter of the first data report
    int lastCounter_ = -1;
    std::int64_t firstDataMs_ = 0;
};
