#include "session/msg.h"

#include "framework/exceptions.h"

#include <iterator>
#include <utility>

void CMsg::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << static_cast<std::uint16_t>(m_bClose & 0xFFFF);
        ar << m_strText;
        ar.WriteCount(m_strList.size());
        for (const std::string& line : m_strList)
            ar << line;
        return;
    }

    CMsgLoader loader;
    while (!loader.Done())
        loader.LoadNext(ar);
    CMsg loaded = loader.Take();
    m_bClose = loaded.m_bClose;
    m_strText = std::move(loaded.m_strText);
    m_strList.insert(m_strList.end(), std::make_move_iterator(loaded.m_strList.begin()),
                     std::make_move_iterator(loaded.m_strList.end()));
}

void CMsgLoader::LoadNext(CArchive& ar) {
    switch (m_step) {
    case Step::close: {
        std::uint16_t close = 0;
        ar >> close;
        m_msg.m_bClose = close != 0 ? 1 : 0;
        m_step = Step::textHeader;
        return;
    }
    case Step::textHeader:
        CountText(ar.ReadStringHeader());
        m_step = Step::text;
        return;
    case Step::text:
        m_msg.m_strText = ar.ReadStringText(m_header);
        m_step = Step::count;
        return;
    case Step::count:
        m_nLinesLeft = ar.ReadCount();
        if (m_nLinesLeft > CMsg::kMaxListCount)
            throw CArchiveException(CArchiveException::generic);
        // Lines are added as they are decoded: the count alone never sizes anything.
        m_step = m_nLinesLeft > 0 ? Step::lineHeader : Step::done;
        return;
    case Step::lineHeader:
        CountText(ar.ReadStringHeader());
        m_step = Step::line;
        return;
    case Step::line:
        m_msg.m_strList.push_back(ar.ReadStringText(m_header));
        m_step = --m_nLinesLeft > 0 ? Step::lineHeader : Step::done;
        return;
    case Step::done:
        return;
    }
}

CMsg CMsgLoader::Take() {
    CMsg msg = std::move(m_msg);
    *this = CMsgLoader();
    return msg;
}

void CMsgLoader::CountText(const CArchive::StringHeader& header) {
    m_nTextBytes += header.Bytes();
    if (m_nTextBytes > CMsg::kMaxMessageBytes)
        throw CArchiveException(CArchiveException::generic);
    m_header = header;
}
