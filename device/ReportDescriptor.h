#pragma once
// Input report length from a HID report descriptor, counted the way the
// controller reports it: per report identifier the sum of Report Size x
// Report Count over the Input items, rounded up to bytes; the largest of
// them plus one report-identifier byte. 0 when there is no input report.
#include <cstddef>
#include <cstdint>

struct ReportDescriptorInfo {
    std::uint16_t inputReportLength = 0;
    bool numberedReports = false;   // the descriptor has Report ID items
};

ReportDescriptorInfo ParseReportDescriptor(const std::uint8_t *data, std::size_t size);
