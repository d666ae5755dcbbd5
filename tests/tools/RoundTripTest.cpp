// tests/tools/RoundTripTest.cpp: demo -> verify -> extract, byte-compared with the
// files the generator writes itself.
#include "ToolTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace tool_test;

namespace {

void ExpectRoundTrip(const std::string& strSmall, std::size_t nFiles, std::uint64_t nBytes) {
    CScratch scratch;
    SRun run = RunPayload("demo -q " + Quoted(scratch / "demo.pak") + strSmall);
    ASSERT_EQ(run.nExit, 0) << run.strErr;
    run = RunPayload("verify -q " + Quoted(scratch / "demo.pak"));
    ASSERT_EQ(run.nExit, 0) << run.strOut << run.strErr;
    EXPECT_NE(run.strOut.find(std::to_string(nFiles) + " entries, " + std::to_string(nBytes) +
                              " bytes decoded"),
              std::string::npos)
        << run.strOut;
    run =
        RunPayload("extract -q " + Quoted(scratch / "demo.pak") + " " + Quoted(scratch / "target"));
    ASSERT_EQ(run.nExit, 0) << run.strErr;
    EXPECT_EQ(run.strErr, "");
    run = RunPayload("demo -q --tree " + Quoted(scratch / "tree") + strSmall);
    ASSERT_EQ(run.nExit, 0) << run.strErr;

    std::map<std::string, SFileDigest> extracted = DigestTree(scratch / "target");
    std::map<std::string, SFileDigest> generated = DigestTree(scratch / "tree");
    EXPECT_EQ(extracted.size(), nFiles);
    std::uint64_t nTotal = 0;
    for (const auto& [strName, digest] : extracted)
        nTotal += digest.nSize;
    EXPECT_EQ(nTotal, nBytes);
    EXPECT_TRUE(extracted == generated);
}

} // namespace

TEST(RoundTrip, SmallDemo) {
    ExpectRoundTrip(" --small", 117, 1658569);
}

// Some 700 MB of files: run natively only (the Wine run does the small one).
TEST(RoundTrip, FullDemo) {
#ifdef _WIN32
    GTEST_SKIP() << "the full payload round trip runs in the native build";
#else
    ExpectRoundTrip("", 2296, 248348403);
#endif
}

// Also under Wine: payload.exe takes the wide names, the engine writes the
// stored ones through the ANSI functions (code page 1252 there). A file that
// does not compress, larger than the members that may wait in memory, is
// packed in pieces and handed over from its staging file; its member is the
// one zlib makes of the whole file at once.
TEST(RoundTrip, PackedTreeComesBackUnchanged) {
    CScratch scratch;
    std::string strNoise(20 << 20, '\0');
    std::mt19937 random(149);
    for (char& ch : strNoise)
        ch = static_cast<char>(random());
    WriteFile(scratch / "in/0noise.bin", strNoise);
    WriteFile(scratch / "in/Anleitung f\xC3\xBCr Spieler.txt", "Korvanu\r\n");
    WriteFile(scratch / "in/sounds/de/a.wav", std::string(70000, '\x01'));
    WriteFile(scratch / "in/Ma\xC3\x9F/\xE2\x82\xAC \xC5\x92uvre.txt", "");
    SRun run = RunPayload("pack " + Quoted(scratch / "in") + " " + Quoted(scratch / "p.pak"));
    ASSERT_EQ(run.nExit, 0) << run.strErr;
    const std::string strMember = Gzip(strNoise).substr(10);
    EXPECT_EQ(ReadFile(scratch / "p.pak")
                  .substr(std::strlen("0noise.bin \\~#$&* ") + 14, strMember.size()),
              strMember);
    run = RunPayload("verify -q " + Quoted(scratch / "p.pak"));
    ASSERT_EQ(run.nExit, 0) << run.strOut;
    run = RunPayload("extract -q " + Quoted(scratch / "p.pak") + " " + Quoted(scratch / "out"));
    ASSERT_EQ(run.nExit, 0) << run.strErr;
    EXPECT_EQ(DigestTree(scratch / "out").size(), 4u);
    EXPECT_TRUE(DigestTree(scratch / "in") == DigestTree(scratch / "out"));
    // A character outside code page 1252 is refused, not written as '?'.
    WriteFile(scratch / "in/\xC5\x81\xC3\xB3w.txt", "x");
    run = RunPayload("pack " + Quoted(scratch / "in") + " " + Quoted(scratch / "q.pak"));
    EXPECT_EQ(run.nExit, 1);
    EXPECT_TRUE(Has(run.strErr, "U+0141")) << run.strErr;
}
