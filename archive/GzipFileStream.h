// archive/GzipFileStream.h: a gzip file read with zlib, or written as one member.
//
// Read mode decodes with zlib's gzip file reader, so bytes without the gzip
// magic pass through unchanged and concatenated members are read one after
// another. That reader ignores bytes after a member that do not begin another
// one; ReadAll refuses them, because a length field that claims too much would
// otherwise swallow the entries behind it unnoticed. Write mode produces a member of the archive's
// form on every platform: header 1F 8B 08 00 00000000 00 0B, raw deflate, CRC-32, ISIZE.
#pragma once

#include "archive/DataStream.h"
#include "archive/Platform.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <zlib.h>

// A decode target that ReadInto keeps from one file to the next: extracting
// thousands of files then touches the same memory again instead of taking
// fresh pages from the heap for each (which the heap gives back after each).
struct SDecodeBuffer {
    std::unique_ptr<unsigned char[]> pData;
    std::size_t nCapacity = 0;
};

class CGzipFileStream : public CDataStream {
public:
    // Read mode opens and reads the file through the platform (CPlatform::GetDefault()
    // unless one is given); write mode writes with the C runtime.
    CGzipFileStream();
    explicit CGzipFileStream(CPlatform& platform);
    ~CGzipFileStream() override;

    // nMode gzModeWrite (create or truncate) or gzModeRead (CPlatform::OpenInput:
    // a writable regular file); FALSE when already open or on failure.
    BOOL Open(const char* pszPath, int nMode);
    // Read mode on a file that is already open, from its current position,
    // which must be the start. The stream owns the file from then on and
    // closes it also when this fails (FALSE, also when already open).
    BOOL Open(SInputFile& file);
    // TRUE when everything was written (write mode) or the data read was
    // intact (read mode: no CRC, length or truncation error); FALSE when not open.
    BOOL Close() override;
    BOOL IsOpen() const override;
    BOOL Write(const void* pData, unsigned nLength) override;
    BOOL WriteString(const char* pszText) override;
    // Read mode: bytes delivered, 0 at the end, -1 on an error; otherwise 0.
    int Read(void* pBuffer, unsigned nLength) override;
    // Decodes the whole file into one new buffer. TRUE when at least one byte
    // came out. On a damaged file (including bytes after the last gzip member)
    // the buffer is left untouched (empty); an intact file of no bytes yields
    // an empty buffer of size 0.
    BOOL ReadAll(std::unique_ptr<unsigned char[]>& pBuffer, int& nSize) override;
    // Decodes the whole file into the buffer; TRUE when the file was intact,
    // also when it held no bytes. nSize is 0 on FALSE. The buffer takes the
    // size that the file announces in one block when the file can yield that
    // much, and otherwise grows as needed; never beyond what the file can yield.
    BOOL ReadInto(SDecodeBuffer& buffer, int& nSize);
    // Write mode: level and strategy for what follows; zlib's result.
    int ApplyParams() override;

    // Read mode: the size of the compressed file when it was opened.
    std::int32_t GetFileSize() const { return m_nFileSize; }

private:
    BOOL OpenWrite(const char* pszPath);
    BOOL OpenRead(SInputFile& file);
    BOOL Deflate(const void* pData, unsigned nLength, int nFlush);
    BOOL CloseWrite();
    // Whether the file ends in the trailer of the member that produced the last
    // bytes of the output.
    BOOL EndsInTrailer(const unsigned char* pOutput, int nSize) const;
    // The buffer sizes of ReadInto: it starts with nFirst bytes and grows to
    // no more than nLimit.
    struct SDecodeSizes {
        std::size_t nFirst;
        std::size_t nLimit;
    };
    SDecodeSizes DecodeSizes() const;
    // Grows the buffer to at least nCapacity bytes, keeping its first nKeep;
    // with none to keep, the old block goes before the new one is taken.
    static void Reserve(SDecodeBuffer& buffer, std::size_t nCapacity, std::size_t nKeep);

    CPlatform& m_platform;
    gzFile m_gzFile = nullptr;
    std::int32_t m_nFileSize = 0;
    // Read mode: whether the file begins with the gzip magic, and its last 8
    // bytes (CRC-32 and ISIZE of its last member when it does).
    BOOL m_bGzip = FALSE;
    unsigned char m_trailer[8] = {};
    // Write mode.
    std::FILE* m_pOut = nullptr;
    z_stream m_zStream = {};
    gz_header m_header = {};
    BOOL m_bWriteFailed = FALSE;
};
