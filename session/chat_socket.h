// The session's connection: a blocking socket whose read notification makes its document
// read what has arrived.
#pragma once

#include "framework/socket.h"

class CChatDoc;

class CChatSocket : public CSocket {
public:
    explicit CChatSocket(CChatDoc* pDoc) : m_pDoc(pDoc) {}

    void OnReceive(int nErrorCode) override;

    CChatDoc* m_pDoc;
};
