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

// Decodes JPEG data for display; a null image on any error or warning.
QImage DecodeJpegImage(const QByteArray &data);
// Encodes a picture as JPEG; empty on failure.
QByteArray EncodeJpegImage(const QImage &image, int quality);
// Reads a picture file: JPEG data (by its signature, whatever the name)
// through libjpeg, anything else through the toolkit's image readers.
// False when the file cannot be read or is not a picture. A rider's own
// photo is read with links NotFollowed (store/NarrowFile.h).
bool LoadPhotoFile(const std::string &path, LoadedPhoto &out, Links links = Links::Followed);
