// archive/GzipFileStream.cpp
#include "archive/GzipFileStream.h"

#include "archive/ArchiveFraming.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <utility>

namespace {

// zlib's default memory level, as gzopen uses it.
const int kMemLevel = 8;
// Operating system byte of every member: 11 (NTFS), whatever builds it.
const int kOsNtfs = 11;
// ReadInto starts with this much when it cannot trust a file's announced size.
const std::size_t kMaxExpected = 64u << 20;
// The most that one byte of deflate data yields: a match of 258 bytes (length
// code 285) at distance 1 (distance code 0), neither with extra bits, takes
// two bits at best, when each code is one bit long.
const std::uint64_t kMaxRatio = 1032;
// Header (at least 10 bytes) and trailer (8) of a gzip member, which yield nothing.
const std::int32_t kMemberOverhead = 18;
// gzread takes an unsigned count; zlib splits it further.
const std::size_t kMaxRead = 1u << 30;
// zlib's input buffer: its default of 8 KiB costs a read per 8 KiB; a small
// file is read in one go. zlib allocates it, and an output buffer of twice its
// size, for every file: larger ones come fresh from the heap each time (which
// returns them to the system on free), and cost more in page faults than
// the reads they save.
const std::size_t kMaxInputBuffer = 32 * 1024;
const std::size_t kMinInputBuffer = 8 * 1024;
// CRC-32 and ISIZE close every gzip member.
const std::int32_t kTrailerSize = 8;

} // namespace

CGzipFileStream::CGzipFileStream() : m_platform(CPlatform::GetDefault()) {}

CGzipFileStream::CGzipFileStream(CPlatform& platform) : m_platform(platform) {}

CGzipFileStream::~CGzipFileStream() {
    if (IsOpen())
        Close();
}

BOOL CGzipFileStream::Open(const char* pszPath, int nMode) {
    if (IsOpen())
        return FALSE;
    BOOL bOpen = FALSE;
    SInputFile file;
    if (nMode == gzModeWrite)
        bOpen = OpenWrite(pszPath);
    else if (nMode == gzModeRead)
        bOpen = m_platform.OpenInput(pszPath, file) && OpenRead(file);
    SetMode(bOpen ? nMode : gzModeNone);
    return bOpen;
}

BOOL CGzipFileStream::Open(SInputFile& file) {
    if (IsOpen()) {
        m_platform.CloseInput(file);
        return FALSE;
    }
    const BOOL bOpen = OpenRead(file);
    SetMode(bOpen ? gzModeRead : gzModeNone);
    return bOpen;
}

BOOL CGzipFileStream::OpenWrite(const char* pszPath) {
    m_pOut = std::fopen(pszPath, "wb");
    if (!m_pOut)
        return FALSE;
    m_zStream = z_stream();
    if (deflateInit2(&m_zStream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, MAX_WBITS + 16, kMemLevel,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
        std::fclose(m_pOut);
        m_pOut = nullptr;
        return FALSE;
    }
    // gzopen("wb") would write the OS byte of the build machine; the header is
    // set here so that every platform writes the archive's form. zlib reads it
    // at the first deflate call, so it lives in the object.
    m_header = gz_header();
    m_header.os = kOsNtfs;
    deflateSetHeader(&m_zStream, &m_header);
    m_bWriteFailed = FALSE;
    m_nMode = gzModeWrite;
    ApplyParams();
    return TRUE;
}

BOOL CGzipFileStream::OpenRead(SInputFile& file) {
    // One open serves the size, the magic, the trailer and the gzip reader.
    if (file.nSize > INT32_MAX) {
        m_platform.CloseInput(file);
        return FALSE;
    }
    m_nFileSize = static_cast<std::int32_t>(file.nSize);
    unsigned char magic[2] = {};
    m_bGzip = m_platform.ReadInput(file, 0, magic, 2) == 2 && magic[0] == 0x1F && magic[1] == 0x8B;
    std::memset(m_trailer, 0, sizeof(m_trailer));
    if (m_nFileSize >= kTrailerSize)
        m_platform.ReadInput(file, static_cast<std::uint64_t>(m_nFileSize - kTrailerSize),
                             m_trailer, sizeof(m_trailer));
    // The reads left the position at the start, where gzdopen begins to read.
    m_gzFile = gzdopen(file.nDescriptor, "rb");
    if (!m_gzFile) {
        m_platform.CloseInput(file);
        return FALSE;
    }
    gzbuffer(m_gzFile, static_cast<unsigned>(std::clamp<std::size_t>(
                           file.nSize + 1, kMinInputBuffer, kMaxInputBuffer)));
    return TRUE;
}

BOOL CGzipFileStream::Close() {
    if (m_pOut)
        return CloseWrite();
    if (!m_gzFile)
        return FALSE;
    // A truncated member shows here and in gzerror (Z_BUF_ERROR), never as a failed read.
    const int nResult = gzclose(m_gzFile);
    m_gzFile = nullptr;
    return nResult == Z_OK;
}

BOOL CGzipFileStream::CloseWrite() {
    const BOOL bFinished = Deflate(nullptr, 0, Z_FINISH);
    deflateEnd(&m_zStream);
    const BOOL bClosed = std::fclose(m_pOut) == 0;
    m_pOut = nullptr;
    return bFinished && bClosed && !m_bWriteFailed;
}

BOOL CGzipFileStream::IsOpen() const {
    return m_gzFile != nullptr || m_pOut != nullptr;
}

BOOL CGzipFileStream::Write(const void* pData, unsigned nLength) {
    if (!m_pOut || m_nMode != gzModeWrite)
        return FALSE;
    return Deflate(pData, nLength, Z_NO_FLUSH);
}

BOOL CGzipFileStream::WriteString(const char* pszText) {
    return Write(pszText, static_cast<unsigned>(std::strlen(pszText)));
}

BOOL CGzipFileStream::Deflate(const void* pData, unsigned nLength, int nFlush) {
    unsigned char out[16384];
    m_zStream.next_in = static_cast<Bytef*>(const_cast<void*>(pData));
    m_zStream.avail_in = nLength;
    int nResult;
    do {
        m_zStream.next_out = out;
        m_zStream.avail_out = sizeof(out);
        nResult = deflate(&m_zStream, nFlush);
        if (nResult == Z_STREAM_ERROR)
            return FALSE;
        const std::size_t nHave = sizeof(out) - m_zStream.avail_out;
        if (std::fwrite(out, 1, nHave, m_pOut) != nHave)
            m_bWriteFailed = TRUE;
    } while (m_zStream.avail_out == 0 || (nFlush == Z_FINISH && nResult != Z_STREAM_END));
    return !m_bWriteFailed;
}

int CGzipFileStream::Read(void* pBuffer, unsigned nLength) {
    if (!m_gzFile || m_nMode != gzModeRead)
        return 0;
    return gzread(m_gzFile, pBuffer, nLength);
}

BOOL CGzipFileStream::ReadAll(std::unique_ptr<unsigned char[]>& pBuffer, int& nSize) {
    SDecodeBuffer buffer;
    if (!ReadInto(buffer, nSize))
        return FALSE;
    pBuffer = std::move(buffer.pData);
    return nSize != 0;
}

BOOL CGzipFileStream::ReadInto(SDecodeBuffer& buffer, int& nSize) {
    nSize = 0;
    if (!m_gzFile || m_nMode != gzModeRead)
        return FALSE;
    // The size the file announces, and a byte more to meet the end, in one
    // block when the file can yield that much: the buffer grows only when the
    // announcement was short (several members, a false ISIZE), and never past
    // what the file can yield, so a lying trailer costs no more than that.
    const SDecodeSizes sizes = DecodeSizes();
    std::size_t nHave = 0;
    int nRead = 0;
    try {
        Reserve(buffer, sizes.nFirst, 0);
        for (;;) {
            if (nHave == buffer.nCapacity) {
                if (buffer.nCapacity >= sizes.nLimit) {
                    nRead = -1;
                    break;
                }
                Reserve(buffer, std::min(buffer.nCapacity * 2, sizes.nLimit), nHave);
            }
            nRead = gzread(
                m_gzFile, buffer.pData.get() + nHave,
                static_cast<unsigned>(std::min<std::size_t>(buffer.nCapacity - nHave, kMaxRead)));
            if (nRead <= 0)
                break;
            nHave += static_cast<std::size_t>(nRead);
        }
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    int nError = Z_OK;
    gzerror(m_gzFile, &nError);
    if (nRead < 0 || nError != Z_OK)
        return FALSE;
    if (m_bGzip && !EndsInTrailer(buffer.pData.get(), static_cast<int>(nHave)))
        return FALSE;
    nSize = static_cast<int>(nHave);
    return TRUE;
}

void CGzipFileStream::Reserve(SDecodeBuffer& buffer, std::size_t nCapacity, std::size_t nKeep) {
    if (buffer.nCapacity >= nCapacity)
        return;
    // A block kept from an earlier file is not needed beside the new one.
    if (nKeep == 0) {
        buffer.pData.reset();
        buffer.nCapacity = 0;
    }
    std::unique_ptr<unsigned char[]> pGrown(new unsigned char[nCapacity]);
    if (nKeep != 0)
        std::memcpy(pGrown.get(), buffer.pData.get(), nKeep);
    buffer.pData = std::move(pGrown);
    buffer.nCapacity = nCapacity;
}

CGzipFileStream::SDecodeSizes CGzipFileStream::DecodeSizes() const {
    // The most the file can yield. Stored bytes come out as they are. Every
    // gzip member of n bytes holds at most n - 18 bytes of deflate data,
    // which yield at most 1032 bytes each, so members of N bytes in all yield
    // at most 1032 * (N - 18), and bytes after the last member nothing. Real
    // data yields less: each block's header and end code take bits as well,
    // and a stream starts with a literal. A last member cut short may yield up
    // to 1032 * 8 bytes more before zlib meets its end; it is damaged, and
    // meeting the bound says so as well.
    std::uint64_t nYield = static_cast<std::uint64_t>(m_nFileSize);
    if (m_bGzip)
        nYield = m_nFileSize > kMemberOverhead
                     ? kMaxRatio * static_cast<std::uint64_t>(m_nFileSize - kMemberOverhead)
                     : 0;
    // All of it and a byte more; what comes out must fit an int, up to INT_MAX
    // bytes, the largest file that the tool packs.
    const std::size_t nLimit =
        static_cast<std::size_t>(std::min<std::uint64_t>(nYield, INT_MAX) + 1);
    // A gzip file announces the size of its last member, which is all of it
    // for the archive's members. Believed when the file can yield that much.
    const std::uint64_t nAnnounced =
        m_bGzip ? DecodeLittleEndian32(m_trailer + 4) : static_cast<std::uint64_t>(m_nFileSize);
    if (nAnnounced + 1 <= nLimit)
        return {static_cast<std::size_t>(nAnnounced + 1), nLimit};
    return {std::min(kMaxExpected + 1, nLimit), nLimit};
}

BOOL CGzipFileStream::EndsInTrailer(const unsigned char* pOutput, int nSize) const {
    // zlib has checked every member it decoded, the last one included; the
    // last 8 bytes of the file are that member's trailer only when nothing follows it.
    if (m_nFileSize < kTrailerSize)
        return FALSE;
    const std::uint32_t nLastSize = DecodeLittleEndian32(m_trailer + 4);
    if (nLastSize > static_cast<std::uint32_t>(nSize))
        return FALSE;
    const unsigned char* pLast = pOutput + (nSize - static_cast<int>(nLastSize));
    return crc32(0, pLast, nLastSize) == DecodeLittleEndian32(m_trailer);
}

int CGzipFileStream::ApplyParams() {
    if (!m_pOut || m_nMode != gzModeWrite)
        return Z_STREAM_ERROR;
    return deflateParams(&m_zStream, m_nLevel, m_nStrategy);
}
