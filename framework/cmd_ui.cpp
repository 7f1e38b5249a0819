#include "framework/cmd_ui.h"

#include "framework/cmd_target.h"

void CCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = true;
    ApplyEnable(bOn);
}

void CCmdUI::SetCheck(int nCheck) {
    ApplyCheck(nCheck);
}

void CCmdUI::DoUpdate(CCmdTarget& target) {
    m_bEnableChanged = false;
    target.OnCmdMsg(m_nID, CCmdTarget::CmdMode::update, this);
    if (!m_bEnableChanged)
        ApplyEnable(target.OnCmdMsg(m_nID, CCmdTarget::CmdMode::probe, nullptr));
}
