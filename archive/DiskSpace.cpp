// archive/DiskSpace.cpp
#include "archive/DiskSpace.h"

#include "archive/ArchiveFraming.h"
#include "archive/EntryName.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <set>
#include <string>

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

std::uint64_t Clusters(std::uint64_t nSize, std::uint64_t nCluster) {
    return (nSize + nCluster - 1) / nCluster * nCluster;
}

// A name as a case-blind drive tells names apart.
std::string CaseBlind(std::string strName) {
    for (char& c : strName)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return strName;
}

bool IsFolder(CPlatform& platform, const std::string& strPath) {
    std::uint64_t nSize = 0;
    return platform.GetPathStatus(strPath.c_str(), nSize) == pathDirectory;
}

// The clusters that replacing the file at the path gives back.
std::uint64_t ReplacedClusters(CPlatform& platform, const std::string& strPath,
                               std::uint64_t nCluster) {
    std::uint64_t nSize = 0;
    return platform.GetPathStatus(strPath.c_str(), nSize) == pathFile ? Clusters(nSize, nCluster)
                                                                      : 0;
}

} // namespace

int SDiskSpace::NeededMB() const {
    return ClampToInt(nNeeded / kMegabyte + (nNeeded % kMegabyte != 0 ? 1 : 0));
}

int SDiskSpace::FreeMB() const {
    return ClampToInt(nFree / kMegabyte);
}

std::uint64_t GetSpaceNeeded(const SByteBlock& archive, std::uint64_t nClusterSize,
                             CPlatform& platform, const std::string& strTargetDir, bool bStaging) {
    const std::uint64_t nCluster = std::max<std::uint64_t>(nClusterSize, 1);
    // Signed: replacing larger files can take the use below where it started.
    std::int64_t nUsed = 0;
    std::int64_t nPeak = 0;
    // Folders (with a trailing backslash) and files met so far, case-blind: a
    // file is replaced at most once, and a folder made once.
    std::set<std::string> seen;
    for (std::uint64_t nAt = 0; nAt < archive.nSize;) {
        const unsigned char* pEntry = archive.pData + nAt;
        const SEntryFraming framing = FrameEntry(pEntry, archive.nSize - nAt);
        if (framing.nState != framingEntry)
            break;
        nAt += framing.EntrySize();
        std::string strName(reinterpret_cast<const char*>(pEntry),
                            static_cast<std::size_t>(
                                std::min<std::uint64_t>(framing.nNameLength, ENTRY_NAME_MAX + 1)));
        if (!IsSafeEntryName(strName))
            continue;
        std::replace(strName.begin(), strName.end(), '/', '\\');
        const std::string strKey = CaseBlind(strName);
        for (std::size_t i = strName.find('\\'); i != std::string::npos;
             i = strName.find('\\', i + 1)) {
            if (seen.insert(strKey.substr(0, i + 1)).second &&
                !IsFolder(platform, strTargetDir + strName.substr(0, i)))
                nUsed += static_cast<std::int64_t>(nCluster);
        }
        const std::int64_t nOld = seen.insert(strKey).second
                                      ? static_cast<std::int64_t>(ReplacedClusters(
                                            platform, strTargetDir + strName, nCluster))
                                      : 0;
        const std::int64_t nNew = static_cast<std::int64_t>(Clusters(
            DecodedSize(pEntry + framing.MemberOffset(), framing.nMemberLength), nCluster));
        const std::int64_t nStaged =
            bStaging ? static_cast<std::int64_t>(Clusters(framing.nMemberLength, nCluster)) : 0;
        // The staged member stays until the new file is written; the old file
        // is cut to nothing before that.
        nPeak = std::max(nPeak, nUsed + nStaged + std::max<std::int64_t>(nNew - nOld, 0));
        nUsed += nNew - nOld;
    }
    return static_cast<std::uint64_t>(nPeak);
}
