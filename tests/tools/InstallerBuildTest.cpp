// tests/tools/InstallerBuildTest.cpp: payload build on stubs laid out as the
// linker lays out the wizard, the installers read back, and the stubs and
// payloads it refuses.
#include "ToolTestSupport.h"

#include "pe/InstallerImage.h"
#include "pe/PayloadLimits.h"

#include <gtest/gtest.h>

using namespace tool_test;
namespace fs = std::filesystem;

namespace {

std::string Arguments(const CScratch& scratch, const std::string& strSource,
                      const std::string& strOutput) {
    return "build -q " + Quoted(scratch / strSource) + " -o " + Quoted(scratch / strOutput) +
           " --stub " + Quoted(scratch / "stub.exe");
}

bool Refused(const std::string& strStub, std::string& strError) {
    CInstallerImage image;
    return !image.Load(std::vector<unsigned char>(strStub.begin(), strStub.end()), strError);
}

class InstallerBuild : public ::testing::TestWithParam<bool> {};

TEST_P(InstallerBuild, CarriesThePackedFolderAndLeavesTheRestAsItWas) {
    CScratch scratch;
    WriteFile(scratch / "stub.exe", MakeStub(GetParam()));
    WriteFile(scratch / "in/readme.txt", "Korvanu\r\n");
    WriteFile(scratch / "in/sounds/de/a.wav", std::string(70000, '\x01'));
    WriteFile(scratch / "in/sounds/empty.txt", "");
    ASSERT_EQ(
        RunPayload("pack -q " + Quoted(scratch / "in") + " " + Quoted(scratch / "p.pak")).nExit, 0);
    SRun run = RunPayload(Arguments(scratch, "in", "a.exe"));
    ASSERT_EQ(run.nExit, 0) << run.strErr;
    const std::string strImage = ReadFile(scratch / "a.exe");
    EXPECT_TRUE(Has(run.strOut, "build: 3 entries, 70009 bytes into ")) << run.strOut;
    EXPECT_TRUE(Has(run.strOut, " of " + std::to_string(strImage.size()) + " bytes")) << run.strOut;
    // The same folder again, and its archive, give the same bytes.
    ASSERT_EQ(RunPayload(Arguments(scratch, "in", "b.exe")).nExit, 0);
    ASSERT_EQ(RunPayload(Arguments(scratch, "p.pak", "c.exe")).nExit, 0);
    EXPECT_TRUE(ReadFile(scratch / "b.exe") == strImage);
    EXPECT_TRUE(ReadFile(scratch / "c.exe") == strImage);
    EXPECT_FALSE(fs::exists(scratch / "a.exe.archive"));

    const auto* pImage = reinterpret_cast<const unsigned char*>(strImage.data());
    CPeImage image;
    CResourceTree tree;
    std::string strError;
    ASSERT_TRUE(image.Parse(pImage, strImage.size(), strError)) << strError;
    ASSERT_TRUE(tree.Parse(image, pImage, strError)) << strError;
    const SResourceData* pPayload = tree.Find("RT_ARCHIV", 149, 1031);
    ASSERT_NE(pPayload, nullptr);
    EXPECT_TRUE(std::string(reinterpret_cast<const char*>(pPayload->pBytes), pPayload->nSize) ==
                ReadFile(scratch / "p.pak"));
    const SResourceNode& version = tree.GetRoot().children[1];
    ASSERT_TRUE(version.key.Is(16));
    const SResourceData& data = version.children[0].languages[0];
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.pBytes), data.nSize), kStubVersion);
    EXPECT_EQ(data.nCodePage, 1252u);
    // The relocations and the symbol table moved with their pointers.
    std::size_t nRelocations = 0;
    ASSERT_TRUE(
        image.RvaToOffset(image.GetDirectoryRva(CPeImage::kRelocationDirectory), 12, nRelocations));
    const std::string strStub = MakeStub(GetParam());
    EXPECT_EQ(strImage.substr(nRelocations, 12), strStub.substr(kStubRelocations, 12));
    EXPECT_EQ(strImage.substr(image.Read32(image.SymbolTableField())),
              strStub.substr(kStubSymbols));
    const SPeSection& last = image.GetSections().back();
    EXPECT_EQ(image.Read32(image.SizeOfImageField()), last.nVirtualAddress + 0x1000);
    EXPECT_EQ(image.Read32(image.SizeOfInitializedDataField()) - 0x400,
              image.GetSections()[1].nRawSize - 0x200);

    for (const char* pszCommand : {"list ", "verify -q "})
        EXPECT_EQ(RunPayload(pszCommand + Quoted(scratch / "a.exe")).nExit, 0) << pszCommand;
    run = RunPayload("extract -q " + Quoted(scratch / "a.exe") + " " + Quoted(scratch / "out"));
    ASSERT_EQ(run.nExit, 0) << run.strErr;
    EXPECT_TRUE(DigestTree(scratch / "in") == DigestTree(scratch / "out"));
}

INSTANTIATE_TEST_SUITE_P(Widths, InstallerBuild, ::testing::Values(false, true));

TEST(InstallerBuildRefusal, StubsItCannotFill) {
    const std::string strGood = MakeStub(false);
    std::string strError;
    ASSERT_FALSE(Refused(strGood, strError)) << strError;
    for (std::size_t n = 0; n < kStubSymbols; n += 4)
        EXPECT_TRUE(Refused(strGood.substr(0, n), strError)) << n;
    const std::size_t nDirectories = 0x58 + 96;
    const std::size_t r = kStubResources;
    auto damaged = [&](std::size_t nAt, std::uint32_t nValue) {
        std::string strStub = strGood;
        for (int i = 0; i < 4; ++i)
            strStub[nAt + i] = static_cast<char>(nValue >> (8 * i));
        return strStub;
    };
    for (const auto& [nAt, nValue] : std::vector<std::pair<std::size_t, std::uint32_t>>{
             {nDirectories + 2 * 8, 0},          // no resource directory
             {nDirectories + 2 * 8, 0x7FFF0000}, // a resource directory outside the image
             {nDirectories + 4 * 8, 0x400},      // signed
             {0x58 + 68, 3},                     // a console program
             {r + 0x20 + 12, 0xFFFF},            // more entries than the section holds
             {r + 0x34, 0x8000FFF0},             // a directory beyond the section
             {r + 0x90, 0x7FFFFF00},             // data outside the image
             {r + 0x94, 0x10000},                // data beyond its section
             {r + 0xA0, 0x7000},                 // a name beyond the section
             {r + 0x30, 150},                    // no 149
             {r + 0x60, 1033},                   // 149 in English only
             {nDirectories + 128 + 2 * 40 + 36, 0x40000040}}) // used code behind the resources
        EXPECT_TRUE(Refused(damaged(nAt, nValue), strError)) << std::hex << nAt;

    CScratch scratch;
    WriteFile(scratch / "stub.exe", strGood.substr(0, 0x300));
    WriteFile(scratch / "p.pak", "");
    SRun run = RunPayload(Arguments(scratch, "p.pak", "a.exe"));
    EXPECT_EQ(run.nExit, 4);
    EXPECT_TRUE(Has(run.strErr, "stub.exe: section data outside the file")) << run.strErr;
    fs::resize_file(scratch / "stub.exe", 3000000000u);
    run = RunPayload(Arguments(scratch, "p.pak", "a.exe"));
    EXPECT_EQ(run.nExit, 4);
    EXPECT_TRUE(Has(run.strErr, "stub.exe: 3000000000 bytes; at most 67108864 are read"))
        << run.strErr;
    EXPECT_FALSE(fs::exists(scratch / "a.exe"));
}

// Sparse files: the limits are said from sizes, before a byte is read or written.
TEST(InstallerBuildRefusal, LimitsBeforeAnythingIsWritten) {
    CScratch scratch;
    WriteFile(scratch / "stub.exe", MakeStub(false));
    WriteFile(scratch / "in/big.bin", "");
    fs::resize_file(scratch / "in/big.bin", kLargestStorableFile + 1);
    SRun run = RunPayload(Arguments(scratch, "in", "a.exe"));
    EXPECT_EQ(run.nExit, 1);
    EXPECT_TRUE(Has(run.strErr, "refused \"big.bin\": 4 GiB or more")) << run.strErr;
    fs::resize_file(scratch / "in/big.bin", LargestInstallerFile(0) + 1);
    run = RunPayload(Arguments(scratch, "in", "a.exe"));
    EXPECT_EQ(run.nExit, 1);
    EXPECT_TRUE(Has(run.strErr, "refused \"big.bin\": larger than a 32-bit installer can decode"))
        << run.strErr;
    WriteFile(scratch / "big.pak", "");
    fs::resize_file(scratch / "big.pak", kInstallerPayloadLimit + 1);
    run = RunPayload(Arguments(scratch, "big.pak", "a.exe"));
    EXPECT_EQ(run.nExit, 1);
    EXPECT_TRUE(Has(run.strErr, "the archive has 1073741825 bytes; a 32-bit installer carries at "
                                "most 1073741824, nothing written"))
        << run.strErr;
    EXPECT_FALSE(fs::exists(scratch / "a.exe"));
    EXPECT_FALSE(fs::exists(scratch / "a.exe.archive"));
    // Beyond what a 32-bit process maps, build still says the size and the
    // limit, and the other commands say what they read.
    fs::resize_file(scratch / "big.pak", 3000000000u);
    EXPECT_TRUE(Has(RunPayload(Arguments(scratch, "big.pak", "a.exe")).strErr,
                    "the archive has 3000000000 bytes"));
    if (sizeof(void*) == 4)
        for (const char* pszCommand : {"list ", "verify ", "extract "}) {
            run = RunPayload(pszCommand + Quoted(scratch / "big.pak") + " " +
                             (*pszCommand == 'e' ? Quoted(scratch / "out") : ""));
            EXPECT_EQ(run.nExit, 4) << pszCommand;
            EXPECT_TRUE(Has(run.strErr, "3000000000 bytes; this 32-bit program reads archives "
                                        "and installers of at most 1140850688 bytes"))
                << run.strErr;
        }
}

// The largest file must fit beside the image: build counts the image it
// writes and the size each member states; verify --installer (the CMake path)
// decodes every member and counts the wizard's image at its most.
TEST(InstallerBuildRefusal, LargestFileBesideTheImage) {
    CScratch scratch;
    WriteFile(scratch / "stub.exe", MakeStub(false));
    std::string strEntry = Entry("film.bin", Gzip("x"));
    CInstallerImage image;
    std::string strError;
    const std::string strStub = MakeStub(false);
    ASSERT_TRUE(image.Load(std::vector<unsigned char>(strStub.begin(), strStub.end()), strError));
    ASSERT_TRUE(image.Plan(reinterpret_cast<const unsigned char*>(strEntry.data()), strEntry.size(),
                           strError));
    const std::uint64_t nLargest = LargestInstallerFile(image.GetImageSize());
    for (std::uint64_t nStated : {nLargest, nLargest + 1}) {
        for (int i = 0; i < 4; ++i)
            strEntry[strEntry.size() - 4 + i] = static_cast<char>(nStated >> (8 * i));
        WriteFile(scratch / "film.pak", strEntry);
        SRun run = RunPayload(Arguments(scratch, "film.pak", "a.exe"));
        EXPECT_EQ(run.nExit, nStated == nLargest ? 0 : 1) << run.strErr;
        EXPECT_EQ(fs::exists(scratch / "a.exe"), nStated == nLargest);
        fs::remove(scratch / "a.exe");
    }
    SRun run = RunPayload(Arguments(scratch, "film.pak", "a.exe"));
    EXPECT_TRUE(Has(run.strErr, "refused \"film.bin\" of " + std::to_string(nLargest + 1) +
                                    " bytes: the largest file this installer could carry has " +
                                    std::to_string(nLargest) + " bytes"))
        << run.strErr;

    // Members that follow each other decode into one file: 20 of 64 MiB each.
    const std::string strMember = Gzip(std::string(64 << 20, '\0'));
    std::string strMembers;
    for (int i = 0; i < 20; ++i)
        strMembers += strMember;
    WriteFile(scratch / "huge.pak", Entry("a.txt", Gzip("a")) + Entry("huge.bin", strMembers));
    run = RunPayload("verify -q --installer " + Quoted(scratch / "huge.pak"));
    EXPECT_EQ(run.nExit, 1);
    EXPECT_TRUE(Has(run.strErr, "refused \"huge.bin\" of 1342177280 bytes")) << run.strErr;
}

} // namespace
