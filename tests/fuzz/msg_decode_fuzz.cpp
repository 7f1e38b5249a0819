// Decodes wire messages from arbitrary bytes as the session does from its socket: decoding
// must end at the end of the data or with a framework error, never crash, overrun or
// allocate without bound (run with -malloc_limit_mb to hold it to that). Every message
// decoded must also survive being stored and decoded again unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/archive.h"
#include "framework/exceptions.h"
#include "framework/mem_file.h"
#include "session/msg.h"

namespace {

void CheckRoundTrip(const CMsg& msg) {
    CMemFile file;
    CArchive out(&file, CArchive::store);
    CMsg copy = msg;
    copy.Serialize(out);
    out.Flush();

    CMemFile again(file.Output());
    CArchive in(&again, CArchive::load);
    CMsg decoded;
    decoded.Serialize(in);
    if (decoded.m_bClose != msg.m_bClose || decoded.m_strText != msg.m_strText ||
        decoded.m_strList != msg.m_strList || !in.IsBufferEmpty() || again.UnreadInput() != 0)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // The first two bytes choose how the stream is cut and how large the archive's buffer is,
    // so that values split across segments and buffer refills are exercised too.
    const std::size_t perRead = data[0] % 8;
    const std::size_t bufferSize = data[1] % 2 == 0 ? CArchive::kDefaultBufferSize : data[1];
    CMemFile file(std::string_view(reinterpret_cast<const char*>(data + 2), size - 2), perRead);
    CArchive ar(&file, CArchive::load, bufferSize);
    try {
        while (!ar.IsBufferEmpty() || file.UnreadInput() > 0) {
            CMsg msg;
            msg.Serialize(ar);
            CheckRoundTrip(msg);
        }
    } catch (const CException&) {
        // Malformed or cut-off input ends decoding, as it ends the session's read.
    }
    return 0;
}
