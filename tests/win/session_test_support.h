// Shared pieces of the session tests: an application object with the program's title, wire
// bytes, a loopback server played on a thread of its own, and a helper thread
// that reads and answers every message box the code under test shows.
#pragma once

#include "catalogue/chat_view.h"
#include "framework/create_context.h"
#include "framework/document.h"
#include "framework/win_app.h"
#include "tests/support/wire_codec.h"
#include "tests/win/socket_test_support.h"
#include "ui/send_view.h"
#include "ui/time_stamp.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace sessiontest {

using sockettest::kDeadlineMs;

// The application object of one test: the title and the strings come from win_tests.exe,
// whose string table is the program's; the command line is the one given.
class TestApp : public CWinApp {
public:
    explicit TestApp(const char* commandLine = "") {
        InitApplication(GetModuleHandleA(nullptr), commandLine, SW_HIDE);
    }
};

// One wire message as the server writes it.
inline std::string Wire(std::uint16_t close, const std::string& text,
                        const std::vector<std::string>& lines = {}) {
    return support::EncodeMsg(support::MakeMsg(text, close != 0, lines));
}

// Plays the server of one connection on its own thread: accepts, then runs script on the peer.
// Going out of scope waits for the script to end.
class LoopbackServer {
public:
    explicit LoopbackServer(std::function<void(sockettest::Peer&)> script)
        : m_thread([this, script = std::move(script)] {
              sockettest::Peer peer = m_listener.Accept();
              if (peer.Valid())
                  script(peer);
          }) {}
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;
    ~LoopbackServer() { m_thread.join(); }

    UINT Port() const { return m_listener.Port(); }

private:
    sockettest::Listener m_listener;
    std::thread m_thread; // last: it uses the member above
};

// A socket listening on 127.0.0.1:port, or INVALID_SOCKET.
inline SOCKET ListenAt(UINT port) {
    const SOCKET listening = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = support::LoopbackAddress(static_cast<u_short>(port));
    if (bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listening, 1) != 0) {
        closesocket(listening);
        return INVALID_SOCKET;
    }
    return listening;
}

// The next connection on listening, or an invalid peer after kDeadlineMs.
inline sockettest::Peer AcceptWithin(SOCKET listening) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listening, &ready);
    timeval bound{static_cast<long>(kDeadlineMs / 1000), 0};
    if (select(0, &ready, nullptr, nullptr, &bound) != 1)
        return sockettest::Peer(INVALID_SOCKET);
    return sockettest::Peer(accept(listening, nullptr, nullptr));
}

// What the server thread reads until the client has closed its sending side (or failed).
inline std::string ReadToEnd(sockettest::Peer& peer) {
    return peer.ReceiveUpTo(1u << 20);
}

// The document's views as in the program, the list view first and the text pane second, with
// every text the pane is given recorded without its time stamp.
class PaneRecorder {
public:
    explicit PaneRecorder(CDocument& doc) {
        m_parent.CreateEx(0, nullptr, "session", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                          nullptr);
        doc.AddView(&m_list);
        CCreateContext context{&doc, nullptr};
        const RECT rect{0, 0, 300, 100};
        m_pane.Create(nullptr, nullptr, WS_CHILD, rect, &m_parent, 100, &context);
        SetPropA(m_pane.m_hWnd, kRecorderProperty, this);
        m_paneProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            m_pane.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
    }
    PaneRecorder(const PaneRecorder&) = delete;
    PaneRecorder& operator=(const PaneRecorder&) = delete;
    ~PaneRecorder() {
        SetWindowLongPtrA(m_pane.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_paneProc));
        RemovePropA(m_pane.m_hWnd, kRecorderProperty);
    }

    bool Ready() const { return m_pane.m_hWnd != nullptr && m_paneProc != nullptr; }
    const std::vector<std::string>& Texts() const { return m_texts; }

private:
    static constexpr const char* kRecorderProperty = "SessionTest.PaneRecorder";

    static LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<PaneRecorder*>(GetPropA(window, kRecorderProperty));
        if (message == WM_SETTEXT && lParam != 0) {
            const std::string text = reinterpret_cast<const char*>(lParam);
            const std::size_t stamp = LocalTimeStamp(0).size();
            self->m_texts.push_back(text.size() >= stamp ? text.substr(stamp) : text);
        }
        return CallWindowProcA(self->m_paneProc, window, message, wParam, lParam);
    }

    CWnd m_parent;
    CChatView m_list; // no window: it only relays
    CSendView m_pane;
    WNDPROC m_paneProc = nullptr;
    std::vector<std::string> m_texts;
};

struct BoxSeen {
    std::string caption;
    std::string text;
    bool operator==(const BoxSeen&) const = default;
};

// Runs a function on the thread that made this object, called from any thread: the call is a
// message sent to a window of that thread, so it runs even inside a message box's loop.
class ThreadCall {
public:
    explicit ThreadCall(std::function<void()> call) : m_call(std::move(call)) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClass;
        RegisterClassA(&windowClass); // fails harmlessly once registered
        m_window = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ThreadCall(const ThreadCall&) = delete;
    ThreadCall& operator=(const ThreadCall&) = delete;
    ~ThreadCall() { DestroyWindow(m_window); }

    // Returns once the function has run.
    void Run() const { SendMessageA(m_window, WM_USER, 0, 0); }

private:
    static constexpr const char* kClass = "SessionTestThreadCall";
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_USER) {
            reinterpret_cast<ThreadCall*>(GetWindowLongPtrA(window, GWLP_USERDATA))->m_call();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    std::function<void()> m_call;
    HWND m_window = nullptr;
};

// Watches the calling thread's windows for message boxes from a helper thread. Each box is
// recorded and answered with the next of answers; once they are used up, with OK or No.
// beforeAnswer, when given, runs on the helper thread while each box is up.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::vector<int> answers = {}, std::function<void()> beforeAnswer = {})
        : m_answers(std::move(answers)), m_beforeAnswer(std::move(beforeAnswer)),
          m_threadId(GetCurrentThreadId()), m_thread([this] { Watch(); }) {}
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    ~BoxAnswerer() {
        m_stop = true;
        m_thread.join();
    }

    std::vector<BoxSeen> Seen() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_seen;
    }

private:
    static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) != "#32770" || !IsWindowVisible(window))
            return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    static std::string TextOf(HWND window) {
        std::vector<char> text(4096);
        const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
        return std::string(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
    }

    void Watch() {
        while (!m_stop) {
            HWND box = nullptr;
            EnumThreadWindows(m_threadId, FindBox, reinterpret_cast<LPARAM>(&box));
            if (box == nullptr) {
                Sleep(10);
                continue;
            }
            std::size_t index = 0;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_seen.push_back({TextOf(box), TextOf(GetDlgItem(box, 0xFFFF))});
                index = m_seen.size() - 1;
            }
            int button = GetDlgItem(box, IDOK) != nullptr ? IDOK : IDNO;
            if (index < m_answers.size())
                button = m_answers[index];
            if (m_beforeAnswer)
                m_beforeAnswer();
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            const ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
            while (IsWindow(box) && GetTickCount64() < deadline)
                Sleep(10);
        }
    }

    std::vector<int> m_answers;
    std::function<void()> m_beforeAnswer;
    DWORD m_threadId;
    mutable std::mutex m_mutex;
    std::vector<BoxSeen> m_seen;
    std::atomic<bool> m_stop{false};
    std::thread m_thread; // last: it uses the members above
};

} // namespace sessiontest
