// Request framing both ways: fields taken from the input (split at '\n', the first byte the
// kind letter) must frame and parse back to themselves, or be refused only when a field or
// the total is too long; any text that parses must frame back to exactly that text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "session/request_framing.h"

namespace {

void CheckFieldsRoundTrip(char kind, const std::vector<std::string>& fields) {
    const auto framed = FrameRequest(kind, fields);
    std::size_t total = 0;
    bool fieldTooLong = false;
    for (const std::string& field : fields) {
        total += 2 + field.size();
        fieldTooLong = fieldTooLong || field.size() > kMaxFramedFieldLength;
    }
    const bool fits = !fieldTooLong && total <= kMaxFramedTotal;
    if (framed.has_value() != fits)
        __builtin_trap();
    if (!framed)
        return;
    const auto parsed = ParseFramedRequest(*framed);
    if (!parsed || parsed->kind != kind || parsed->fields != fields)
        __builtin_trap();
}

void CheckTextRoundTrip(std::string_view text) {
    const auto parsed = ParseFramedRequest(text);
    if (!parsed)
        return;
    const auto framed = FrameRequest(parsed->kind, parsed->fields);
    if (!framed || *framed != text)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckTextRoundTrip(input);
    if (input.empty())
        return 0;

    std::vector<std::string> fields;
    std::string_view rest = input.substr(1);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        fields.emplace_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    CheckFieldsRoundTrip(input[0], fields);
    return 0;
}
