// Reads an application name from arbitrary bytes as the catalogue does from a connection
// file: it must never crash or overrun, and a name found must lie inside what was read.
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
    return 0;
}
