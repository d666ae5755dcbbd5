// tools/payload/commands/ExtractCommand.cpp
#include "commands/ExtractCommand.h"

#include "commands/ProgressMeter.h"
#include "commands/ToolFiles.h"
#include "commands/ToolPlatform.h"

#include "archive/ArchivFormat.h"
#include "archive/PayloadArchive.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

int CExtractCommand::Run() {
    if (m_options.args.size() != 2) {
        std::fprintf(stderr, "payload: extract takes ARCHIVE and DIR\n");
        return exitUsage;
    }
    const std::string& strPath = m_options.args[0];
    const std::string& strDir = m_options.args[1];
    CProgressMeter meter("extract", m_options.bQuiet);
    CToolPlatform platform(CPlatform::GetDefault(), meter);
    CArchiveMapping mapping(platform);
    SByteBlock block;
    if (!CToolFiles::OpenArchive(mapping, strPath, block))
        return exitFiles;
    CPayloadArchive archive(platform);
    archive.Open(ARCHIV_RESOURCE_ID);
    archive.SetTargetDir(strDir.c_str());
    platform.SetTargetDir(archive.GetTargetDir());
    SDiskSpace space;
    if (!m_options.bNoSpaceCheck && !archive.CheckFreeSpace(space)) {
        std::fprintf(stderr,
                     "payload: Only %d MB are free on the target drive. The installation "
                     "needs %d MB.\n",
                     space.FreeMB(), space.NeededMB());
        return exitNoSpace;
    }
    // The installer's target always exists; its walk makes only the folders below.
    std::error_code error;
    std::filesystem::create_directories(strDir, error);
    if (error) {
        std::fprintf(stderr, "payload: %s: %s\n", strDir.c_str(), error.message().c_str());
        return exitFiles;
    }
    int nEntries = 0;
    while (archive.ExtractNext()) {
        ++nEntries;
        meter.Update(archive.GetProgress());
    }
    archive.Close();
    meter.Break();
    std::printf("extract: %d entries into %s\n", nEntries, strDir.c_str());
    // Damaged bytes end the walk with a message of their own, so they count here too.
    if (platform.GetMessageCount() != 0)
        std::fprintf(stderr, "payload: %d entr%s failed\n", platform.GetMessageCount(),
                     platform.GetMessageCount() == 1 ? "y" : "ies");
    return platform.GetMessageCount() == 0 ? exitOk : exitFaults;
}
