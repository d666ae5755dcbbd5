// tests/tools/ExtractReportTest.cpp: extract reports the engine's messages and its
// fatal end on the console, natively and as payload.exe (no message boxes).
#include "ToolTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tool_test;
namespace fs = std::filesystem;

namespace {

class ExtractReports : public ::testing::Test {
protected:
    std::string Path(const std::string& strName) const { return Quoted(m_scratch / strName); }

    CScratch m_scratch;
};

} // namespace

TEST_F(ExtractReports, ProgressAndTheEnginesMessagesGoToTheConsole) {
    std::string strFlipped = Gzip("broken");
    strFlipped[strFlipped.size() - 8] ^= 1;
    WriteFile(m_scratch / "x.pak", Entry("bad.txt", strFlipped) + Entry("good.txt", Gzip("ok")));
    SRun run = RunPayload("extract " + Path("x.pak") + " " + Path("out"));
    EXPECT_EQ(run.nExit, 1);
    EXPECT_TRUE(Has(run.strErr, "extract: 100 %")) << run.strErr;
    EXPECT_TRUE(Has(run.strErr, "bad.txt")) << run.strErr;
    EXPECT_TRUE(Has(run.strErr, "1 entry failed")) << run.strErr;
    EXPECT_EQ(ReadFile(m_scratch / "out/good.txt"), "ok");
}

TEST_F(ExtractReports, FolderThatCannotBeMadeEndsWithThree) {
    // A file stands where the entry needs a folder: the installer's fatal end.
    WriteFile(m_scratch / "out/a", "a file");
    WriteFile(m_scratch / "x.pak", Entry("a\\b\\c.txt", Gzip("x")) + Entry("d.txt", Gzip("y")));
    SRun run = RunPayload("extract -q " + Path("x.pak") + " " + Path("out"));
    EXPECT_EQ(run.nExit, 3);
    EXPECT_TRUE(Has(run.strErr, "Verzeichnis")) << run.strErr;
    EXPECT_FALSE(fs::exists(m_scratch / "out/d.txt"));
}
