// tools/payload/pe/InstallerImage.h
#pragma once

#include "pe/PeChecksum.h"
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
    // Where the payload begins in the installer: after the head, whose size
    // does not depend on the payload's.
    std::uint64_t GetPayloadOffset() const { return m_nPayloadOffset; }
    // Lays the installer out around a payload of nPayload bytes, with the
    // CheckSum still 0; false when they exceed the installer's limit.
    bool Plan(std::uint64_t nPayload, std::string& strError);
    // The CheckSum of the planned installer, from its payload's, summed as
    // its bytes were written.
    void Finish(const CPeChecksum& payload);
    // Plan and Finish around nPayload bytes at pPayload, which must stay
    // valid for ToBytes.
    bool Plan(const unsigned char* pPayload, std::uint64_t nPayload, std::string& strError);

    std::uint64_t GetSize() const;
    // The address space the image spans when loaded (SizeOfImage): the
    // stub's until Plan.
    std::uint32_t GetImageSize() const;
    // What comes before the payload (headers and resources) and after it.
    std::vector<SPiece> GetHead() const;
    std::vector<SPiece> GetTail() const;
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
    std::size_t m_nSection = 0;                     // index of the resource section
    std::uint64_t m_nPayloadOffset = 0;             // in the installer
    const unsigned char* m_pPayloadBytes = nullptr; // for ToBytes
    std::vector<unsigned char> m_headers;           // the stub up to the resource section, patched
    std::vector<unsigned char> m_resources;         // the new section up to the payload
    std::vector<unsigned char> m_tail;              // the sections behind it and the overlay
    std::uint64_t m_nPadding = 0;                   // zeros after the payload
};
