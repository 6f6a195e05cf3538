// Arbitrary bytes as a HID report descriptor: no crash, no hang.
#include "device/ReportDescriptor.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const ReportDescriptorInfo info = ParseReportDescriptor(data, size);
    if (info.inputReportLength == 1)
        __builtin_trap(); // a length is 0 or at least one data byte plus the identifier
    return 0;
}
