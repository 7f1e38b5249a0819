#include "tests/support/screenshot.h"

#include <fstream>
#include <vector>

namespace support {

namespace {

// Device contexts and bitmaps released in reverse order of creation, whatever step fails.
struct Capture {
    HDC screen = GetDC(nullptr);
    HDC memory = screen != nullptr ? CreateCompatibleDC(screen) : nullptr;
    HBITMAP bitmap = nullptr;

    Capture() = default;
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;
    ~Capture() {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        if (memory != nullptr)
            DeleteDC(memory);
        if (screen != nullptr)
            ReleaseDC(nullptr, screen);
    }
};

bool WriteBmp(const std::string& path, const BITMAPINFOHEADER& header,
              const std::vector<unsigned char>& pixels) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()),
              static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

} // namespace

bool SaveScreenshot(const std::string& path, HWND window) {
    RECT area{};
    if (window != nullptr) {
        if (!GetWindowRect(window, &area))
            return false;
    } else {
        area = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
        area.right = area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        area.bottom = area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    }
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return false;

    Capture capture;
    if (capture.memory == nullptr)
        return false;
    capture.bitmap = CreateCompatibleBitmap(capture.screen, width, height);
    if (capture.bitmap == nullptr)
        return false;
    HGDIOBJ previous = SelectObject(capture.memory, capture.bitmap);
    // The screen's pixels, not the window's own painting: what a user would see there.
    const bool copied =
        BitBlt(capture.memory, 0, 0, width, height, capture.screen, area.left, area.top, SRCCOPY);
    SelectObject(capture.memory, previous);
    if (!copied)
        return false;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height; // bottom-up rows, as BMP files store them
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<unsigned char> pixels(stride * static_cast<std::size_t>(height));
    header.biSizeImage = static_cast<DWORD>(pixels.size());
    if (GetDIBits(capture.memory, capture.bitmap, 0, static_cast<UINT>(height), pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) != height)
        return false;
    return WriteBmp(path, header, pixels);
}

std::optional<COLORREF> ScreenPixel(POINT point) {
    Capture capture;
    if (capture.screen == nullptr)
        return std::nullopt;
    const COLORREF colour = GetPixel(capture.screen, point.x, point.y);
    if (colour == CLR_INVALID)
        return std::nullopt;
    return colour;
}

} // namespace support
