// An image list: pictures of one size, cut from a bitmap resource, that a list control shows.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <span>

class CImageList {
public:
    CImageList() = default;
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // A strip of pictures drawn at several sizes (one bitmap resource per size), shown cx by
    // cy pixels: the drawing that serves that height, scaled smoothly where it is not drawn
    // at it, cut into pictures cx wide. crMask is the transparent colour.
    BOOL Create(std::span<const UINT> drawings, int cx, int cy, int nGrow, COLORREF crMask);
    int GetImageCount() const;
    // Destroys the pictures; Create may then make new ones.
    void DeleteImageList();

    HIMAGELIST m_hImageList = nullptr;
};
