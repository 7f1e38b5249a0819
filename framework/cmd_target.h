// Base of every object that handles messages or commands: it owns a message map and answers
// the command routing.
#pragma once

#include "framework/message_map.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    static const MessageMap messageMap;
    virtual const MessageMap* GetMessageMap() const { return &messageMap; }

    enum class CmdMode {
        execute, // run the command's handler
        update,  // run the command's user-interface update handler with the given CCmdUI
        probe,   // only tell whether a command handler exists
    };
    // Routes command nID; TRUE when a row of this target (or of a target it routes to) took
    // it. Windows, views and frames extend the route; this base looks in its own table only.
    virtual BOOL OnCmdMsg(UINT nID, CmdMode mode, CCmdUI* pCmdUI);
};
