// tools/payload/pe/ResourceTree.h
#pragma once

#include "pe/PeImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A resource type, name or language: an id or a UTF-16 string.
struct SResourceKey {
    bool bNamed = false;
    std::uint16_t nId = 0;
    std::u16string strName;

    bool Is(const char* pszName) const;
    bool Is(std::uint16_t nWanted) const { return !bNamed && nId == nWanted; }
};

// One language of one resource: where its bytes lie (outside the tree's own
// storage: in the image, or in whatever the caller gave) and its code page.
struct SResourceData {
    SResourceKey key;
    std::uint32_t nCodePage = 0;
    const unsigned char* pBytes = nullptr;
    std::uint64_t nSize = 0;
};

// A directory of the tree and its entries, in the image's order. A type's
// entries are names, and a name's entries are languages.
struct SResourceNode {
    SResourceKey key;
    std::uint32_t nCharacteristics = 0;
    std::uint32_t nTimeStamp = 0;
    std::uint32_t nVersion = 0;
    std::vector<SResourceNode> children;  // types below the root, names below a type
    std::vector<SResourceData> languages; // below a name
};

// The resource directory of a PE image: read with every offset checked, and
// written again for a section at a given address.
class CResourceTree {
public:
    // False, with the reason, when the directory or a datum lies outside the image.
    bool Parse(const CPeImage& image, const unsigned char* pFile, std::string& strError);

    // The language entry of type pszType, id nId, language nLanguage; null when none.
    SResourceData* Find(const char* pszType, std::uint16_t nId, std::uint16_t nLanguage);
    const SResourceNode& GetRoot() const { return m_root; }

    // The section's bytes for address nRva: directories, data entries,
    // strings, then every datum 8-byte aligned, except the one given by
    // pLast, whose bytes follow last and are left out of the result. nLastRva
    // receives its address.
    std::vector<unsigned char> Write(std::uint32_t nRva, const SResourceData* pLast,
                                     std::uint32_t& nLastRva) const;

private:
    bool ParseDirectory(std::size_t nOffset, int nLevel, SResourceNode& node);
    bool ParseKey(std::uint32_t nField, SResourceKey& key);

    const CPeImage* m_pImage = nullptr;
    const unsigned char* m_pFile = nullptr;
    std::size_t m_nBase = 0;   // the directory's offset in the file
    std::size_t m_nLength = 0; // bytes of the section from there on
    std::size_t m_nBudget = 0; // entries left before the tree counts as hostile
    std::uint64_t m_nDataLeft = 0;
    SResourceNode m_root;
};
