#include "framework/cmd_target.h"

const MessageMap CCmdTarget::messageMap{nullptr, {}};

const MessageEntry* MessageMap::Find(MessageEntry::Kind kind, UINT id) const {
    for (const MessageMap* map = this; map != nullptr; map = map->base) {
        for (const MessageEntry& entry : map->entries) {
            if (entry.kind == kind && entry.id == id)
                return &entry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, CmdMode mode, CCmdUI* pCmdUI) {
    switch (mode) {
    case CmdMode::execute:
        if (const MessageEntry* entry = GetMessageMap()->Find(MessageEntry::command, nID)) {
            entry->call(*this, 0, 0);
            return TRUE;
        }
        break;
    case CmdMode::update:
        if (const MessageEntry* entry = GetMessageMap()->Find(MessageEntry::updateCommandUI, nID)) {
            entry->call(*this, 0, reinterpret_cast<LPARAM>(pCmdUI));
            return TRUE;
        }
        break;
    case CmdMode::probe:
        return GetMessageMap()->Find(MessageEntry::command, nID) != nullptr;
    }
    return FALSE;
}
