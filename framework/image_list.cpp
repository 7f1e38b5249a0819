#include "framework/image_list.h"

#include "framework/win_app.h"

CImageList::~CImageList() {
    if (m_hImageList != nullptr)
        ImageList_Destroy(m_hImageList);
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
    if (m_hImageList != nullptr)
        return FALSE;
    m_hImageList = ImageList_LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nBitmapID), cx,
                                        nGrow, crMask, IMAGE_BITMAP, 0);
    return m_hImageList != nullptr;
}

int CImageList::GetImageCount() const {
    return m_hImageList != nullptr ? ImageList_GetImageCount(m_hImageList) : 0;
}
