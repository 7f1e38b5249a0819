// An icon file built in memory: one 32-bit image per side, each pixel's colour (0xAARRGGBB)
// from colourAt(pixel index), an empty mask. Used where a test or a bench writes icons.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

namespace support {

inline std::string IconFileBytes(std::initializer_list<std::uint32_t> sides,
                                 const std::function<std::uint32_t(std::uint32_t)>& colourAt) {
    std::string file(6 + sides.size() * 16, '\0');
    const auto put = [](std::string& bytes, std::size_t at, std::uint32_t value, int width) {
        for (int i = 0; i < width; ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
    };
    put(file, 2, 1, 2);
    put(file, 4, static_cast<std::uint32_t>(sides.size()), 2);
    std::size_t entry = 0;
    for (const std::uint32_t side : sides) {
        std::string image(40 + side * side * 4 + side * 4, '\0');
        put(image, 0, 40, 4);
        put(image, 4, side, 4);
        put(image, 8, 2 * side, 4);
        put(image, 12, 1, 2);
        put(image, 14, 32, 2);
        for (std::uint32_t p = 0; p < side * side; ++p)
            put(image, 40 + 4 * p, colourAt(p), 4);
        const std::size_t at = 6 + 16 * entry++;
        file[at] = static_cast<char>(side);
        file[at + 1] = static_cast<char>(side);
        put(file, at + 4, 1, 2);
        put(file, at + 6, 32, 2);
        put(file, at + 8, static_cast<std::uint32_t>(image.size()), 4);
        put(file, at + 12, static_cast<std::uint32_t>(file.size()), 4);
        file += image;
    }
    return file;
}

} // namespace support
