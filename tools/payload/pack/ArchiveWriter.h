// tools/payload/pack/ArchiveWriter.h
#pragma once

#include "pack/PackResult.h"

#include <cstdint>
#include <string>

// Writes an archive entry by entry to an output: a part file, or whatever
// else takes the bytes in order (an installer around the archive).
class CArchiveWriter {
public:
    explicit CArchiveWriter(BytesSink output) : m_output(std::move(output)) {}

    // Name, separator, member length, member. False when the member does not
    // fit the 32-bit length field or the output fails.
    bool AddEntry(const std::string& strName, const SPackResult& member);

    std::uint64_t GetSize() const { return m_nSize; }

private:
    BytesSink m_output;
    std::uint64_t m_nSize = 0;
};
