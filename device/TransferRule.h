#pragma once
// When a download has ended, counted without widgets. MeasureTimer adds
// the reports of each one-second tick to the total the diagnostic panel
// shows; StatusCheckTimer, started by the first report, ends the transfer
// once the received line count has stayed the same through three ticks.
// Reports beyond the largest dump the decoder reads are not kept, so a
// device that never pauses still ends, as a failed transfer.
#include <cstddef>
#include <cstdint>

class TTransferRule {
public:
    // A new transfer: the counts and the rule start again.
    void Start();
    // Whether a report is kept, given the bytes the log holds so far.
    static bool Keeps(std::size_t logBytes);
    // A report was kept: the rule waits three ticks again.
    void Report();
    // MeasureTimer's tick: the reports of the tick join the total.
    std::int32_t Measure();
    // StatusCheckTimer's tick with the lines received: true when the
    // transfer has ended (the rule then starts again from zero).
    bool Tick(std::int32_t lineCount);
    // After a tick, with the lines the log now holds.
    void Seen(std::int32_t lineCount) { LastLineCount = lineCount; }

    std::int32_t ReportsThisTick = 0;
    std::int32_t ReportsTotal = 0;
    std::uint32_t IdleTicks = 0;
    std::int32_t LastLineCount = 0;
};
