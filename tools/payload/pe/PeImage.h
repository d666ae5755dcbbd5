// tools/payload/pe/PeImage.h
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One entry of a PE image's section table.
struct SPeSection {
    std::size_t nHeaderOffset; // of the 40-byte header in the file
    std::uint32_t nVirtualSize;
    std::uint32_t nVirtualAddress;
    std::uint32_t nRawSize;
    std::uint32_t nRawOffset;
    std::uint32_t nCharacteristics;
};

// The headers of a PE32 or PE32+ image held in memory, checked against the
// file's size, with the offsets of the fields the installer builder rewrites.
// Reads only; every offset it hands out lies inside the file.
class CPeImage {
public:
    // Data directory indexes (IMAGE_DIRECTORY_ENTRY_*).
    static constexpr unsigned kSecurityDirectory = 4;
    static constexpr unsigned kRelocationDirectory = 5;
    static constexpr unsigned kResourceDirectory = 2;
    // IMAGE_SCN_MEM_DISCARDABLE.
    static constexpr std::uint32_t kDiscardable = 0x02000000;

    // Whether the bytes begin with "MZ" and hold "PE\0\0" where that header points.
    static bool HasSignature(const unsigned char* pData, std::size_t nSize);
    // False, with the reason in strError, when the bytes are no PE image whose
    // headers and sections lie inside them.
    bool Parse(const unsigned char* pData, std::size_t nSize, std::string& strError);

    bool IsPlus() const { return m_bPlus; }
    std::uint16_t GetSubsystem() const { return Read16(m_nOptional + 68); }
    std::uint32_t GetFileAlignment() const { return Read32(m_nOptional + 36); }
    std::uint32_t GetSectionAlignment() const { return Read32(m_nOptional + 32); }
    std::uint32_t GetSizeOfHeaders() const { return Read32(m_nOptional + 60); }
    const std::vector<SPeSection>& GetSections() const { return m_sections; }
    // Rva and size of directory nIndex; both 0 when the image has none.
    std::uint32_t GetDirectoryRva(unsigned nIndex) const;
    std::uint32_t GetDirectorySize(unsigned nIndex) const;
    // The section whose virtual range holds nRva; -1 when none does.
    int FindSection(std::uint32_t nRva) const;
    // Where nSize bytes at nRva lie in the file; false unless all of them are
    // raw data of one section.
    bool RvaToOffset(std::uint32_t nRva, std::uint32_t nSize, std::size_t& nOffset) const;
    // Where the last section's raw data ends; what follows is the overlay.
    std::size_t GetSectionsEnd() const { return m_nSectionsEnd; }

    // Offsets of header fields in the file.
    std::size_t SymbolTableField() const { return m_nFileHeader + 8; }
    std::size_t SizeOfInitializedDataField() const { return m_nOptional + 8; }
    std::size_t SizeOfImageField() const { return m_nOptional + 56; }
    std::size_t CheckSumField() const { return m_nOptional + 64; }
    std::size_t DirectoryField(unsigned nIndex) const { return m_nDirectories + 8 * nIndex; }

    std::uint16_t Read16(std::size_t nOffset) const;
    std::uint32_t Read32(std::size_t nOffset) const;

private:
    bool ParseSections(std::string& strError);

    const unsigned char* m_pData = nullptr;
    std::size_t m_nSize = 0;
    bool m_bPlus = false;
    std::size_t m_nFileHeader = 0;
    std::size_t m_nOptional = 0;
    std::size_t m_nDirectories = 0;
    std::uint32_t m_nDirectoryCount = 0;
    std::size_t m_nSectionsEnd = 0;
    std::vector<SPeSection> m_sections;
};
