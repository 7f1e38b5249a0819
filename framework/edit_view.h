// A view whose window is an EDIT control, subclassed: its text is the control's text.
#pragma once

#include "framework/view.h"

class CEditView : public CView {
public:
    // A multi-line edit with both scroll bars and no word wrap; a derived view may replace
    // the style after calling this.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
};
