#pragma once
// Readers of the files other devices and platforms write. Each takes the
// whole file content and never reads beyond it; a file that is damaged,
// truncated, empty or holds no ride gets its reason in TrackFile::error.
#include "import/Track.h"

#include <string>
#include <string_view>

// FIT activity files (several chained in one are read in turn).
TrackFile ReadFit(std::string_view bytes);
// TrainingCenterDatabase v2: one ride per activity.
TrackFile ReadTcx(std::string_view bytes);
// GPX 1.1: one ride per track.
TrackFile ReadGpx(std::string_view bytes);

// The content of a .gz file (several members in turn), at most maxBytes.
// False with the reason when it is damaged or inflates beyond that.
bool Gunzip(std::string_view bytes, std::string &out, std::size_t maxBytes, std::string &error);

// Reads a file of any of the formats, also gzip-compressed: the format is
// told by the content, not the name.
TrackFile ReadTrackFile(std::string_view bytes);
