#include "framework/text_convert.h"

#include <climits>
#include <windows.h>

std::string WideToAnsi(const char16_t* text, std::size_t length) {
    // The archive caps strings far below this, so refusing keeps the int casts honest.
    if (length == 0 || length > static_cast<std::size_t>(INT_MAX))
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text);
    const int wideLength = static_cast<int>(length);
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string result(static_cast<std::size_t>(size), '\0');
    const int written =
        WideCharToMultiByte(CP_ACP, 0, wide, wideLength, result.data(), size, nullptr, nullptr);
    result.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return result;
}

std::wstring AnsiToWide(const std::string& text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX))
        return {};
    const int length = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), n);
    return wide;
}
