// tests/archive/GzipFileStreamTest.cpp: the member form written, what reading detects, and the
// memory it takes.
#include "ArchiveTestSupport.h"

#include "archive/GzipFileStream.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <zlib.h>

using namespace archive_test;
using test_support::RawDeflate;

#ifdef __SANITIZE_ADDRESS__
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*,
                                                                  std::size_t),
                                                         void (*)(const volatile void*));
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// The most the heap held, beyond what it held when the watch began, until
// it ends; 0 where AddressSanitizer does not count the heap.
std::size_t g_nHeapBase = 0;
std::size_t g_nHeapPeak = 0;
[[maybe_unused]] bool g_bHeapWatch = false;

std::size_t WatchHeap([[maybe_unused]] bool bStart) {
#ifdef __SANITIZE_ADDRESS__
    static const int nHooked = __sanitizer_install_malloc_and_free_hooks(
        [](const volatile void*, std::size_t) {
            if (g_bHeapWatch)
                g_nHeapPeak = std::max(g_nHeapPeak, __sanitizer_get_current_allocated_bytes());
        },
        [](const volatile void*) {});
    g_bHeapWatch = bStart && nHooked != 0;
    if (bStart)
        g_nHeapBase = g_nHeapPeak = __sanitizer_get_current_allocated_bytes();
#endif
    return g_nHeapPeak - g_nHeapBase;
}

std::string LittleEndian(unsigned long nValue) {
    std::string strBytes;
    for (int i = 0; i < 4; ++i)
        strBytes += static_cast<char>(nValue >> (8 * i) & 0xFF);
    return strBytes;
}

class GzipFileStream : public ::testing::Test {
protected:
    std::string Path(const char* pszName) const { return (m_scratch.Root() / pszName).string(); }

    std::string WriteMember(const std::string& strData) {
        CGzipFileStream stream;
        EXPECT_TRUE(stream.Open(Path("w.gz").c_str(), gzModeWrite));
        EXPECT_TRUE(stream.Write(strData.data(), static_cast<unsigned>(strData.size())));
        EXPECT_TRUE(stream.Close());
        return ReadFile(Path("w.gz"));
    }

    // ReadAll of a file with these bytes: "<damaged>" when no buffer came back.
    std::string ReadAllOf(const std::string& strBytes, BOOL* pbClosed = nullptr) {
        WriteFile(Path("r.gz"), strBytes);
        CGzipFileStream stream;
        EXPECT_TRUE(stream.Open(Path("r.gz").c_str(), gzModeRead));
        std::unique_ptr<unsigned char[]> pBuffer;
        int nSize = -1;
        const BOOL bResult = stream.ReadAll(pBuffer, nSize);
        const BOOL bClosed = stream.Close();
        if (pbClosed)
            *pbClosed = bClosed;
        if (!pBuffer)
            return "<damaged>";
        EXPECT_EQ(nSize != 0, bResult != FALSE);
        return std::string(reinterpret_cast<char*>(pBuffer.get()), nSize);
    }

    // ReadInto of a file with these bytes: the size decoded, -1 when it failed.
    int ReadIntoOf(const std::string& strBytes, SDecodeBuffer& buffer) {
        WriteFile(Path("r.gz"), strBytes);
        CGzipFileStream stream;
        int nSize = 0;
        EXPECT_TRUE(stream.Open(Path("r.gz").c_str(), gzModeRead));
        return stream.ReadInto(buffer, nSize) ? nSize : -1;
    }

    CScratch m_scratch;
};

TEST_F(GzipFileStream, WritesTheArchiveMemberFormOnEveryPlatform) {
    const std::string strData = "RIFF\x24\x08\0\0WAVEfmt and some more text text text";
    const std::string strHeader("\x1F\x8B\x08\0\0\0\0\0\0\x0B", 10);
    EXPECT_EQ(strHeader + RawDeflate(strData) +
                  LittleEndian(crc32(0, reinterpret_cast<const Bytef*>(strData.data()),
                                     static_cast<uInt>(strData.size()))) +
                  LittleEndian(strData.size()),
              WriteMember(strData));
}

TEST_F(GzipFileStream, AnEmptyWriteIsStillAMember) {
    const std::string strMember = WriteMember("");
    EXPECT_EQ(std::string("\x1F\x8B\x08\0\0\0\0\0\0\x0B", 10), strMember.substr(0, 10));
    EXPECT_EQ("", ReadAllOf(strMember));
}

TEST_F(GzipFileStream, ReadsBackWhatWasWrittenInPieces) {
    std::string strData;
    for (int i = 0; i < 200000; ++i)
        strData += static_cast<char>((i * 7919) % 251);
    CGzipFileStream stream;
    ASSERT_TRUE(stream.Open(Path("w.gz").c_str(), gzModeWrite));
    EXPECT_TRUE(stream.WriteString("head:"));
    EXPECT_TRUE(stream.Write(strData.data(), 150000));
    EXPECT_TRUE(stream.Write(strData.data() + 150000, 50000));
    EXPECT_EQ(0, stream.Read(&strData[0], 1));
    ASSERT_TRUE(stream.Close());
    EXPECT_EQ("head:" + strData, ReadAllOf(ReadFile(Path("w.gz"))));
}

TEST_F(GzipFileStream, OpenRefusesASecondOpenAMissingFileAFolderAndUnknownModes) {
    CGzipFileStream stream;
    EXPECT_FALSE(stream.Open(Path("missing.gz").c_str(), gzModeRead));
    EXPECT_FALSE(stream.Open(m_scratch.Root().string().c_str(), gzModeRead));
    EXPECT_EQ(gzModeNone, stream.GetMode());
    EXPECT_FALSE(stream.Open(Path("x.gz").c_str(), 3));
    EXPECT_FALSE(stream.IsOpen());
    ASSERT_TRUE(stream.Open(Path("x.gz").c_str(), gzModeWrite));
    EXPECT_FALSE(stream.Open(Path("x.gz").c_str(), gzModeWrite));
    EXPECT_TRUE(stream.Close());
    EXPECT_FALSE(stream.Close());
}

TEST_F(GzipFileStream, ReadModeRefusesWriting) {
    WriteFile(Path("r.gz"), Gzip("abc"));
    CGzipFileStream stream;
    ASSERT_TRUE(stream.Open(Path("r.gz").c_str(), gzModeRead));
    EXPECT_EQ(static_cast<std::int32_t>(Gzip("abc").size()), stream.GetFileSize());
    EXPECT_FALSE(stream.Write("x", 1));
    char buffer[8];
    EXPECT_EQ(3, stream.Read(buffer, sizeof(buffer)));
}

TEST_F(GzipFileStream, ReadAllDetectsEveryKindOfDamage) {
    const std::string strData(20000, 'k');
    std::string strCrc = Gzip(strData);
    strCrc[strCrc.size() - 6] ^= 0x10;
    EXPECT_EQ("<damaged>", ReadAllOf(strCrc));
    std::string strSize = Gzip(strData);
    strSize[strSize.size() - 1] ^= 0x01;
    EXPECT_EQ("<damaged>", ReadAllOf(strSize));
    const std::string strFull = Gzip(strData);
    BOOL bClosed = TRUE;
    EXPECT_EQ("<damaged>", ReadAllOf(strFull.substr(0, strFull.size() - 12), &bClosed));
    EXPECT_FALSE(bClosed);
    EXPECT_EQ("<damaged>", ReadAllOf(strFull.substr(0, 15)));
    // A size beyond what the member can yield (1032 bytes per byte of deflate
    // data) takes no more memory than that yield.
    const std::size_t nYield = 1032 * (strFull.size() - 18);
    for (const std::size_t nLie : {nYield + 1, std::size_t{0xFFFFFFFF}}) {
        SDecodeBuffer buffer;
        EXPECT_EQ(-1,
                  ReadIntoOf(strFull.substr(0, strFull.size() - 4) + LittleEndian(nLie), buffer));
        EXPECT_GE(nYield + 1, buffer.nCapacity);
    }
}

TEST_F(GzipFileStream, ReadAllRefusesBytesAfterTheLastMember) {
    EXPECT_EQ("<damaged>", ReadAllOf(Gzip("one") + "x"));
    EXPECT_EQ("<damaged>", ReadAllOf(Gzip("one") + "name \\~#$&* \x05\0\0\0plain"));
    EXPECT_EQ("<damaged>", ReadAllOf(Gzip("one") + Gzip("two") + "\x1F"));
}

TEST_F(GzipFileStream, ReadAllPassesForeignBytesAndJoinsMembers) {
    EXPECT_EQ("plain bytes", ReadAllOf("plain bytes"));
    EXPECT_EQ("", ReadAllOf(""));
    EXPECT_EQ("onetwo", ReadAllOf(Gzip("one") + Gzip("two")));
    // A ratio far above one needs many chunks.
    const std::string strLarge(3000000, 'r');
    EXPECT_EQ(strLarge, ReadAllOf(Gzip(strLarge)));
    // The last member announces 1 byte: the buffer grows up to the bound.
    EXPECT_EQ(strLarge + "x", ReadAllOf(Gzip(strLarge) + Gzip("x")));
}

TEST_F(GzipFileStream, ALargeFileTakesOneBlockOfItsSizeInPlaceOfAnEarlierOne) {
    const int nSize = 150000000;
    const std::string strMember = Gzip(std::string(nSize, '\0'));
    SDecodeBuffer buffer;
    buffer.pData.reset(new unsigned char[nSize / 2]);
    buffer.nCapacity = nSize / 2;
    WatchHeap(true);
    EXPECT_EQ(nSize, ReadIntoOf(strMember, buffer));
    // The earlier block went before the new one came; zlib's state is far below 1 MiB.
    EXPECT_GE(nSize / 2 + (1u << 20), WatchHeap(false));
    EXPECT_EQ(nSize + 1u, buffer.nCapacity);
    EXPECT_EQ(nSize, std::count(buffer.pData.get(), buffer.pData.get() + nSize, 0));
}

TEST_F(GzipFileStream, TemporaryFilesDecodeThroughTheirHandleIntoOneBufferAndGoAway) {
    // A long entry, then a short one into the same buffer: each yields its own bytes.
    CPlatform& platform = CPlatform::GetDefault();
    SDecodeBuffer buffer;
    for (const std::string& strData : {std::string(300000, 'l'), std::string("short")}) {
        const std::string strPath = Path("T1");
        const std::string strMember = Gzip(strData);
        EFileError error = fileErrorOther;
        const OUTPUTHANDLE hFile = platform.CreateTemporary(strPath.c_str(), error);
        ASSERT_NE(INVALID_OUTPUT, hFile);
        ASSERT_TRUE(platform.WriteOutput(hFile, strMember.data(), strMember.size(), error));
        SInputFile file;
        ASSERT_TRUE(platform.ReadBack(hFile, file));
        EXPECT_EQ(strMember.size(), file.nSize);
        CGzipFileStream stream;
        ASSERT_TRUE(stream.Open(file));
        int nSize = 0;
        ASSERT_TRUE(stream.ReadInto(buffer, nSize));
        EXPECT_EQ(strData, std::string(reinterpret_cast<char*>(buffer.pData.get()), nSize));
        EXPECT_TRUE(stream.Close());
        EXPECT_FALSE(platform.PathExists(strPath.c_str()));
    }
    EXPECT_EQ(300001u, buffer.nCapacity);
    // A name taken meanwhile is refused, as taken: the file would be truncated
    // and then deleted. The walk then takes the next name (ExtractFaults).
    WriteFile(Path("T2"), "someone else's");
    EFileError error = fileErrorNone;
    EXPECT_EQ(INVALID_OUTPUT, platform.CreateTemporary(Path("T2").c_str(), error));
    EXPECT_EQ(fileErrorExists, error);
    EXPECT_EQ("someone else's", ReadFile(Path("T2")));
}

} // namespace
