// Input report length from report descriptors as real devices send them.
#include "device/ReportDescriptor.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

ReportDescriptorInfo parse(const std::vector<std::uint8_t> &d) { return ParseReportDescriptor(d.data(), d.size()); }

// A vendor-defined device with one 64-byte input and one 64-byte output
// report, no report identifiers (the dongle's kind of descriptor).
const std::vector<std::uint8_t> VendorDefined64 = {
    0x06, 0x00, 0xFF,       // Usage Page (Vendor Defined 0xFF00)
    0x09, 0x01,             // Usage (1)
    0xA1, 0x01,             // Collection (Application)
    0x15, 0x00,             //   Logical Minimum (0)
    0x26, 0xFF, 0x00,       //   Logical Maximum (255)
    0x75, 0x08,             //   Report Size (8)
    0x95, 0x40,             //   Report Count (64)
    0x09, 0x01,             //   Usage (1)
    0x81, 0x02,             //   Input (Data, Var, Abs)
    0x95, 0x40,             //   Report Count (64)
    0x09, 0x01,             //   Usage (1)
    0x91, 0x02,             //   Output (Data, Var, Abs)
    0xC0,                   // End Collection
};

// The boot keyboard: modifiers, a reserved byte and six key codes as input,
// five LED bits plus padding as output.
const std::vector<std::uint8_t> BootKeyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,             // Generic Desktop, Keyboard, Application
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02,             // 8 x 1 bit modifiers
    0x95, 0x01, 0x75, 0x08, 0x81, 0x01,             // reserved byte (constant)
    0x95, 0x05, 0x75, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x05,
    0x91, 0x02,                                     // 5 LED bits (output)
    0x95, 0x01, 0x75, 0x03, 0x91, 0x01,             // LED padding (output)
    0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65,
    0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00, // 6 key codes
    0xC0,
};

} // namespace

TEST(ReportDescriptor, VendorDefined64ByteReportWithoutIdentifiersGives65)
{
    const ReportDescriptorInfo info = parse(VendorDefined64);
    EXPECT_EQ(info.inputReportLength, 65);
    EXPECT_FALSE(info.numberedReports);
}

TEST(ReportDescriptor, KeyboardCountsInputItemsOnly)
{
    // 1 + 1 + 6 input bytes; the LED output report does not count.
    const ReportDescriptorInfo info = parse(BootKeyboard);
    EXPECT_EQ(info.inputReportLength, 9);
    EXPECT_FALSE(info.numberedReports);
}

TEST(ReportDescriptor, NumberedReportsTakeTheLargestRoundedUpPlusOne)
{
    // A mouse with buttons (report 1: 3 bits + 5 padding + 2 axes = 3 bytes)
    // and a consumer control (report 2: one 16-bit usage and 4 loose bits,
    // 20 bits = 3 bytes rounded up), then a vendor report 3 of 7 bytes.
    const std::vector<std::uint8_t> d = {
        0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x01,
        0x05, 0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01,
        0x95, 0x03, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x03,
        0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15, 0x81, 0x25, 0x7F,
        0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0,
        0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02,
        0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0x75, 0x01, 0x95, 0x04, 0x81, 0x02, 0xC0,
        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x03,
        0x75, 0x08, 0x95, 0x07, 0x81, 0x02, 0x95, 0x20, 0xB1, 0x02, 0xC0,  // feature 32 bytes ignored
    };
    const ReportDescriptorInfo info = parse(d);
    EXPECT_TRUE(info.numberedReports);
    EXPECT_EQ(info.inputReportLength, 8);
}

TEST(ReportDescriptor, PushAndPopSaveReportSizeCountAndIdentifier)
{
    const std::vector<std::uint8_t> d = {
        0x85, 0x01, 0x75, 0x08, 0x95, 0x04,
        0xA4,                   // Push (id 1, 8 x 4)
        0x85, 0x02, 0x95, 0x10, // report 2: 16 bytes
        0x81, 0x02,
        0xB4,                   // Pop: back to report 1, 8 x 4
        0x81, 0x02, 0x81, 0x02, // report 1: 8 bytes
        0xB4, 0xB4,             // Pop on an empty stack changes nothing
        0x81, 0x02,             // report 1: 12 bytes
    };
    EXPECT_EQ(parse(d).inputReportLength, 17);
}

TEST(ReportDescriptor, OddInputGivesNoLengthAndNeverOverflows)
{
    EXPECT_EQ(parse({}).inputReportLength, 0);
    // Output only.
    EXPECT_EQ(parse({0x75, 0x08, 0x95, 0x40, 0x91, 0x02}).inputReportLength, 0);
    // A truncated item at the end is not read past.
    EXPECT_EQ(parse({0x75, 0x08, 0x95, 0x02, 0x81, 0x02, 0x97, 0xFF}).inputReportLength, 3);
    // A long item is skipped whole, even when it claims more than is there.
    EXPECT_EQ(parse({0x75, 0x08, 0x95, 0x01, 0xFE, 0x02, 0x10, 0x81, 0x02, 0x81, 0x02}).inputReportLength, 2);
    EXPECT_EQ(parse({0xFE, 0xFF}).inputReportLength, 0);
    // Huge 32-bit size and count saturate at the largest 16-bit length.
    EXPECT_EQ(parse({0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02, 0x81, 0x02})
                  .inputReportLength,
              0xFFFF);
}
