// A dialog box made from a dialog template in the program's resources.
#pragma once

#include "framework/wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate);

protected:
    UINT m_nIDTemplate; // the dialog template's resource number
};
