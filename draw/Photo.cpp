#include "draw/Photo.h"

#include "draw/JpegCodec.h"
#include "store/Textfile.h"

QImage DecodeJpegImage(const QByteArray &data)
{
    jpeg::Picture pic;
    if (!jpeg::Decode(reinterpret_cast<const unsigned char *>(data.constData()),
                      static_cast<std::size_t>(data.size()), pic))
        return QImage();
    QImage image(pic.width, pic.height, QImage::Format_RGBX8888);
    if (image.isNull())
        return QImage();
    const std::size_t row = std::size_t(pic.width) * 4;
    for (int y = 0; y < pic.height; ++y)
        std::copy_n(pic.rgbx.data() + row * std::size_t(y), row, image.scanLine(y));
    return image;
}

QByteArray EncodeJpegImage(const QImage &image, int quality)
{
    if (image.isNull())
        return QByteArray();
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    std::string out;
    if (!jpeg::Encode(rgb.constBits(), rgb.width(), rgb.height(), rgb.bytesPerLine(), quality, out))
        return QByteArray();
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

bool LoadPhotoFile(const std::string &path, LoadedPhoto &out, Links links)
{
    // No photo file is larger than the largest picture decoded, stored
    // uncompressed at 4 bytes a pixel (plus its headers).
    constexpr std::size_t MaxPhotoBytes = jpeg::MaxPixels * 4 + 4096;
    out = LoadedPhoto();
    std::string bytes;
    if (!ReadFileBytes(path, bytes, MaxPhotoBytes, links) || bytes.empty())
        return false;
    const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (jpeg::LooksLikeJpeg(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size())) {
        out.image = DecodeJpegImage(data);
        if (out.image.isNull())
            return false;
        out.jpeg = data;
        return true;
    }
    out.image = QImage::fromData(data);
    return !out.image.isNull();
}
