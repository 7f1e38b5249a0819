#include "tests/support/wire_codec.h"

#include "framework/archive.h"
#include "framework/exceptions.h"
#include "framework/mem_file.h"

namespace support {

CMsg MakeMsg(std::string text, bool close, std::vector<std::string> lines) {
    CMsg msg;
    msg.m_strText = std::move(text);
    msg.m_bClose = close ? 1 : 0;
    msg.m_strList = std::move(lines);
    return msg;
}

std::string EncodeMsg(const CMsg& msg) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    CMsg copy = msg;
    copy.Serialize(ar);
    ar.Flush();
    return file.TakeOutput();
}

DecodedMessages DecodeMessages(std::string_view bytes) {
    DecodedMessages decoded;
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    while (!(ar.IsBufferEmpty() && file.UnreadInput() == 0)) {
        try {
            CMsg msg;
            msg.Serialize(ar);
            decoded.messages.push_back(std::move(msg));
        } catch (const CArchiveException& e) {
            if (e.m_cause == CArchiveException::endOfFile)
                decoded.partial = true;
            else
                decoded.malformed = true;
            break;
        }
    }
    return decoded;
}

} // namespace support
