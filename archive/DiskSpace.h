// archive/DiskSpace.h: what extracting an archive takes on its target drive,
// against what is free there.
#pragma once

#include "archive/Platform.h"

#include <cstdint>
#include <string>

// Bytes needed and free on the target's drive.
struct SDiskSpace {
    std::uint64_t nNeeded = 0;
    std::uint64_t nFree = 0;

    // In megabytes of 1,048,576 bytes, as the user is told: the need rounded
    // up, the free space down, so that the figures never hide a shortage.
    int NeededMB() const;
    int FreeMB() const;
};

// The most that extracting the archive below strTargetDir (ending in a
// backslash) takes on a drive with that cluster size, at any point of the walk.
// Each entry adds its file's decoded size (a gzip member's ISIZE, else the
// member's length) in whole clusters, less the clusters of the file that it
// replaces, and one cluster for each folder of its name that does not exist
// yet; with bStaging (the temporary folder lies on that drive) its member's
// clusters too while it is extracted. Whatever stands where a file goes and is
// not a file that may be written, and whatever stands where a folder goes and
// is not a folder, gives nothing back. Walks the framing as the extraction
// does: it stops where the framing breaks and leaves out the names that the
// extraction refuses.
std::uint64_t GetSpaceNeeded(const SByteBlock& archive, std::uint64_t nClusterSize,
                             CPlatform& platform, const std::string& strTargetDir, bool bStaging);
