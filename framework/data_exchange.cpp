#include "framework/data_exchange.h"

#include "framework/wnd.h"
#include "framework/framework_ids.h"
#include "framework/message_box.h"
#include "framework/resource_string.h"

#include <vector>

void CDataExchange::Fail() {
    if (m_hWndLastControl != nullptr) {
        ::SetFocus(m_hWndLastControl);
        ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw Refused{};
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
    const HWND control = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    pDX->m_hWndLastControl = control;
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextA(control, value.c_str());
        return;
    }
    const int length = GetWindowTextLengthA(control);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = ::GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    value.assign(text.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars) {
    if (!pDX->m_bSaveAndValidate) {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (value.size() <= static_cast<std::size_t>(nChars))
        return;
    std::string prompt = AfxLoadString(AFX_IDP_PARSE_STRING_SIZE);
    const std::size_t at = prompt.find("%1");
    if (at != std::string::npos)
        prompt.replace(at, 2, std::to_string(nChars));
    AfxMessageBox(prompt, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != nullptr)
        return;
    rControl.SubclassWindow(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC));
}
