// .gz through zlib, and the choice of reader by a file's content.
#include "import/Readers.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

bool Gunzip(std::string_view bytes, std::string &out, std::size_t maxBytes, std::string &error)
{
    out.clear();
    z_stream z{};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) {
        error = "the decompressor cannot start";
        return false;
    }
    std::size_t at = 0;
    char chunk[65536];
    int status = Z_OK;
    while (true) {
        const std::size_t left = bytes.size() - at;
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data() + at));
        z.avail_in = static_cast<uInt>(std::min<std::size_t>(left, 1u << 30));
        z.next_out = reinterpret_cast<Bytef *>(chunk);
        z.avail_out = sizeof chunk;
        status = inflate(&z, Z_NO_FLUSH);
        at += static_cast<std::size_t>(z.next_in - reinterpret_cast<const Bytef *>(bytes.data() + at));
        const std::size_t produced = sizeof chunk - z.avail_out;
        if (out.size() + produced > maxBytes) {
            error = "the .gz file inflates beyond " + std::to_string(maxBytes >> 20) + " MiB";
            break;
        }
        out.append(chunk, produced);
        if (status == Z_STREAM_END) {
            // Another member may follow; anything else ends the file.
            if (at + 2 <= bytes.size() && bytes[at] == '\x1f' && bytes[at + 1] == '\x8b') {
                inflateReset(&z);
                continue;
            }
            if (at == bytes.size()) {
                inflateEnd(&z);
                return true;
            }
            error = "the .gz file holds bytes after its end";
            break;
        }
        if (status != Z_OK) {
            error = status == Z_BUF_ERROR ? "the .gz file is truncated" : "the .gz file is damaged";
            break;
        }
    }
    inflateEnd(&z);
    out.clear();
    return false;
}

namespace {

// The root element's name of an XML text, or empty.
std::string_view RootName(std::string_view text)
{
    std::size_t at = 0;
    while ((at = text.find('<', at)) != std::string_view::npos && at + 1 < text.size()) {
        const char next = text[at + 1];
        if (next != '?' && next != '!') {
            std::size_t end = at + 1;
            while (end < text.size() && !std::strchr(" \t\r\n/>", text[end]))
                ++end;
            std::string_view name = text.substr(at + 1, end - at - 1);
            const std::size_t colon = name.find(':');
            return colon == std::string_view::npos ? name : name.substr(colon + 1);
        }
        ++at;
    }
    return {};
}

} // namespace

TrackFile ReadTrackFile(std::string_view bytes)
{
    TrackFile file;
    if (bytes.empty()) {
        file.error = "the file is empty";
        return file;
    }
    std::string inflated;
    if (bytes.size() >= 2 && bytes[0] == '\x1f' && bytes[1] == '\x8b') {
        if (!Gunzip(bytes, inflated, importlimit::FileBytes, file.error))
            return file;
        if (inflated.empty()) {
            file.error = "the .gz file is empty";
            return file;
        }
        bytes = inflated;
    }
    if (bytes.size() >= 12 && bytes.substr(8, 4) == ".FIT")
        return ReadFit(bytes);
    const std::string_view root = RootName(bytes.substr(0, 4096));
    if (root == "TrainingCenterDatabase")
        return ReadTcx(bytes);
    if (root == "gpx")
        return ReadGpx(bytes);
    file.error = "not a FIT, TCX or GPX file";
    return file;
}
