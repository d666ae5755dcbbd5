// archive/DiskSpace.cpp
#include "archive/DiskSpace.h"

#include "archive/ArchiveFraming.h"
#include "archive/EntryName.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <set>
#include <string>
#include <string_view>

namespace {

constexpr std::uint64_t kMegabyte = 1048576;
// A gzip member: 10 bytes of header, the deflate data, CRC-32 and ISIZE.
constexpr std::uint32_t kGzipFrame = 18;

int ClampToInt(std::uint64_t nValue) {
    return static_cast<int>(std::min<std::uint64_t>(nValue, INT_MAX));
}

std::uint64_t DecodedSize(const unsigned char* pMember, std::uint32_t nLength) {
    if (nLength >= kGzipFrame && pMember[0] == 0x1F && pMember[1] == 0x8B)
        return DecodeLittleEndian32(pMember + nLength - 4);
    return nLength;
}

// The directories of a name, as a case-blind drive tells them apart.
void AddDirectories(const unsigned char* pName, std::uint64_t nName,
                    std::set<std::string>& directories) {
    std::string strPath;
    for (std::uint64_t i = 0; i < nName; ++i) {
        const char c = static_cast<char>(pName[i]);
        if (c == '\\' || c == '/')
            directories.insert(strPath);
        strPath += c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
}

} // namespace

int SDiskSpace::NeededMB() const {
    return ClampToInt(nNeeded / kMegabyte + (nNeeded % kMegabyte != 0 ? 1 : 0));
}

int SDiskSpace::FreeMB() const {
    return ClampToInt(nFree / kMegabyte);
}

std::uint64_t GetSpaceNeeded(const SByteBlock& archive, std::uint64_t nClusterSize) {
    const std::uint64_t nCluster = std::max<std::uint64_t>(nClusterSize, 1);
    std::uint64_t nNeeded = 0;
    std::set<std::string> directories;
    for (std::uint64_t nAt = 0; nAt < archive.nSize;) {
        const unsigned char* pEntry = archive.pData + nAt;
        const SEntryFraming framing = FrameEntry(pEntry, archive.nSize - nAt);
        if (framing.nState != framingEntry)
            break;
        nAt += framing.EntrySize();
        const std::string_view name(reinterpret_cast<const char*>(pEntry),
                                    static_cast<std::size_t>(std::min<std::uint64_t>(
                                        framing.nNameLength, ENTRY_NAME_MAX + 1)));
        if (!IsSafeEntryName(name))
            continue;
        const std::uint64_t nSize =
            DecodedSize(pEntry + framing.MemberOffset(), framing.nMemberLength);
        nNeeded += (nSize + nCluster - 1) / nCluster * nCluster;
        AddDirectories(pEntry, framing.nNameLength, directories);
    }
    return nNeeded + directories.size() * nCluster;
}
