// tests/gui/PngEncoderTest.cpp
#include "PngEncoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

namespace gui {
namespace {

uint32_t ReadUint32(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) << 24 | static_cast<uint32_t>(bytes[at + 1]) << 16 |
           static_cast<uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

struct Chunk {
    std::string type;
    std::vector<uint8_t> data;
    bool crcMatches;
};

std::vector<Chunk> ReadChunks(const std::vector<uint8_t>& png) {
    std::vector<Chunk> chunks;
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t length = ReadUint32(png, at);
        Chunk chunk;
        chunk.type.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                          png.begin() + static_cast<std::ptrdiff_t>(at + 8));
        chunk.data.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                          png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        const uLong crc = crc32(0L, png.data() + at + 4, static_cast<uInt>(length + 4));
        chunk.crcMatches = crc == ReadUint32(png, at + 8 + length);
        chunks.push_back(chunk);
        at += 12 + length;
    }
    return chunks;
}

TEST(PngEncoderTest, WritesSignatureHeaderRowsAndEnd) {
    const std::vector<uint8_t> rgb = {1,  2,  3,  4,  5,  6,  7,  8,  9,
                                      10, 11, 12, 13, 14, 15, 16, 17, 18};
    const std::vector<uint8_t> png = EncodePng(3, 2, rgb);
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
              (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));

    const std::vector<Chunk> chunks = ReadChunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[0].data, (std::vector<uint8_t>{0, 0, 0, 3, 0, 0, 0, 2, 8, 2, 0, 0, 0}));
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_TRUE(chunks[2].data.empty());
    for (const Chunk& chunk : chunks)
        EXPECT_TRUE(chunk.crcMatches) << chunk.type;

    std::vector<uint8_t> rows(2 * (1 + 9));
    uLongf size = static_cast<uLongf>(rows.size());
    ASSERT_EQ(uncompress(rows.data(), &size, chunks[1].data.data(),
                         static_cast<uLong>(chunks[1].data.size())),
              Z_OK);
    EXPECT_EQ(rows, (std::vector<uint8_t>{0, 1,  2,  3,  4,  5,  6,  7,  8,  9,
                                          0, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
}

TEST(PngEncoderTest, RefusesPixelsThatDoNotFitTheSize) {
    EXPECT_TRUE(EncodePng(2, 2, std::vector<uint8_t>(11)).empty());
    EXPECT_TRUE(EncodePng(0, 1, {}).empty());
}

} // namespace
} // namespace gui
