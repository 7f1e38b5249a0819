#include "catalogue/app_name.h"

#include "framework/text_convert.h"

namespace {

constexpr char16_t kLineFeed = 0x000A;
constexpr char16_t kCarriageReturn = 0x000D;
constexpr std::size_t kMarkBytes = 2;

// The line's text in the ANSI code page: up to its CR LF, or to a unit 0 inside it.
std::string LineText(std::u16string& line) {
    const std::size_t zero = line.find(char16_t{0});
    if (zero != std::u16string::npos)
        line.resize(zero);
    else if (!line.empty() && line.back() == kCarriageReturn)
        line.pop_back();
    return WideToAnsi(line.data(), line.size());
}

bool FindKey(std::u16string& line, AppNameResult& result) {
    const std::string text = LineText(line);
    const std::size_t at = text.find(kAppNameKey);
    if (at == std::string::npos)
        return false;
    result.outcome = AppNameResult::found;
    result.name = text.substr(at + kAppNameKey.size());
    return true;
}

} // namespace

void AppNameReader::Feed(std::string_view bytes) {
    for (const char byte : bytes) {
        if (Done())
            return;
        // The byte-order mark's value does not matter.
        if (m_total++ < kMarkBytes)
            continue;
        const auto value = static_cast<unsigned char>(byte);
        if (m_pendingByte < 0) {
            m_pendingByte = value;
            continue;
        }
        TakeUnit(static_cast<char16_t>(m_pendingByte | value << 8));
        m_pendingByte = -1;
    }
}

void AppNameReader::TakeUnit(char16_t unit) {
    if (unit != kLineFeed) {
        m_line.push_back(unit);
        return;
    }
    FindKey(m_line, m_result);
    m_line.clear();
}

AppNameResult AppNameReader::Finish() {
    if (m_total == 0)
        m_result.outcome = AppNameResult::empty;
    else if (m_result.outcome != AppNameResult::found && !m_line.empty())
        FindKey(m_line, m_result);
    m_line.clear();
    return m_result;
}

AppNameResult ReadAppNameFromBytes(std::string_view bytes) {
    AppNameReader reader;
    reader.Feed(bytes);
    return reader.Finish();
}
