#pragma once
// Builds valid dump texts in code: the device memory of one exercise
// (48-byte header, sensor samples and lap records in the order they are
// added, laid out in 256-byte pages with their tags), then the dongle's
// report lines around it (start marker, counted data lines, end marker)
// and the "Temp.txt" text.
//
//   DumpBuilder b;                       // 12-07-04 08:05:03, wheel 2096
//   b.addSample(72, 80, 100, 6181);
//   b.addLap(DumpBuilder::lap(1));
//   writeFileBytes(folder.file("Temp.txt"), b.tempText());
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class DumpBuilder {
public:
    static const char *const StartMarker; // 64 characters
    static const char *const EndMarker;   // 64 characters

    // 32 bytes of a lap record; bytes 28 to 31 (the chain) are filled in
    // by the builder unless chainFixed is set.
    struct Lap {
        std::array<std::uint8_t, 32> bytes{};
        bool chainFixed = false;
    };
    // A lap record with LAP_IDX = index and a few non-zero values.
    static Lap lap(std::uint8_t index);
    // A dump of the given pages (256 at most) whose data fills all but the
    // last one, the longest data length the header can state: samples with
    // laps spread among them.
    static DumpBuilder full(int pages, int laps);

    DumpBuilder();

    // Header. Bytes 29 (LAPCOUNT) and 42 to 47 (sections, lap addresses)
    // are computed from the content unless set explicitly here.
    void setHeaderByte(int index, std::uint8_t value);
    void setHeaderWord(int index, std::uint16_t value); // big-endian
    void setStart(int year, int month, int day, int hour, int minute, int second);
    void setWheel(int millimetres); // bytes 36, 37

    // Content, in stream order.
    void addSample(std::uint8_t heartRate, std::uint8_t cadence, std::uint16_t counter,
                   std::uint16_t period);
    void addLap(const Lap &lap);
    // Raw bytes in the stream (for odd layouts).
    void addBytes(const std::vector<std::uint8_t> &bytes);

    // Layout. Page i carries tag pageTags[i] when given, else firstTag + i.
    void setFirstTag(std::uint8_t tag) { firstTag_ = tag; }
    void setPageTags(std::vector<std::uint8_t> tags) { pageTags_ = std::move(tags); }
    // At least this many pages; pages past the data are filled with 0xFF.
    void setMinPages(int pages) { minPages_ = pages; }
    // Counter of the first data line (low four bits used).
    void setFirstCounter(int counter) { firstCounter_ = counter; }

    // Results.
    std::vector<std::uint8_t> dumpBytes() const; // whole pages
    int dataLength() const;                      // as the header states it
    int pageCount() const;
    std::uint8_t pageTag(int page) const;
    // Dump position (byte index) and device address (page tag, offset) of lap i.
    std::size_t lapPosition(std::size_t i) const;
    std::pair<std::uint8_t, std::uint8_t> lapAddress(std::size_t i) const;
    std::string headerHex() const;                // 96 characters
    std::vector<std::string> reportLines() const; // markers included, 66 characters each
    std::string tempText() const;                 // reportLines() with CR LF
    // The same reports as the dongle sends them: 33 data bytes each, after
    // the report ID (a fake dongle pads them to its report length).
    std::vector<std::vector<std::uint8_t>> reports() const;

    // Framing of arbitrary dump bytes (padded with 0xFF to whole 32-byte lines).
    static std::vector<std::string> frame(const std::vector<std::uint8_t> &dump, int firstCounter = 0);
    static std::string joinLines(const std::vector<std::string> &lines); // CR LF after each
    static std::string hex(const std::vector<std::uint8_t> &bytes);
    // Bytes of an upper-case hexadecimal text (pairs that are not hexadecimal give 0).
    static std::vector<std::uint8_t> bytes(const std::string &hexText);

private:
    struct Layout {
        std::vector<std::uint8_t> bytes;
        std::vector<std::size_t> lapPositions;
        int dataLength = 0;
    };
    Layout build() const;
    static std::size_t dumpPosition(std::size_t streamIndex);

    std::array<std::uint8_t, 48> header_{};
    std::array<bool, 48> headerFixed_{};
    std::vector<std::uint8_t> stream_; // content after the header
    std::vector<std::size_t> lapStarts_; // offsets into stream_
    std::vector<bool> lapChainFixed_;
    std::vector<std::uint8_t> pageTags_;
    std::uint8_t firstTag_ = 0x01;
    int minPages_ = 0;
    int firstCounter_ = 0;
};
