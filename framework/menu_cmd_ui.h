// The state of one menu item while its command's update handler runs: enabled or grey,
// checked or not.
#pragma once

#include "framework/cmd_ui.h"

class CMenuCmdUI : public CCmdUI {
public:
    CMenuCmdUI(HMENU hMenu, UINT nIndex, UINT nID)
        : CCmdUI(nID), m_hMenu(hMenu), m_nIndex(nIndex) {}

protected:
    void ApplyEnable(BOOL bOn) override;
    void ApplyCheck(int nCheck) override;

private:
    HMENU m_hMenu;
    UINT m_nIndex;
};
