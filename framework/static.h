// A static control (text, icon) with an object of ours: usually a dialog's control bound by
// data exchange, whose messages then reach the object's table first.
#pragma once

#include "framework/wnd.h"

class CStatic : public CWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }
};
