#include "ui/time_stamp.h"

namespace {

// Zero-padded to `width` digits; values from a converted time are never negative, and a
// field out of range is shown as it is rather than cut.
std::string Pad(long long value, std::size_t width) {
    std::string text = std::to_string(value);
    if (value >= 0 && text.size() < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

} // namespace

std::string FormatTimeStamp(const std::tm& local) {
    // Built from the fields rather than with "%x": the runtime's date form varies by
    // platform, and this one must not.
    return Pad(local.tm_mon + 1LL, 2) + "/" + Pad(local.tm_mday, 2) + "/" +
           Pad(local.tm_year + 1900LL, 4) + "  " + Pad(local.tm_hour, 2) + ":" +
           Pad(local.tm_min, 2) + ":" + Pad(local.tm_sec, 2) + "   ";
}

std::string LocalTimeStamp(std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &when) != 0)
        return {};
#else
    if (localtime_r(&when, &local) == nullptr)
        return {};
#endif
    return FormatTimeStamp(local);
}
