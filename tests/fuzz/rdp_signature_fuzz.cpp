// Reads a connection file's signature from arbitrary bytes as the launch does: it must never
// crash or overrun, and what it hands to the platform must be shaped as a signer makes it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalogue/rdp_signature.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RdpSignature read = ReadRdpSignature(bytes);
    if (read.outcome != RdpSignature::signedFile) {
        if (!read.content.empty() || !read.signature.empty())
            __builtin_trap();
        return 0;
    }
    // Content: whole UTF-16 units ending in CR LF NUL; the signature came out of the file's base64.
    const std::string_view content = read.content;
    if (content.size() % 2 != 0 || content.size() < 6 ||
        content.substr(content.size() - 6) != std::string_view("\r\0\n\0\0\0", 6) ||
        read.signature.empty() || read.signature.size() > size)
        __builtin_trap();
    return 0;
}
