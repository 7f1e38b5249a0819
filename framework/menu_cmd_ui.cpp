#include "framework/menu_cmd_ui.h"

void CMenuCmdUI::ApplyEnable(BOOL bOn) {
    EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_GRAYED));
}

void CMenuCmdUI::ApplyCheck(int nCheck) {
    CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck != 0 ? MF_CHECKED : MF_UNCHECKED));
}
