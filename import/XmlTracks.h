#pragma once
// What the TCX and GPX readers share: the XML reader set up for a file from
// elsewhere, and the times of xsd:dateTime.
#include "import/Track.h"

#include <QString>
#include <QXmlStreamReader>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace xmltrack {

// Days from 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d);

// Milliseconds since 1970 UTC of "2012-07-04T06:05:03Z" (fractions of a
// second and an offset "+02:00" allowed; a time without either is UTC).
// False when the text is no such time.
bool ParseTime(QStringView text, std::int64_t &ms);

// Walks an XML file element by element, keeping the local names of the
// open elements; a document nested deeper than any track file is refused.
class Walker {
public:
    // Leading white space and a byte-order mark are skipped: some platforms
    // write a line break before the XML declaration.
    explicit Walker(std::string_view bytes);
    // The next start or end of an element; false at the end or on an error.
    bool next();
    bool isStart() const { return start_; }
    // The local name of the element and of its ancestors: name(0) is the
    // element's, name(1) its parent's ("" above the root).
    const QString &name(std::size_t up = 0) const;
    // Whether an open element (the element itself included) has this name.
    bool inside(const char *name) const;
    QString attribute(const char *name) const;
    // The text of the element that just ended (leaves only, at most 64 characters kept).
    const QString &text() const { return text_; }
    // Why the walk ended early, or empty.
    std::string error() const;

private:
    QByteArray data_;
    QXmlStreamReader xml_;
    std::vector<QString> names_;
    QString text_;
    bool start_ = false, popPending_ = false, tooDeep_ = false;
};

// Hands every start and end of an element to onStart / onEnd while error
// stays empty, then returns file: its tracks, or none and the reason (the
// walk's, or noTracks where it found none).
TrackFile WalkTracks(Walker &walk, TrackFile &file, std::string &error, const std::function<void()> &onStart,
                     const std::function<void()> &onEnd, const char *noTracks);

// The number in text, or fallback when it is none.
double Number(const QString &text, double fallback = -1);

} // namespace xmltrack
