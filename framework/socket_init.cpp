#include "framework/socket_init.h"

#include <winsock2.h>

namespace {
bool g_bStarted = false;
}

BOOL AfxSocketInit() {
    if (g_bStarted)
        return TRUE;
    WSADATA data{};
    g_bStarted = WSAStartup(MAKEWORD(1, 1), &data) == 0;
    return g_bStarted;
}

void AfxSocketTerm() {
    if (g_bStarted) {
        WSACleanup();
        g_bStarted = false;
    }
}
