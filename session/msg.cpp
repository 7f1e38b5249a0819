#include "session/msg.h"

#include "framework/archive.h"
#include "framework/exceptions.h"

void CMsg::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << static_cast<std::uint16_t>(m_bClose & 0xFFFF);
        ar << m_strText;
        ar.WriteCount(m_strList.size());
        for (const std::string& line : m_strList)
            ar << line;
        return;
    }

    std::uint16_t close = 0;
    ar >> close;
    m_bClose = close != 0 ? 1 : 0;
    ar >> m_strText;
    const std::size_t count = ar.ReadCount();
    if (count > kMaxListCount)
        throw CArchiveException(CArchiveException::generic);
    // Lines are added as they are decoded: the count alone never sizes anything.
    for (std::size_t i = 0; i < count; ++i)
        m_strList.push_back(ar.ReadString());
}
