#pragma once
// Fixture for decoder tests: a temporary application folder, a decoder
// whose messages are collected, and readers for the files it writes.
#include "record/Trfsanalysis.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class DecodeTest : public ::testing::Test {
protected:
    // Saves text as Temp.txt and decodes; true on failure.
    bool decode(const std::string &tempText)
    {
        writeFileBytes(folder.file("Temp.txt"), tempText);
        return analysis.Decode(folder.path());
    }
    bool decode(const DumpBuilder &builder) { return decode(builder.tempText()); }

    std::string file(const std::string &name) const { return readFileBytes(folder.file(name)); }
    bool exists(const std::string &name) const { return fileExists(folder.file(name)); }

    // The lines of a file written by the decoder; every line must end with CR LF.
    std::vector<std::string> lines(const std::string &name) const
    {
        const std::string text = file(name);
        std::vector<std::string> out;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) {
                ADD_FAILURE() << name << ": last line without CR LF";
                break;
            }
            out.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return out;
    }

    TempFolder folder;
    std::vector<std::string> messages; // "caption: text"
    TTRAnalysis analysis{[this](const std::string &text, const std::string &caption) {
        messages.push_back(caption + ": " + text);
    }};
};
