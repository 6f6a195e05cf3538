#pragma once
// TTRAnalysis: turns the hexadecimal dump text of one transfer ("Temp.txt")
// into one record file YYMMDDhhmmss.TR9. All files are read and written by
// bare name in one folder, the application folder, which the caller names.
// Create one object per transfer, call Decode once, read FileName.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class AtomicFile;

class TTRAnalysis {
public:
    // Receives the messages the decoder shows (text, caption); the program
    // shows a message box, the command-line tool prints them.
    using MessageSink = std::function<void(const std::string &text, const std::string &caption)>;

    explicit TTRAnalysis(MessageSink sink = {});

    // Runs the whole decoding in folder; true on failure. On success the
    // record file named FileName is in folder. FailReason says why it failed.
    bool Decode(const std::string &folder);
    // Framing of "Temp.txt": 0 ok, 1 no file (or none that can be read),
    // 2 no start marker, 3 no end marker, 4 report counters not continuous.
    int LoadDump();
    // Byte k of a hexadecimal text (characters 2k+1, 2k+2 counted from 1):
    // 0 to 255, or -1 when the pair is missing or not two hexadecimal digits.
    int HexByte(std::string_view text, std::uint8_t k) const;
    void DecodeHeader();
    bool DecodeLap(); // true on failure
    void DecodeFlow();
    void WriteRecordFile();

    // Meaning of a LoadDump result, for messages.
    static const char *LoadDumpMeaning(int code);

    std::uint8_t NextLapHigh = 0;
    std::uint8_t LapPage = 0;
    std::uint8_t NextLapLow = 0;
    std::int32_t DataLength = 0;
    std::uint32_t Wheel = 0;
    std::int32_t Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
    std::string DumpHex;
    // The sample stream DecodeFlow takes from DumpHex: what is left between
    // the header and the data length once page tails and laps are left out.
    std::string FlowHex;
    std::string FileName;
    // The record file is in place, but the fsync of its folder failed: it
    // may not survive a power cut.
    bool RecordUnconfirmed = false;
    // A line of DumpText: where it starts and how many characters it keeps
    // (at most 66). Eight bytes a line keep short-line input cheap.
    struct TextLine {
        std::uint32_t at = 0;
        std::uint32_t size = 0;
    };
    std::string DumpText;        // the bytes of "Temp.txt"
    std::vector<TextLine> Lines; // its lines as cut by LoadDump: the record's raw transfer
    std::string_view LineText(std::size_t i) const;
    // Lines of the "[File Head]" section; WriteRecordFile writes the other
    // sections after it straight from the decoder's lists.
    std::vector<std::string> HeadList;
    std::vector<std::string> PageTags;
    std::vector<std::string> LapList;
    std::vector<std::string> FlowList;

    // The folder of all files (Decode sets it; empty means the working folder).
    std::string AppFolder;
    // Why the last Decode failed; empty after a success.
    std::string FailReason;

private:
    // HexByte that remembers a bad pair in BadByte.
    int ReadByte(std::string_view text, std::uint8_t k);
    std::string PathOf(const std::string &name) const;
    // Splits DumpText into Lines, each cut to 66 characters.
    void SplitDumpText();
    // Of the lines first to last (exclusive): whether line i is the last of
    // its run of equal counters, the one a repeated report keeps.
    bool KeptLine(std::size_t i, std::size_t last) const;
    // Saves Lines first to last (exclusive) as a work file: only the kept
    // ones when keptOnly, each without its first skip characters.
    void SaveLines(const std::string &name, std::size_t first, std::size_t last, bool keptOnly = false,
                   std::size_t skip = 0);
    void SaveLines(const std::string &name, std::span<const std::string> lines);
    // Writes Lines first to last (exclusive), as SaveLines saves them.
    void WriteLines(AtomicFile &file, std::size_t first, std::size_t last, bool keptOnly = false,
                    std::size_t skip = 0) const;
    bool Fail(const std::string &reason);

    MessageSink Sink;
    std::string ReadProblem;        // why "Temp.txt" could not be read (LoadDump 1)
    std::size_t DataLineCount = 0;  // data lines left after removing repeated reports
    bool BadByte = false;           // a byte read was not two hexadecimal digits
    bool WriteFailed = false;       // a work file could not be written
};
