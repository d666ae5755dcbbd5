// tools/payload/pack/ArchiveWriter.h
#pragma once

#include "pack/PartFile.h"

#include <cstdint>
#include <string>
#include <vector>

// Writes an archive entry by entry into a part file, which Close puts in place.
class CArchiveWriter {
public:
    bool Open(const std::string& strPath);
    // Name, separator, member length, member. False when the member does not
    // fit the 32-bit length field or the file cannot be written.
    bool AddEntry(const std::string& strName, const std::vector<unsigned char>& member);
    bool Close();

    std::uint64_t GetSize() const { return m_nSize; }

private:
    CPartFile m_file;
    std::uint64_t m_nSize = 0;
};
