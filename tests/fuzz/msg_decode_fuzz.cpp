// Decodes wire messages from arbitrary bytes as the session does from its socket: decoding
// must end at the end of the data or with a framework error, never crash, overrun or
// allocate without bound (run with -malloc_limit_mb to hold it to that). Every message
// decoded must also survive being stored and decoded again unchanged, and the reader that
// takes the bytes in pieces must find the same messages and end no later.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/archive.h"
#include "framework/exceptions.h"
#include "framework/mem_file.h"
#include "session/msg.h"
#include "session/msg_reader.h"

#include <vector>

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

bool Same(const CMsg& a, const CMsg& b) {
    return a.m_bClose == b.m_bClose && a.m_strText == b.m_strText && a.m_strList == b.m_strList;
}

// Feeds the bytes to a reader in pieces of `piece` bytes (0: all at once) and checks that it
// takes out exactly `whole`, then ends as the whole decoding did.
void CheckPieces(std::string_view bytes, std::size_t piece, const std::vector<CMsg>& whole,
                 bool malformed) {
    CMsgReader reader;
    std::size_t taken = 0;
    CMsgReader::Status status = CMsgReader::Status::incomplete;
    for (std::size_t at = 0; at < bytes.size() || at == 0;) {
        const std::size_t n = piece == 0 ? bytes.size() : std::min(piece, bytes.size() - at);
        reader.Append(bytes.data() + at, n);
        at += n;
        CMsg msg;
        while ((status = reader.Next(msg)) == CMsgReader::Status::message) {
            if (taken >= whole.size() || !Same(msg, whole[taken]))
                __builtin_trap();
            ++taken;
        }
        if (status == CMsgReader::Status::malformed || n == 0)
            break;
    }
    // The reader may also refuse a message whose declared lengths pass its whole-message
    // bound before the bytes come, where the whole decoding only finds them missing.
    if (taken != whole.size() || (malformed && status != CMsgReader::Status::malformed))
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
    std::vector<CMsg> whole;
    bool malformed = false;
    try {
        while (!ar.IsBufferEmpty() || file.UnreadInput() > 0) {
            CMsg msg;
            msg.Serialize(ar);
            CheckRoundTrip(msg);
            whole.push_back(std::move(msg));
        }
    } catch (const CArchiveException& error) {
        // Malformed or cut-off input ends decoding, as it ends the session's read.
        malformed = error.m_cause != CArchiveException::endOfFile;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);
    CheckPieces(bytes, perRead, whole, malformed);
    return 0;
}
