// tools/payload/pe/ResourceTree.cpp
#include "pe/ResourceTree.h"

#include <algorithm>
#include <cstring>

namespace {

const std::size_t kDirectorySize = 16;
const std::size_t kEntrySize = 8;
const std::size_t kDataEntrySize = 16;
const std::uint32_t kHighBit = 0x80000000;

std::size_t Align8(std::size_t nValue) {
    return (nValue + 7) & ~std::size_t(7);
}

void Put16(std::vector<unsigned char>& out, std::size_t nAt, std::uint32_t nValue) {
    out[nAt] = static_cast<unsigned char>(nValue);
    out[nAt + 1] = static_cast<unsigned char>(nValue >> 8);
}

void Put32(std::vector<unsigned char>& out, std::size_t nAt, std::uint32_t nValue) {
    Put16(out, nAt, nValue & 0xFFFF);
    Put16(out, nAt + 2, nValue >> 16);
}

std::size_t StringBytes(const SResourceKey& key) {
    return key.bNamed ? 2 + 2 * key.strName.size() : 0;
}

template <typename Entries> std::size_t DirectoryBytes(const Entries& entries) {
    return kDirectorySize + kEntrySize * entries.size();
}

} // namespace

bool SResourceKey::Is(const char* pszName) const {
    return bNamed && strName.size() == std::strlen(pszName) &&
           std::equal(strName.begin(), strName.end(), pszName,
                      [](char16_t a, char b) { return a == static_cast<unsigned char>(b); });
}

bool CResourceTree::Parse(const CPeImage& image, const unsigned char* pFile,
                          std::string& strError) {
    m_pImage = &image;
    m_pFile = pFile;
    m_root = SResourceNode();
    std::uint32_t nRva = image.GetDirectoryRva(CPeImage::kResourceDirectory);
    int nSection = image.FindSection(nRva);
    if (nRva == 0 || nSection < 0 || !image.RvaToOffset(nRva, kDirectorySize, m_nBase)) {
        strError = "no resource section";
        return false;
    }
    const SPeSection& section = image.GetSections()[nSection];
    m_nLength = section.nRawOffset + section.nRawSize - m_nBase;
    m_nBudget = m_nLength / kEntrySize;
    m_nDataLeft = image.GetSectionsEnd();
    if (!ParseDirectory(0, 0, m_root)) {
        strError = "resource directory damaged or pointing outside the file";
        return false;
    }
    return true;
}

bool CResourceTree::ParseKey(std::uint32_t nField, SResourceKey& key) {
    key.bNamed = (nField & kHighBit) != 0;
    if (!key.bNamed) {
        key.nId = static_cast<std::uint16_t>(nField);
        return true;
    }
    std::size_t nAt = nField & ~kHighBit;
    if (nAt + 2 > m_nLength)
        return false;
    std::size_t nChars = m_pImage->Read16(m_nBase + nAt);
    if (nAt + 2 + 2 * nChars > m_nLength)
        return false;
    for (std::size_t i = 0; i < nChars; ++i)
        key.strName.push_back(static_cast<char16_t>(m_pImage->Read16(m_nBase + nAt + 2 + 2 * i)));
    return true;
}

bool CResourceTree::ParseDirectory(std::size_t nOffset, int nLevel, SResourceNode& node) {
    if (nOffset + kDirectorySize > m_nLength)
        return false;
    std::size_t nAt = m_nBase + nOffset;
    node.nCharacteristics = m_pImage->Read32(nAt);
    node.nTimeStamp = m_pImage->Read32(nAt + 4);
    node.nVersion = m_pImage->Read32(nAt + 8);
    std::size_t nCount = std::size_t(m_pImage->Read16(nAt + 12)) + m_pImage->Read16(nAt + 14);
    if (nCount > m_nBudget || nOffset + kDirectorySize + nCount * kEntrySize > m_nLength)
        return false;
    m_nBudget -= nCount;
    for (std::size_t i = 0; i < nCount; ++i) {
        std::size_t nEntry = nAt + kDirectorySize + i * kEntrySize;
        std::uint32_t nTarget = m_pImage->Read32(nEntry + 4);
        SResourceKey key;
        if (!ParseKey(m_pImage->Read32(nEntry), key) || ((nTarget & kHighBit) != 0) != (nLevel < 2))
            return false;
        if (nLevel < 2) {
            node.children.emplace_back();
            node.children.back().key = key;
            if (!ParseDirectory(nTarget & ~kHighBit, nLevel + 1, node.children.back()))
                return false;
            continue;
        }
        if (nTarget + kDataEntrySize > m_nLength)
            return false;
        SResourceData data;
        data.key = key;
        std::uint32_t nRva = m_pImage->Read32(m_nBase + nTarget);
        std::uint32_t nSize = m_pImage->Read32(m_nBase + nTarget + 4);
        data.nCodePage = m_pImage->Read32(m_nBase + nTarget + 8);
        std::size_t nData = 0;
        // An empty datum may sit at the very end of its section.
        if (nSize > m_nDataLeft || (nSize != 0 && !m_pImage->RvaToOffset(nRva, nSize, nData)))
            return false;
        m_nDataLeft -= nSize;
        data.pBytes = nSize != 0 ? m_pFile + nData : nullptr;
        data.nSize = nSize;
        node.languages.push_back(data);
    }
    return true;
}

SResourceData* CResourceTree::Find(const char* pszType, std::uint16_t nId,
                                   std::uint16_t nLanguage) {
    for (SResourceNode& type : m_root.children) {
        if (!type.key.Is(pszType))
            continue;
        for (SResourceNode& name : type.children) {
            if (!name.key.Is(nId))
                continue;
            for (SResourceData& language : name.languages)
                if (language.key.Is(nLanguage))
                    return &language;
        }
    }
    return nullptr;
}

std::vector<unsigned char> CResourceTree::Write(std::uint32_t nRva, const SResourceData* pLast,
                                                std::uint32_t& nLastRva) const {
    // Directories breadth first, as the linkers lay them out: the root, the
    // types, then the names; every entry and every string counted up front.
    std::size_t nDirectories = DirectoryBytes(m_root.children);
    std::size_t nLeaves = 0;
    std::size_t nStrings = 0;
    for (const SResourceNode& type : m_root.children) {
        nDirectories += DirectoryBytes(type.children);
        nStrings += StringBytes(type.key);
        for (const SResourceNode& name : type.children) {
            nDirectories += DirectoryBytes(name.languages);
            nStrings += StringBytes(name.key);
            nLeaves += name.languages.size();
            for (const SResourceData& language : name.languages)
                nStrings += StringBytes(language.key);
        }
    }
    std::size_t nString = nDirectories + nLeaves * kDataEntrySize;
    std::size_t nData = Align8(nString + nStrings);
    std::size_t nEnd = nData;
    for (const SResourceNode& type : m_root.children)
        for (const SResourceNode& name : type.children)
            for (const SResourceData& language : name.languages)
                if (&language != pLast)
                    nEnd += Align8(static_cast<std::size_t>(language.nSize));
    std::vector<unsigned char> out(nEnd);
    nLastRva = static_cast<std::uint32_t>(nRva + nEnd);

    std::size_t nDataEntry = nDirectories;
    auto keyField = [&](const SResourceKey& key) -> std::uint32_t {
        if (!key.bNamed)
            return key.nId;
        std::size_t nAt = nString;
        Put16(out, nAt, static_cast<std::uint32_t>(key.strName.size()));
        for (std::size_t i = 0; i < key.strName.size(); ++i)
            Put16(out, nAt + 2 + 2 * i, key.strName[i]);
        nString += StringBytes(key);
        return kHighBit | static_cast<std::uint32_t>(nAt);
    };
    auto header = [&](std::size_t nAt, const SResourceNode& node, const auto& entries) {
        std::size_t nNamed = 0;
        for (const auto& entry : entries)
            nNamed += entry.key.bNamed ? 1 : 0;
        Put32(out, nAt, node.nCharacteristics);
        Put32(out, nAt + 4, node.nTimeStamp);
        Put32(out, nAt + 8, node.nVersion);
        Put16(out, nAt + 12, static_cast<std::uint32_t>(nNamed));
        Put16(out, nAt + 14, static_cast<std::uint32_t>(entries.size() - nNamed));
        return nAt + kDirectorySize;
    };
    std::size_t nTypeDirectory = DirectoryBytes(m_root.children);
    std::size_t nNameDirectory = nTypeDirectory;
    for (const SResourceNode& type : m_root.children)
        nNameDirectory += DirectoryBytes(type.children);
    auto entry = [&](std::size_t& nAt, const SResourceKey& key, std::uint32_t nTarget) {
        Put32(out, nAt, keyField(key));
        Put32(out, nAt + 4, nTarget);
        nAt += kEntrySize;
    };
    std::size_t nEntry = header(0, m_root, m_root.children);
    for (const SResourceNode& type : m_root.children) {
        entry(nEntry, type.key, kHighBit | static_cast<std::uint32_t>(nTypeDirectory));
        std::size_t nTypeEntry = header(nTypeDirectory, type, type.children);
        nTypeDirectory += DirectoryBytes(type.children);
        for (const SResourceNode& name : type.children) {
            entry(nTypeEntry, name.key, kHighBit | static_cast<std::uint32_t>(nNameDirectory));
            std::size_t nNameEntry = header(nNameDirectory, name, name.languages);
            nNameDirectory += DirectoryBytes(name.languages);
            for (const SResourceData& language : name.languages) {
                entry(nNameEntry, language.key, static_cast<std::uint32_t>(nDataEntry));
                std::size_t nAt = nEnd;
                if (&language != pLast) {
                    nAt = nData;
                    if (language.nSize != 0)
                        std::memcpy(out.data() + nData, language.pBytes,
                                    static_cast<std::size_t>(language.nSize));
                    nData += Align8(static_cast<std::size_t>(language.nSize));
                }
                Put32(out, nDataEntry, static_cast<std::uint32_t>(nRva + nAt));
                Put32(out, nDataEntry + 4, static_cast<std::uint32_t>(language.nSize));
                Put32(out, nDataEntry + 8, language.nCodePage);
                nDataEntry += kDataEntrySize;
            }
        }
    }
    return out;
}
