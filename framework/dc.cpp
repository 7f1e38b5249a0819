#include "framework/dc.h"

#include <climits>

int CDC::GetTextWidth(std::string_view text) const {
    SIZE size{};
    const int length = text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
    if (!GetTextExtentPoint32A(m_hDC, text.data(), length, &size))
        return 0;
    return size.cx;
}
