#pragma once
// Rider folders for the metrics index tests and benchmark: record files
// made from decoded rides with their start rewritten, and notes files.
#include <string>
#include <vector>

class IndexRides {
public:
    // Decodes the template rides in scratch (a folder of its own): all
    // sensors with the given samples, and the belt alone.
    explicit IndexRides(const std::string &scratch, int samples = 360);

    enum class Kind { AllSensors, BeltOnly };
    // The record file's name of a start ("YYMMDDhhmmss.TR9").
    static std::string Name(int year, int month, int day, int hour, int minute, int second);
    // The record text of a ride starting then.
    std::string Text(int year, int month, int day, int hour, int minute, int second,
                     Kind kind = Kind::AllSensors) const;
    // Writes it into folder under Name(); returns the name.
    std::string Write(const std::string &folder, int year, int month, int day, int hour, int minute, int second,
                      Kind kind = Kind::AllSensors) const;

private:
    std::string allSensors_, beltOnly_;
};

// Writes the notes file of record name in folder as the store does
// (UTF-16 LE with its mark, CR LF): topic, weather choice, memo lines.
void WriteNotes(const std::string &folder, const std::string &name, const std::string &topic,
                const std::string &weather, const std::vector<std::string> &memo);
