#include "draw/Photo.h"

#include "draw/JpegCodec.h"
#include "store/Textfile.h"

#include <QBuffer>
#include <QImageReader>

QImage DecodeJpegImage(const QByteArray &data, int boxWidth, int boxHeight)
{
    jpeg::Picture pic;
    if (!jpeg::Decode(reinterpret_cast<const unsigned char *>(data.constData()),
                      static_cast<std::size_t>(data.size()), pic, boxWidth, boxHeight))
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

namespace {

// Another format through the toolkit: the size from the header first, so a
// huge picture is refused before anything of its size is allocated; then
// decoded (and scaled) to what covers the photo box.
QImage DecodeOtherImage(const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || (long long)size.width() * size.height() > MaxOtherPhotoPixels)
        return QImage();
    reader.setAllocationLimit(int(MaxOtherPhotoPixels * 4 >> 20));
    const QSize box(PhotoBoxWidth, PhotoBoxHeight);
    if (size.width() > box.width() && size.height() > box.height())
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatioByExpanding));
    return reader.read();
}

} // namespace

bool LoadPhotoFile(const std::string &path, LoadedPhoto &out, Links links)
{
    // No photo file is larger than the largest picture of another format,
    // stored uncompressed at 4 bytes a pixel (plus its headers); a JPEG
    // file is far smaller than that.
    constexpr std::size_t MaxPhotoBytes = std::size_t(MaxOtherPhotoPixels) * 4 + 4096;
    out = LoadedPhoto();
    std::string bytes;
    if (!ReadFileBytes(path, bytes, MaxPhotoBytes, links) || bytes.empty())
        return false;
    // No copy of the bytes for decoding; the JPEG ones are kept as a copy.
    const QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (jpeg::LooksLikeJpeg(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size())) {
        out.image = DecodeJpegImage(data, PhotoBoxWidth, PhotoBoxHeight);
        if (out.image.isNull())
            return false;
        out.jpeg = QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
        return true;
    }
    out.image = DecodeOtherImage(data);
    return !out.image.isNull();
}
