// The IPv4 loopback address, where every test server listens.
#pragma once

#include <winsock2.h>

namespace support {

inline sockaddr_in LoopbackAddress(unsigned short port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

} // namespace support
