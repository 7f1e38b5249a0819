#include "catalogue/text_fit.h"

namespace {
constexpr std::string_view kDots = "...";
}

std::string FitTextToWidth(std::string_view text, int columnWidth, int offset,
                           const TextWidth& width) {
    if (text.empty() || width(text) + offset <= columnWidth)
        return std::string(text);
    const int dots = width(kDots);
    std::size_t keep = 1;
    for (std::size_t n = text.size() - 1; n >= 1; --n) {
        if (width(text.substr(0, n)) + offset + dots <= columnWidth) {
            keep = n;
            break;
        }
    }
    std::string result(text.substr(0, keep));
    result += kDots;
    return result;
}
