#include "draw/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace jpeg {
namespace {

// Error manager whose fatal errors and warnings jump back to the caller.
struct ErrorManager {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(cinfo->err)->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level)
{
    // Level -1 is a warning: corrupt data. Trace messages (level >= 0) are
    // ignored.
    if (level < 0) {
        cinfo->err->num_warnings++;
        std::longjmp(reinterpret_cast<ErrorManager *>(cinfo->err)->jump, 1);
    }
}

// Stops inputs that would keep the decoder busy for a long time with
// endless progressive scans.
void OnProgress(j_common_ptr cinfo)
{
    constexpr int MaxScans = 500;
    if (cinfo->is_decompressor
        && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MaxScans)
        OnError(cinfo);
}

void InstallErrorManager(ErrorManager &err)
{
    jpeg_std_error(&err.mgr);
    err.mgr.error_exit = OnError;
    err.mgr.emit_message = OnMessage;
}

// The libjpeg part of Decode; kept free of objects with destructors so the
// long jump skips nothing.
bool DecodeInto(const unsigned char *data, std::size_t size, Picture &out, int boxWidth, int boxHeight)
{
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    cinfo.err = &err.mgr;
    InstallErrorManager(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    progress.progress_monitor = OnProgress;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    // Bound libjpeg's own buffers too (a progressive picture keeps all its
    // coefficients): without a backing store a larger need is an error.
    cinfo.mem->max_memory_to_use = MaxDecoderBytes;
    jpeg_read_header(&cinfo, TRUE);
    if (std::size_t(cinfo.image_width) * cinfo.image_height > MaxPixels)
        OnError(reinterpret_cast<j_common_ptr>(&cinfo));
    // Scaled by 1/denominator, rounded up as libjpeg rounds.
    auto covers = [&](unsigned denominator) {
        return (cinfo.image_width + denominator - 1) / denominator >= unsigned(boxWidth) &&
               (cinfo.image_height + denominator - 1) / denominator >= unsigned(boxHeight);
    };
    cinfo.scale_num = 1;
    cinfo.scale_denom = 1;
    if (boxWidth > 0 && boxHeight > 0)
        for (const unsigned denominator : {8u, 4u, 2u})
            if (covers(denominator)) {
                cinfo.scale_denom = denominator;
                break;
            }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBX;
    jpeg_start_decompress(&cinfo);
    const std::size_t w = cinfo.output_width, h = cinfo.output_height;
    if (w == 0 || h == 0 || w * h > MaxPixels || cinfo.output_components != 4)
        OnError(reinterpret_cast<j_common_ptr>(&cinfo));
    out.rgbx.resize(w * h * 4);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.rgbx.data() + std::size_t(cinfo.output_scanline) * w * 4;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    const bool clean = err.mgr.num_warnings == 0;
    const bool inverted = cinfo.saw_Adobe_marker;
    jpeg_destroy_decompress(&cinfo);
    if (cmyk) {
        // Adobe writes CMYK inverted; convert to RGB the simple way.
        for (std::size_t i = 0; i < w * h * 4; i += 4) {
            unsigned c = out.rgbx[i], m = out.rgbx[i + 1], y = out.rgbx[i + 2], k = out.rgbx[i + 3];
            if (!inverted) {
                c = 255 - c; m = 255 - m; y = 255 - y; k = 255 - k;
            }
            out.rgbx[i] = static_cast<unsigned char>(c * k / 255);
            out.rgbx[i + 1] = static_cast<unsigned char>(m * k / 255);
            out.rgbx[i + 2] = static_cast<unsigned char>(y * k / 255);
            out.rgbx[i + 3] = 255;
        }
    }
    out.width = static_cast<int>(w);
    out.height = static_cast<int>(h);
    return clean;
}

bool EncodeInto(const unsigned char *rgb, int width, int height, std::ptrdiff_t stride,
                int quality, unsigned char **buffer, unsigned long *size)
{
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = &err.mgr;
    InstallErrorManager(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + std::ptrdiff_t(cinfo.next_scanline) * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

bool LooksLikeJpeg(const unsigned char *data, std::size_t size)
{
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool Decode(const unsigned char *data, std::size_t size, Picture &out, int boxWidth, int boxHeight)
{
    out = Picture();
    if (data == nullptr || size == 0 || !DecodeInto(data, size, out, boxWidth, boxHeight)) {
        out = Picture();
        return false;
    }
    return true;
}

bool Encode(const unsigned char *rgb, int width, int height, std::ptrdiff_t stride,
            int quality, std::string &out)
{
    out.clear();
    if (rgb == nullptr || width <= 0 || height <= 0 || width > 65500 || height > 65500)
        return false;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    const bool ok = EncodeInto(rgb, width, height, stride, quality, &buffer, &size);
    if (ok)
        out.assign(reinterpret_cast<const char *>(buffer), size);
    std::free(buffer);
    return ok && !out.empty();
}

} // namespace jpeg
