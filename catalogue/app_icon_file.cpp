#include "catalogue/app_icon_file.h"

#include <cstdint>

namespace {

constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kEntryBytes = 16;
constexpr std::uint32_t kMaxImages = 64;
constexpr std::int64_t kMaxSide = 256;
constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1A\n", 8};

std::uint32_t Little(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint32_t Big32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

bool SideFits(std::int64_t side) {
    return side > 0 && side <= kMaxSide;
}

// One image's bytes: a PNG stream, or a bitmap header whose height counts the image and its
// mask.
bool IsUsableImage(std::string_view image) {
    if (image.substr(0, kPngSignature.size()) == kPngSignature) {
        // Signature, then the IHDR chunk's length and type, then width and height.
        return image.size() >= 24 && image.substr(12, 4) == "IHDR" && SideFits(Big32(image, 16)) &&
               SideFits(Big32(image, 20));
    }
    if (image.size() < 40)
        return false;
    const std::uint32_t headerBytes = Little(image, 0, 4);
    const auto width = static_cast<std::int32_t>(Little(image, 4, 4));
    const auto height = static_cast<std::int32_t>(Little(image, 8, 4));
    const std::uint32_t planes = Little(image, 12, 2);
    const std::uint32_t bits = Little(image, 14, 2);
    const bool knownDepth =
        bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    return headerBytes >= 40 && headerBytes <= image.size() && SideFits(width) && height % 2 == 0 &&
           SideFits(height / 2) && planes == 1 && knownDepth;
}

} // namespace

std::wstring IconPathFor(std::wstring_view connectionFile) {
    const std::size_t name = connectionFile.find_last_of(L"\\/");
    const std::size_t dot = connectionFile.find_last_of(L'.');
    const bool hasExtension =
        dot != std::wstring_view::npos && (name == std::wstring_view::npos || dot > name);
    std::wstring path(connectionFile.substr(0, hasExtension ? dot : connectionFile.size()));
    return path + L".ico";
}

bool IsUsableIconFile(std::string_view bytes) {
    if (bytes.size() < kHeaderBytes || bytes.size() > kMaxIconFileBytes)
        return false;
    const std::uint32_t count = Little(bytes, 4, 2);
    if (Little(bytes, 0, 2) != 0 || Little(bytes, 2, 2) != 1 || count == 0 || count > kMaxImages)
        return false;
    const std::size_t images = kHeaderBytes + kEntryBytes * count;
    if (images > bytes.size())
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kHeaderBytes + kEntryBytes * i;
        const std::uint64_t size = Little(bytes, entry + 8, 4);
        const std::uint64_t offset = Little(bytes, entry + 12, 4);
        if (offset < images || offset + size > bytes.size() ||
            !IsUsableImage(
                bytes.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(size))))
            return false;
    }
    return true;
}
