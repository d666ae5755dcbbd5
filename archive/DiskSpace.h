// archive/DiskSpace.h: what extracting an archive takes on its target drive,
// against what is free there.
#pragma once

#include "archive/Platform.h"

#include <cstdint>

// Bytes needed and free on the target's drive.
struct SDiskSpace {
    std::uint64_t nNeeded = 0;
    std::uint64_t nFree = 0;

    // In megabytes of 1,048,576 bytes, as the user is told: the need rounded
    // up, the free space down, so that the figures never hide a shortage.
    int NeededMB() const;
    int FreeMB() const;
};

// What the entries of the archive take on a drive with that cluster size:
// each file's decoded size (a gzip member's ISIZE, else the member's length)
// rounded up to whole clusters, and one cluster for each directory that the
// names make. Walks the framing as the extraction does: it stops where the
// framing breaks and leaves out the names that the extraction refuses.
std::uint64_t GetSpaceNeeded(const SByteBlock& archive, std::uint64_t nClusterSize);
