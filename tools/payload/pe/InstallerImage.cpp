// tools/payload/pe/InstallerImage.cpp
#include "pe/InstallerImage.h"

#include "pe/PayloadLimits.h"
#include "pe/PeChecksum.h"

#include "archive/ArchivFormat.h"

#include <cinttypes>
#include <cstdio>

namespace {

const std::uint16_t kGerman = 1031;
const std::uint16_t kGuiSubsystem = 2;
const unsigned kDirectoryCount = 16;

std::uint64_t AlignUp(std::uint64_t nValue, std::uint32_t nAlignment) {
    return (nValue + nAlignment - 1) / nAlignment * nAlignment;
}

std::uint32_t VirtualExtent(const SPeSection& section) {
    return section.nVirtualSize != 0 ? section.nVirtualSize : section.nRawSize;
}

} // namespace

bool CInstallerImage::Load(std::vector<unsigned char> stub, std::string& strError) {
    m_stub = std::move(stub);
    m_pPayload = nullptr;
    if (!m_image.Parse(m_stub.data(), m_stub.size(), strError) ||
        !m_tree.Parse(m_image, m_stub.data(), strError))
        return false;
    m_pPayload = m_tree.Find(ARCHIV_RESOURCE_TYPE, ARCHIV_RESOURCE_ID, kGerman);
    if (m_image.GetSubsystem() != kGuiSubsystem || m_pPayload == nullptr) {
        strError = "not the wizard: no \"RT_ARCHIV\" 149 resource in language 1031";
        return false;
    }
    if (!CheckLayout(strError))
        return false;
    const SPeSection& resources = m_image.GetSections()[m_nSection];
    std::uint32_t nPayloadRva = 0;
    m_nPayloadOffset = resources.nRawOffset +
                       m_tree.Write(resources.nVirtualAddress, m_pPayload, nPayloadRva).size();
    return true;
}

bool CInstallerImage::CheckLayout(std::string& strError) {
    std::uint32_t nRva = m_image.GetDirectoryRva(CPeImage::kResourceDirectory);
    const auto nSection = static_cast<std::size_t>(m_image.FindSection(nRva));
    const std::vector<SPeSection>& sections = m_image.GetSections();
    m_nSection = nSection;
    if (sections[nSection].nVirtualAddress != nRva) {
        strError = "the resources do not start their section";
        return false;
    }
    if (m_image.GetDirectoryRva(CPeImage::kSecurityDirectory) != 0) {
        strError = "the stub is signed; sign the installer after building it";
        return false;
    }
    for (unsigned i = 0; i < kDirectoryCount; ++i) {
        std::uint32_t nDirectory = m_image.GetDirectoryRva(i);
        if (i == CPeImage::kResourceDirectory || i == CPeImage::kSecurityDirectory ||
            nDirectory == 0)
            continue;
        int nIn = m_image.FindSection(nDirectory);
        if (nIn == static_cast<int>(nSection) ||
            (nIn > static_cast<int>(nSection) && i != CPeImage::kRelocationDirectory)) {
            strError = "data directory " + std::to_string(i) + " lies in or behind the resources";
            return false;
        }
    }
    for (std::size_t i = nSection + 1; i < sections.size(); ++i) {
        if ((sections[i].nCharacteristics & CPeImage::kDiscardable) == 0) {
            strError = "a section the program uses lies behind the resources";
            return false;
        }
    }
    std::uint32_t nSymbols = m_image.Read32(m_image.SymbolTableField());
    if (nSymbols != 0 && nSymbols < m_image.GetSectionsEnd()) {
        strError = "the symbol table lies inside the sections";
        return false;
    }
    if (sections[nSection].nRawSize == 0) {
        strError = "the resource section has no data in the file";
        return false;
    }
    return true;
}

void CInstallerImage::Put32(std::size_t nOffset, std::uint32_t nValue) {
    for (int i = 0; i < 4; ++i)
        m_headers[nOffset + i] = static_cast<unsigned char>(nValue >> (8 * i));
}

bool CInstallerImage::Plan(std::uint64_t nPayload, std::string& strError) {
    if (nPayload > kInstallerPayloadLimit) {
        char szText[160];
        std::snprintf(szText, sizeof szText,
                      "the archive has %" PRIu64
                      " bytes; a 32-bit installer carries at most %" PRIu64,
                      nPayload, kInstallerPayloadLimit);
        strError = szText;
        return false;
    }
    m_pPayload->pBytes = nullptr;
    m_pPayload->nSize = nPayload;
    m_pPayloadBytes = nullptr;
    const std::vector<SPeSection>& sections = m_image.GetSections();
    const SPeSection& resources = sections[m_nSection];
    const std::uint32_t nFileAlignment = m_image.GetFileAlignment();
    const std::uint32_t nSectionAlignment = m_image.GetSectionAlignment();
    std::uint32_t nPayloadRva = 0;
    m_resources = m_tree.Write(resources.nVirtualAddress, m_pPayload, nPayloadRva);
    const std::uint64_t nVirtual = m_resources.size() + nPayload;
    const std::uint64_t nRaw = AlignUp(nVirtual, nFileAlignment);
    m_nPadding = nRaw - nVirtual;

    m_headers.assign(m_stub.begin(), m_stub.begin() + resources.nRawOffset);
    Put32(resources.nHeaderOffset + 8, static_cast<std::uint32_t>(nVirtual));
    Put32(resources.nHeaderOffset + 16, static_cast<std::uint32_t>(nRaw));
    Put32(m_image.DirectoryField(CPeImage::kResourceDirectory) + 4,
          static_cast<std::uint32_t>(nVirtual));
    Put32(m_image.SizeOfInitializedDataField(),
          m_image.Read32(m_image.SizeOfInitializedDataField()) +
              static_cast<std::uint32_t>(nRaw - resources.nRawSize));

    std::uint64_t nNextRva = AlignUp(resources.nVirtualAddress + nVirtual, nSectionAlignment);
    const std::uint64_t nTailStart = resources.nRawOffset + nRaw;
    m_tail.clear();
    for (std::size_t i = m_nSection + 1; i < sections.size(); ++i) {
        const SPeSection& section = sections[i];
        const std::uint32_t nDelta = static_cast<std::uint32_t>(nNextRva) - section.nVirtualAddress;
        Put32(section.nHeaderOffset + 12, static_cast<std::uint32_t>(nNextRva));
        std::uint32_t nRelocations = m_image.GetDirectoryRva(CPeImage::kRelocationDirectory);
        if (m_image.FindSection(nRelocations) == static_cast<int>(i))
            Put32(m_image.DirectoryField(CPeImage::kRelocationDirectory), nRelocations + nDelta);
        if (section.nRawSize != 0) {
            m_tail.resize(AlignUp(m_tail.size(), nFileAlignment));
            Put32(section.nHeaderOffset + 20,
                  static_cast<std::uint32_t>(nTailStart + m_tail.size()));
            m_tail.insert(m_tail.end(), m_stub.begin() + section.nRawOffset,
                          m_stub.begin() + section.nRawOffset + section.nRawSize);
        }
        nNextRva = AlignUp(nNextRva + VirtualExtent(section), nSectionAlignment);
    }
    Put32(m_image.SizeOfImageField(), static_cast<std::uint32_t>(nNextRva));
    const std::size_t nOldEnd = m_image.GetSectionsEnd();
    const std::uint32_t nSymbols = m_image.Read32(m_image.SymbolTableField());
    if (nSymbols != 0)
        Put32(m_image.SymbolTableField(),
              static_cast<std::uint32_t>(nSymbols - nOldEnd + nTailStart + m_tail.size()));
    m_tail.insert(m_tail.end(), m_stub.begin() + nOldEnd, m_stub.end());
    Put32(m_image.CheckSumField(), 0);
    return true;
}

void CInstallerImage::Finish(const CPeChecksum& payload) {
    // The head ends in a whole word: the resource section starts at a file
    // alignment, and its bytes before the payload are a multiple of 8.
    Put32(m_image.CheckSumField(), 0);
    CPeChecksum checksum;
    for (const SPiece& piece : GetHead())
        checksum.Add(piece.pData, static_cast<std::size_t>(piece.nSize));
    checksum.Append(payload);
    for (const SPiece& piece : GetTail()) {
        if (piece.pData != nullptr)
            checksum.Add(piece.pData, static_cast<std::size_t>(piece.nSize));
        else
            checksum.AddZeros(static_cast<std::size_t>(piece.nSize));
    }
    Put32(m_image.CheckSumField(), checksum.Finish());
}

bool CInstallerImage::Plan(const unsigned char* pPayload, std::uint64_t nPayload,
                           std::string& strError) {
    if (!Plan(nPayload, strError))
        return false;
    CPeChecksum payload;
    payload.Add(pPayload, static_cast<std::size_t>(nPayload));
    Finish(payload);
    m_pPayloadBytes = pPayload;
    return true;
}

std::vector<CInstallerImage::SPiece> CInstallerImage::GetHead() const {
    return {{m_headers.data(), m_headers.size()}, {m_resources.data(), m_resources.size()}};
}

std::vector<CInstallerImage::SPiece> CInstallerImage::GetTail() const {
    return {{nullptr, m_nPadding}, {m_tail.data(), m_tail.size()}};
}

std::uint64_t CInstallerImage::GetSize() const {
    return m_headers.size() + m_resources.size() + m_pPayload->nSize + m_nPadding + m_tail.size();
}

std::uint32_t CInstallerImage::GetImageSize() const {
    if (m_headers.empty())
        return m_image.Read32(m_image.SizeOfImageField());
    std::uint32_t nSize = 0;
    for (int i = 3; i >= 0; --i)
        nSize = nSize << 8 | m_headers[m_image.SizeOfImageField() + i];
    return nSize;
}

std::vector<unsigned char> CInstallerImage::ToBytes() const {
    std::vector<SPiece> pieces = GetHead();
    pieces.push_back({m_pPayloadBytes, m_pPayload->nSize});
    for (const SPiece& piece : GetTail())
        pieces.push_back(piece);
    std::vector<unsigned char> bytes;
    for (const SPiece& piece : pieces) {
        if (piece.pData != nullptr)
            bytes.insert(bytes.end(), piece.pData, piece.pData + piece.nSize);
        else
            bytes.resize(bytes.size() + piece.nSize);
    }
    return bytes;
}

bool CInstallerImage::FindPayload(const unsigned char* pData, std::size_t nSize,
                                  const unsigned char*& pPayload, std::uint64_t& nPayload,
                                  std::string& strError) {
    CPeImage image;
    CResourceTree tree;
    if (!image.Parse(pData, nSize, strError) || !tree.Parse(image, pData, strError))
        return false;
    const SResourceData* pData149 = tree.Find(ARCHIV_RESOURCE_TYPE, ARCHIV_RESOURCE_ID, kGerman);
    if (pData149 == nullptr) {
        strError = "no \"RT_ARCHIV\" 149 resource in language 1031";
        return false;
    }
    pPayload = pData149->pBytes;
    nPayload = pData149->nSize;
    return true;
}
