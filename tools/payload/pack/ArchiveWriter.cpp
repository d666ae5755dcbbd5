// tools/payload/pack/ArchiveWriter.cpp
#include "pack/ArchiveWriter.h"

#include "archive/ArchiveFraming.h"

#include <cstdint>
#include <vector>

bool CArchiveWriter::AddEntry(const std::string& strName, const SPackResult& member) {
    if (member.nSize > UINT32_MAX)
        return false;
    std::vector<unsigned char> header(strName.size() + ARCHIV_HEADER_EXTRA);
    EncodeEntryHeader(strName.data(), strName.size(), static_cast<std::uint32_t>(member.nSize),
                      header.data());
    m_nSize += header.size() + member.nSize;
    return m_output(header.data(), header.size()) && member.Read(m_output);
}
