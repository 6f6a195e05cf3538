// The FIT reader on arbitrary bytes, then the resampling and the record writer.
#include "fuzz/import/fuzz_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzTracks(ReadFit(std::string_view(reinterpret_cast<const char *>(data), size)));
    return 0;
}
