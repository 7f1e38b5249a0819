// An image list: pictures of one size, cut from a bitmap resource, that a list control shows.
#pragma once

#include <windows.h>

#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // Cuts bitmap nBitmapID into pictures cx pixels wide; crMask is the transparent colour.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    int GetImageCount() const;

    HIMAGELIST m_hImageList = nullptr;
};
