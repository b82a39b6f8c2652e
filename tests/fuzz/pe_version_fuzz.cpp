// libFuzzer entry: any bytes as an executable for the product-version reader.
#include "recorder/peversionreader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemoryByteSource source(data, size);
    const PeVersionResult result = ReadPeProductVersion(source);
    // A version can only come from a file that holds a whole version block:
    // its 40-byte header and the 52-byte fixed record.
    if (result.status == PeVersionStatus::Found && size < 40 + 52)
        std::abort();
    return 0;
}
