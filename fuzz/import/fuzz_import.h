#pragma once
// One fuzz input through a reader, the resampling and the record writer.
#include "import/Readers.h"
#include "import/Resample.h"
#include "ride/RideRecordFile.h"

#include <QTimeZone>

#include <cstddef>
#include <cstdint>

inline void FuzzTracks(const TrackFile &file)
{
    static const QTimeZone zone("Europe/Berlin");
    for (const Track &track : file.tracks) {
        Ride ride;
        std::string error;
        if (RideOfTrack(track, zone, ride, error))
            (void)RideRecordText(ride);
    }
}
