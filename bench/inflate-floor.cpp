// bench/inflate-floor.cpp: decodes every member of a payload archive with zlib,
// in memory, writing nothing: the decode half of the least that any extraction
// of the archive must do (`cp -r` of the tree is the write half).
//
//   inflate-floor ARCHIVE
//
// Prints "N entries, M bytes" (the decoded bytes). Exits with 0, 1 when the
// framing or a member is damaged, 2 on a wrong command line or an unreadable file.
#include "archive/ArchiveFraming.h"

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace {

// Decodes one member (gzip members one after another, as the installer reads
// them) into a scratch buffer; the decoded size, or -1 when it is damaged.
std::int64_t Inflate(z_stream& z, const unsigned char* pMember, std::uint32_t nLength,
                     std::vector<unsigned char>& scratch) {
    z.next_in = const_cast<unsigned char*>(pMember);
    z.avail_in = nLength;
    std::int64_t nDecoded = 0;
    while (z.avail_in != 0) {
        if (inflateReset(&z) != Z_OK)
            return -1;
        int nResult = Z_OK;
        while (nResult == Z_OK) {
            z.next_out = scratch.data();
            z.avail_out = static_cast<uInt>(scratch.size());
            nResult = inflate(&z, Z_NO_FLUSH);
            nDecoded += static_cast<std::int64_t>(scratch.size() - z.avail_out);
        }
        if (nResult != Z_STREAM_END)
            return -1;
    }
    return nDecoded;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: inflate-floor ARCHIVE\n");
        return 2;
    }
    // Mapped as payload extract maps it: the bytes are read in place.
    const int fd = open(argv[1], O_RDONLY);
    struct stat status = {};
    if (fd < 0 || fstat(fd, &status) != 0) {
        std::fprintf(stderr, "inflate-floor: cannot read %s\n", argv[1]);
        return 2;
    }
    const std::size_t nSize = static_cast<std::size_t>(status.st_size);
    void* pMapped = nSize ? mmap(nullptr, nSize, PROT_READ, MAP_PRIVATE, fd, 0) : nullptr;
    close(fd);
    if (pMapped == MAP_FAILED) {
        std::fprintf(stderr, "inflate-floor: cannot map %s\n", argv[1]);
        return 2;
    }
    const unsigned char* const pBegin = static_cast<const unsigned char*>(pMapped);
    z_stream z = {};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK)
        return 1;
    std::vector<unsigned char> scratch(1 << 16);
    const unsigned char* p = pBegin;
    const unsigned char* const pEnd = p + nSize;
    long nEntries = 0;
    std::int64_t nBytes = 0;
    while (p != pEnd) {
        const SEntryFraming entry = FrameEntry(p, static_cast<std::uint64_t>(pEnd - p));
        if (entry.nState != framingEntry)
            break;
        const std::int64_t nDecoded =
            Inflate(z, p + entry.MemberOffset(), entry.nMemberLength, scratch);
        if (nDecoded < 0)
            break;
        nBytes += nDecoded;
        ++nEntries;
        p += entry.EntrySize();
    }
    inflateEnd(&z);
    if (p != pEnd) {
        std::fprintf(stderr, "inflate-floor: damaged at byte %ld of %s\n",
                     static_cast<long>(p - pBegin), argv[1]);
        return 1;
    }
    std::printf("%ld entries, %lld bytes\n", nEntries, static_cast<long long>(nBytes));
    return 0;
}
