// tools/payload/pe/InstallerImage.h
#pragma once

#include "pe/PeImage.h"
#include "pe/ResourceTree.h"

#include <cstdint>
#include <string>
#include <vector>

// The wizard's stub with a payload in its "RT_ARCHIV" 149 resource.
//
// The resource section is written anew, at its place, with the payload's bytes
// last; sections behind it (the relocations) move up by whole section
// alignments, and what follows the sections moves with them. The headers that
// describe the image follow: data directories, section table, SizeOfImage,
// SizeOfInitializedData, the symbol table's offset and the CheckSum. Nothing
// else of the stub changes.
class CInstallerImage {
public:
    // The installer's bytes in the order of the file.
    struct SPiece {
        const unsigned char* pData; // null: zeros
        std::uint64_t nSize;
    };

    // Takes the stub's bytes; false, with the reason, when they are not the
    // wizard or their layout is one this writer does not handle.
    bool Load(std::vector<unsigned char> stub, std::string& strError);
    // Lays the installer out around nPayload bytes at pPayload, which must
    // stay valid until Write; false when they exceed the installer's limit.
    bool Plan(const unsigned char* pPayload, std::uint64_t nPayload, std::string& strError);
    std::uint64_t GetSize() const;
    // The address space the planned image spans when loaded (SizeOfImage).
    std::uint32_t GetImageSize() const;
    std::vector<SPiece> GetPieces() const;
    // The finished image in one buffer, for tests and the fuzzer.
    std::vector<unsigned char> ToBytes() const;

    // The "RT_ARCHIV" 149 resource (language 1031) of an installer in memory.
    static bool FindPayload(const unsigned char* pData, std::size_t nSize,
                            const unsigned char*& pPayload, std::uint64_t& nPayload,
                            std::string& strError);

private:
    bool CheckLayout(std::string& strError);
    void Put32(std::size_t nOffset, std::uint32_t nValue);

    std::vector<unsigned char> m_stub;
    CPeImage m_image;
    CResourceTree m_tree;
    SResourceData* m_pPayload = nullptr;
    std::size_t m_nSection = 0;             // index of the resource section
    std::vector<unsigned char> m_headers;   // the stub up to the resource section, patched
    std::vector<unsigned char> m_resources; // the new section up to the payload
    std::vector<unsigned char> m_tail;      // the sections behind it and the overlay
    std::uint64_t m_nPadding = 0;           // zeros after the payload
};
