#include "device/TransferProgress.h"

#include <algorithm>

namespace {

constexpr int LinesPerSection = 8;
// Header byte 42 (SECTION_CNT) lies in the second data report, after its
// counter byte: memory byte 42 - 32.
constexpr std::size_t SectionCountByte = 1 + (42 - 32);

} // namespace

void TTransferProgress::Start(std::int64_t nowMs)
{
    *this = TTransferProgress();
    firstDataMs_ = nowMs;
}

void TTransferProgress::Add(const std::uint8_t *data, std::size_t length, std::int64_t nowMs)
{
    ++reports_;
    if (reports_ == 1 || length == 0)
        return; // the start marker, or an empty read
    const int counter = data[0] & 0x0F;
    if (counter == lastCounter_)
        return; // a repeated report
    lastCounter_ = counter;
    ++received_;
    if (received_ == 1) {
        firstCounter_ = counter;
        firstDataMs_ = nowMs;
    } else if (received_ == 2 && counter == ((firstCounter_ + 1) & 0x0F) && length > SectionCountByte) {
        announced_ = data[SectionCountByte] * LinesPerSection;
    }
}

int TTransferProgress::Percent() const
{
    if (announced_ <= 0)
        return -1;
    return std::min(100, received_ * 100 / announced_);
}

int TTransferProgress::SecondsLeft(std::int64_t nowMs) const
{
    const std::int64_t elapsed = nowMs - firstDataMs_;
    if (announced_ <= 0 || received_ < 2 || elapsed <= 0)
        return -1;
    const int left = std::max(0, announced_ - received_);
    return static_cast<int>((std::int64_t(left) * elapsed / received_ + 999) / 1000);
}
