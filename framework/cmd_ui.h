// The state of one command's user interface (a menu item, a toolbar button) while its update
// handler runs. Each kind of element derives and applies the state to itself.
#pragma once

#include <windows.h>

class CCmdTarget;

class CCmdUI {
public:
    explicit CCmdUI(UINT nID) : m_nID(nID) {}
    virtual ~CCmdUI() = default;

    void Enable(BOOL bOn = TRUE);
    void SetCheck(int nCheck = 1);

    // Asks the routing that starts at target for the command's state. A command no update
    // handler enables or disables is enabled exactly when some target handles it.
    void DoUpdate(CCmdTarget& target);

    UINT m_nID;

protected:
    virtual void ApplyEnable(BOOL bOn) = 0;
    virtual void ApplyCheck(int nCheck) = 0;

private:
    bool m_bEnableChanged = false;
};
