#include "device/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Item types and tags of the short item prefix byte.
constexpr unsigned TypeMain = 0, TypeGlobal = 1;
constexpr unsigned TagInput = 0x8;
constexpr unsigned TagReportSize = 0x7, TagReportId = 0x8, TagReportCount = 0x9;
constexpr unsigned TagPush = 0xA, TagPop = 0xB;
constexpr std::uint8_t LongItemPrefix = 0xFE;
// Deeper Push nesting than any real device uses is ignored.
constexpr std::size_t MaxPushDepth = 64;
// Bits beyond what a 16-bit byte length can express are not counted further.
constexpr std::uint64_t MaxBits = 0xFFFFull * 8;

struct Globals {
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

std::uint32_t itemValue(const std::uint8_t *p, std::size_t n)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < n; ++i)
        v |= std::uint32_t(p[i]) << (8 * i);
    return v;
}

} // namespace

ReportDescriptorInfo ParseReportDescriptor(const std::uint8_t *data, std::size_t size)
{
    ReportDescriptorInfo info;
    std::array<std::uint64_t, 256> inputBits{};
    Globals g;
    std::vector<Globals> stack;

    std::size_t pos = 0;
    while (pos < size) {
        const std::uint8_t prefix = data[pos];
        if (prefix == LongItemPrefix) {
            // Long item: data size byte, tag byte, data. Carries nothing we count.
            if (pos + 1 >= size)
                break;
            pos += 3 + std::size_t(data[pos + 1]);
            continue;
        }
        const std::size_t n = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (pos + 1 + n > size)
            break; // truncated item
        const std::uint32_t value = itemValue(data + pos + 1, n);
        const unsigned type = (prefix >> 2) & 3, tag = prefix >> 4;
        pos += 1 + n;

        if (type == TypeMain && tag == TagInput) {
            std::uint64_t &bits = inputBits[g.reportId];
            bits = std::min(MaxBits, bits + std::min(MaxBits, std::uint64_t(g.reportSize) * g.reportCount));
        } else if (type == TypeGlobal) {
            switch (tag) {
            case TagReportSize: g.reportSize = value; break;
            case TagReportCount: g.reportCount = value; break;
            case TagReportId:
                g.reportId = std::uint8_t(value);
                info.numberedReports = true;
                break;
            case TagPush:
                if (stack.size() < MaxPushDepth)
                    stack.push_back(g);
                break;
            case TagPop:
                if (!stack.empty()) {
                    g = stack.back();
                    stack.pop_back();
                }
                break;
            default: break;
            }
        }
    }

    std::uint64_t largestBytes = 0;
    for (std::uint64_t bits : inputBits)
        largestBytes = std::max(largestBytes, (bits + 7) / 8);
    if (largestBytes > 0)
        info.inputReportLength = std::uint16_t(std::min<std::uint64_t>(largestBytes + 1, 0xFFFF));
    return info;
}
