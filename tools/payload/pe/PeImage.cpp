// tools/payload/pe/PeImage.cpp
#include "pe/PeImage.h"

#include <algorithm>

namespace {

const std::size_t kFileHeaderSize = 20;
const std::size_t kSectionHeaderSize = 40;
const std::uint16_t kMagic32 = 0x10B;
const std::uint16_t kMagicPlus = 0x20B;

} // namespace

std::uint16_t CPeImage::Read16(std::size_t nOffset) const {
    return static_cast<std::uint16_t>(m_pData[nOffset] | m_pData[nOffset + 1] << 8);
}

std::uint32_t CPeImage::Read32(std::size_t nOffset) const {
    return static_cast<std::uint32_t>(Read16(nOffset)) |
           static_cast<std::uint32_t>(Read16(nOffset + 2)) << 16;
}

bool CPeImage::HasSignature(const unsigned char* pData, std::size_t nSize) {
    CPeImage image;
    image.m_pData = pData;
    if (nSize < 64 || pData[0] != 'M' || pData[1] != 'Z')
        return false;
    std::size_t nPe = image.Read32(60);
    return nPe <= nSize - 4 && image.Read32(nPe) == 0x00004550;
}

bool CPeImage::Parse(const unsigned char* pData, std::size_t nSize, std::string& strError) {
    m_pData = pData;
    m_nSize = nSize;
    m_sections.clear();
    std::size_t nPe = nSize < 64 ? 0 : Read32(60);
    if (!HasSignature(pData, nSize) || nPe > nSize - 4 - kFileHeaderSize) {
        strError = "not a Windows program (no PE header)";
        return false;
    }
    m_nFileHeader = nPe + 4;
    m_nOptional = m_nFileHeader + kFileHeaderSize;
    std::size_t nOptionalSize = Read16(m_nFileHeader + 16);
    if (nOptionalSize > nSize - m_nOptional || nOptionalSize < 2) {
        strError = "optional header cut short";
        return false;
    }
    std::uint16_t nMagic = Read16(m_nOptional);
    m_bPlus = nMagic == kMagicPlus;
    std::size_t nCountField = m_bPlus ? 108 : 92;
    if ((nMagic != kMagic32 && !m_bPlus) || nOptionalSize < nCountField + 4) {
        strError = "optional header neither PE32 nor PE32+";
        return false;
    }
    m_nDirectories = m_nOptional + nCountField + 4;
    m_nDirectoryCount = Read32(m_nOptional + nCountField);
    if (m_nDirectoryCount > (nOptionalSize - nCountField - 4) / 8) {
        strError = "data directories beyond the optional header";
        return false;
    }
    return ParseSections(strError);
}

bool CPeImage::ParseSections(std::string& strError) {
    std::size_t nCount = Read16(m_nFileHeader + 2);
    std::size_t nTable = m_nOptional + Read16(m_nFileHeader + 16);
    std::uint32_t nFileAlignment = GetFileAlignment();
    std::uint32_t nSectionAlignment = GetSectionAlignment();
    if (nFileAlignment < 512 || (nFileAlignment & (nFileAlignment - 1)) != 0 ||
        nSectionAlignment < nFileAlignment || (nSectionAlignment & (nSectionAlignment - 1)) != 0) {
        strError = "file or section alignment out of the rules";
        return false;
    }
    if (nCount == 0 || nCount * kSectionHeaderSize > m_nSize - nTable ||
        nTable + nCount * kSectionHeaderSize > GetSizeOfHeaders()) {
        strError = "section table outside the headers";
        return false;
    }
    m_nSectionsEnd = GetSizeOfHeaders();
    std::uint64_t nNextRva = 0;
    for (std::size_t i = 0; i < nCount; ++i) {
        std::size_t nHeader = nTable + i * kSectionHeaderSize;
        SPeSection section{nHeader,
                           Read32(nHeader + 8),
                           Read32(nHeader + 12),
                           Read32(nHeader + 16),
                           Read32(nHeader + 20),
                           Read32(nHeader + 36)};
        std::uint64_t nRawEnd = std::uint64_t(section.nRawOffset) + section.nRawSize;
        if (section.nRawSize != 0 && (nRawEnd > m_nSize || section.nRawOffset < m_nSectionsEnd)) {
            strError = "section data outside the file or out of order";
            return false;
        }
        if (section.nVirtualAddress < nNextRva || section.nVirtualAddress % nSectionAlignment) {
            strError = "sections out of address order";
            return false;
        }
        if (section.nRawSize != 0)
            m_nSectionsEnd = static_cast<std::size_t>(nRawEnd);
        nNextRva = std::uint64_t(section.nVirtualAddress) + section.nVirtualSize;
        m_sections.push_back(section);
    }
    return true;
}

std::uint32_t CPeImage::GetDirectoryRva(unsigned nIndex) const {
    return nIndex < m_nDirectoryCount ? Read32(DirectoryField(nIndex)) : 0;
}

std::uint32_t CPeImage::GetDirectorySize(unsigned nIndex) const {
    return nIndex < m_nDirectoryCount ? Read32(DirectoryField(nIndex) + 4) : 0;
}

int CPeImage::FindSection(std::uint32_t nRva) const {
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        const SPeSection& section = m_sections[i];
        if (nRva >= section.nVirtualAddress &&
            nRva - section.nVirtualAddress < std::max(section.nVirtualSize, section.nRawSize))
            return static_cast<int>(i);
    }
    return -1;
}

bool CPeImage::RvaToOffset(std::uint32_t nRva, std::uint32_t nSize, std::size_t& nOffset) const {
    int nIndex = FindSection(nRva);
    if (nIndex < 0)
        return false;
    const SPeSection& section = m_sections[nIndex];
    std::uint64_t nInside = nRva - section.nVirtualAddress;
    if (nInside + nSize > section.nRawSize)
        return false;
    nOffset = static_cast<std::size_t>(section.nRawOffset + nInside);
    return true;
}
