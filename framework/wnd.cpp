#include "framework/wnd.h"

#include "framework/dpi.h"
#include "framework/exceptions.h"
#include "framework/frame_wnd.h"
#include "framework/message_box.h"
#include "framework/win_app.h"

#include <vector>

namespace {

constexpr const char* kWndClass = "SkiffWnd";
// The property that ties a window to its object. A property rather than GWLP_USERDATA,
// because a subclassed system control may use its user data itself.
constexpr const char* kObjectProperty = "SkiffWnd.Object";

// The message being handled on this thread, for CWnd::Default.
struct CurrentMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
thread_local CurrentMessage t_current;

const char* RegisterFrameworkClass(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = proc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<const char*>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kWndClass;
        return RegisterClassExA(&wc) != 0;
    }();
    return registered ? kWndClass : nullptr;
}

// A framework error escaped a handler: the user is told and the program goes on. A failed
// creation fails the window; a failed paint validates it, or the error would repeat at once.
LRESULT ReportHandlerError(const CException& error, HWND hWnd, UINT message) {
    if (message == WM_PAINT)
        ValidateRect(hWnd, nullptr);
    AfxMessageBox(error.GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
    return message == WM_CREATE ? -1 : 0;
}

} // namespace

const MessageMap CWnd::messageMap{&CCmdTarget::messageMap, {}};

CWnd::~CWnd() {
    if (m_hWnd != nullptr) {
        const HWND hWnd = m_hWnd;
        Detach();
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    return hWnd != nullptr ? static_cast<CWnd*>(GetPropA(hWnd, kObjectProperty)) : nullptr;
}

void CWnd::Attach(HWND hWnd) {
    m_hWnd = hWnd;
    SetPropA(hWnd, kObjectProperty, this);
}

void CWnd::Detach() {
    RemovePropA(m_hWnd, kObjectProperty);
    ForgetToldDpi(m_hWnd);
    if (m_pfnSuper != nullptr) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    m_hWnd = nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA&) {
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU nIDorHMenu) {
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCTA cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    if (!PreCreateWindow(cs))
        return FALSE;
    const bool ownClass = cs.lpszClass == nullptr;
    if (ownClass) {
        cs.lpszClass = RegisterFrameworkClass(&WndProc);
        if (cs.lpszClass == nullptr)
            return FALSE;
    }
    // Our own class attaches the object at WM_NCCREATE from the creation parameter; a
    // system control is subclassed as soon as it exists.
    const HWND hWnd = CreateWindowExA(
        cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx,
        cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, ownClass ? this : cs.lpCreateParams);
    if (hWnd == nullptr) {
        m_hWnd = nullptr;
        return FALSE;
    }
    if (!ownClass)
        SubclassWindow(hWnd);
    return TRUE;
}

BOOL CWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (m_hWnd != nullptr || hWnd == nullptr || FromHandle(hWnd) != nullptr)
        return FALSE;
    Attach(hWnd);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WndProc)));
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::OnDpiChanged(UINT, UINT) {}

void CWnd::TellDpiChanged(UINT previousDpi, UINT dpi) {
    OnDpiChanged(previousDpi, dpi);
    // The children as they are now: a window may make its own controls anew.
    std::vector<HWND> children;
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (const HWND child : children) {
        if (CWnd* wnd = FromHandle(child))
            wnd->TellDpiChanged(previousDpi, dpi);
    }
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {
    if (m_bAutoDelete)
        delete this;
}

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandle(hWnd);
    if (wnd == nullptr && message == WM_NCCREATE) {
        wnd = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (wnd != nullptr)
            wnd->Attach(hWnd);
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) come before any object is attached.
    if (wnd == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return Dispatch(*wnd, message, wParam, lParam);
}

// A handler may destroy its own window, and with it the object: after WindowProc returns,
// only locals may be touched, except at WM_NCDESTROY, where the object lives until
// PostNcDestroy.
LRESULT CWnd::Dispatch(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hWnd = wnd.m_hWnd;
    const CurrentMessage outer = t_current;
    t_current = {message, wParam, lParam};
    LRESULT result = 0;
    try {
        result = wnd.WindowProc(message, wParam, lParam);
    } catch (const CException& error) {
        result = ReportHandlerError(error, hWnd, message);
    }
    t_current = outer;
    if (message == WM_NCDESTROY) {
        wnd.Detach();
        wnd.PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const MessageEntry* entry = GetMessageMap()->Find(MessageEntry::message, message))
        return entry->call(*this, wParam, lParam);
    LRESULT result = 0;
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
        if (ReflectToChild(message, wParam, lParam, result))
            return result;
        break;
    default:
        break;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = nullptr;
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
        child = reinterpret_cast<HWND>(lParam);
        break;
    case WM_NOTIFY:
        if (lParam != 0)
            child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        break;
    case WM_DRAWITEM:
        // A menu's owner-drawn item names a menu, not a window.
        if (lParam != 0 && reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType != ODT_MENU)
            child = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
        break;
    default:
        break;
    }
    CWnd* target = FromHandle(child);
    if (target == nullptr || target == this)
        return false;
    const MessageEntry* entry = target->GetMessageMap()->Find(MessageEntry::reflected, message);
    if (entry == nullptr)
        return false;
    result = entry->call(*target, wParam, lParam);
    return true;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0) {
        LRESULT ignored = 0;
        if (ReflectToChild(WM_COMMAND, wParam, lParam, ignored))
            return TRUE;
        // Of a control's notifications only the click (code 0) is a command.
        if (HIWORD(wParam) != 0)
            return FALSE;
    }
    return OnCmdMsg(LOWORD(wParam), CmdMode::execute, nullptr);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    return ::KillTimer(m_hWnd, nIDEvent);
}

int CWnd::MessageBox(const std::string& text, const char* caption, UINT type) {
    const std::string title = caption != nullptr ? caption : AfxGetAppName();
    return ::MessageBoxA(m_hWnd, text.c_str(), title.c_str(), type);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SetWindowText(const std::string& text) {
    ::SetWindowTextA(m_hWnd, text.c_str());
}

std::string CWnd::GetWindowText() const {
    const int length = GetWindowTextLengthA(m_hWnd);
    if (length <= 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = ::GetWindowTextA(m_hWnd, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_STYLE));
}

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

CFrameWnd* CWnd::GetParentFrame() const {
    for (HWND parent = ::GetParent(m_hWnd); parent != nullptr; parent = ::GetParent(parent)) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(FromHandle(parent)))
            return frame;
    }
    return nullptr;
}

CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::GetClientRect(RECT* rect) const {
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::MoveWindow(const RECT& rect, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 bRepaint);
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    return ::ShowWindow(m_hWnd, nCmdShow);
}

void CWnd::SetFocus() {
    ::SetFocus(m_hWnd);
}
