#include "framework/image_list.h"

#include "framework/dpi.h"
#include "framework/drawing_choice.h"
#include "framework/win_app.h"

#include <vector>

namespace {

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

} // namespace

CImageList::~CImageList() {
    DeleteImageList();
}

void CImageList::DeleteImageList() {
    if (m_hImageList != nullptr)
        ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
}

BOOL CImageList::Create(std::span<const UINT> drawings, int cx, int cy, int nGrow,
                        COLORREF crMask) {
    if (m_hImageList != nullptr || cx <= 0 || cy <= 0)
        return FALSE;
    std::vector<HBITMAP> loaded;
    std::vector<int> heights;
    for (const UINT id : drawings) {
        const auto bitmap = static_cast<HBITMAP>(LoadImageA(
            AfxGetInstanceHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (bitmap != nullptr) {
            loaded.push_back(bitmap);
            heights.push_back(SizeOf(bitmap).cy);
        }
    }
    const int chosen = ChooseDrawing(heights, cy);
    if (chosen != -1) {
        const HBITMAP strip = loaded[static_cast<std::size_t>(chosen)];
        const SIZE drawn = SizeOf(strip);
        const HBITMAP scaled =
            drawn.cy == cy ? nullptr
                           : CopyStretched(strip, SIZE{MulDiv(drawn.cx, cy, drawn.cy), cy}, true);
        m_hImageList = ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 1, nGrow);
        if (m_hImageList != nullptr &&
            ImageList_AddMasked(m_hImageList, scaled != nullptr ? scaled : strip, crMask) == -1) {
            ImageList_Destroy(m_hImageList);
            m_hImageList = nullptr;
        }
        if (scaled != nullptr)
            DeleteObject(scaled);
    }
    for (const HBITMAP bitmap : loaded)
        DeleteObject(bitmap);
    return m_hImageList != nullptr;
}

int CImageList::GetImageCount() const {
    return m_hImageList != nullptr ? ImageList_GetImageCount(m_hImageList) : 0;
}
