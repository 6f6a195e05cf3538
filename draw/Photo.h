#pragma once
// Rider photos: reading a picture file for display (JPEG through libjpeg,
// other formats through the toolkit's readers) and JPEG encoding at a given
// quality.
#include "store/NarrowFile.h"

#include <QByteArray>
#include <QImage>
#include <string>

struct LoadedPhoto {
    QImage image;
    QByteArray jpeg; // the file's bytes when they are JPEG data, else empty
};

// The box a rider's photo is shown in: photos are decoded only as large as
// it needs (scaled down, never up).
inline constexpr int PhotoBoxWidth = 152, PhotoBoxHeight = 182;
// The largest picture of another format than JPEG that is decoded, in
// pixels (32 MiB at 4 bytes a pixel).
inline constexpr long long MaxOtherPhotoPixels = 1LL << 23;

// Decodes JPEG data for display; a null image on any error or warning.
// With a box, decoded scaled down to the smallest size that covers it
// (jpeg::Decode).
QImage DecodeJpegImage(const QByteArray &data, int boxWidth = 0, int boxHeight = 0);
// Encodes a picture as JPEG; empty on failure.
QByteArray EncodeJpegImage(const QImage &image, int quality);
// Reads a picture file for the photo box: JPEG data (by its signature,
// whatever the name) through libjpeg, anything else (BMP, PNG...) through
// the toolkit's image readers, at most MaxOtherPhotoPixels; both scaled
// down to what covers the box.
// False when the file cannot be read or is not a picture. A rider's own
// photo is read with links NotFollowed (store/NarrowFile.h).
bool LoadPhotoFile(const std::string &path, LoadedPhoto &out, Links links = Links::Followed);
