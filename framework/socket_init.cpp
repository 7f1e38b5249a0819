#include "framework/socket_init.h"

#include "framework/async_socket.h"

#include <winsock2.h>

namespace {
bool g_bStarted = false;
// Longer than any socket of the program takes to finish on its own.
constexpr DWORD kFinishMs = 12000;
} // namespace

BOOL AfxSocketInit() {
    if (g_bStarted)
        return TRUE;
    WSADATA data{};
    g_bStarted = WSAStartup(MAKEWORD(1, 1), &data) == 0;
    return g_bStarted;
}

void AfxSocketTerm() {
    if (g_bStarted) {
        CAsyncSocket::FinishAll(kFinishMs);
        WSACleanup();
        g_bStarted = false;
    }
}
