// tools/payload/ArchiveWriter.h
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Writes an archive entry by entry. The bytes go to "<path>.part", which
// Close renames into place, so a failed run leaves no half archive behind.
class CArchiveWriter {
public:
    CArchiveWriter() = default;
    CArchiveWriter(const CArchiveWriter&) = delete;
    CArchiveWriter& operator=(const CArchiveWriter&) = delete;
    ~CArchiveWriter();

    bool Open(const std::string& strPath);
    // Name, separator, member length, member. False when the member does not
    // fit the 32-bit length field or the file cannot be written.
    bool AddEntry(const std::string& strName, const std::vector<unsigned char>& member);
    bool Close();

    std::uint64_t GetSize() const { return m_nSize; }

private:
    void Discard();

    std::FILE* m_pFile = nullptr;
    std::string m_strPath;
    std::string m_strPartPath;
    std::uint64_t m_nSize = 0;
};
