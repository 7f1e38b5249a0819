// Reads an application name from arbitrary bytes as the catalogue does from a connection
// file: it must never crash or overrun, a name found must lie inside what was read, and the
// bytes fed in two pieces (as a file is read) must give the same result.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalogue/app_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const AppNameResult result = ReadAppNameFromBytes(bytes);
    if (result.outcome == AppNameResult::empty && size != 0)
        __builtin_trap();
    // Each character of the name comes from one 16-bit unit (or a pair) of the file.
    if (result.name.size() > size / 2)
        __builtin_trap();
    AppNameReader reader;
    const std::size_t cut = size == 0 ? 0 : data[0] % size;
    reader.Feed(bytes.substr(0, cut));
    reader.Feed(bytes.substr(cut));
    const AppNameResult pieces = reader.Finish();
    if (pieces.outcome != result.outcome || pieces.name != result.name)
        __builtin_trap();
    return 0;
}
