// tools/payload/commands/ListCommand.cpp
#include "commands/ListCommand.h"

#include "commands/ToolFiles.h"
#include "pack/ArchiveInspector.h"

#include <cinttypes>
#include <cstdio>

int CListCommand::Run() {
    if (m_options.args.size() != 1) {
        std::fprintf(stderr, "payload: list takes one ARCHIVE\n");
        return exitUsage;
    }
    const std::string& strPath = m_options.args[0];
    CArchiveMapping mapping;
    SByteBlock archive;
    if (!CToolFiles::OpenArchive(mapping, strPath, archive))
        return exitFiles;
    CArchiveInspector inspector(archive);
    SInspection inspection;
    bool bClean = true;
    std::printf("%-32s %10s %10s  %s\n", "name", "member", "decoded", "state");
    while (inspector.Next(inspection)) {
        bClean = bClean && inspection.IsClean();
        // Padded by the stored name, whose bytes are its characters.
        const std::string& strName = inspection.entry.strName;
        std::printf(
            "%s%*s %10" PRIu32 " %10" PRIu64 "  %s%s%s\n", CToolFiles::SystemName(strName).c_str(),
            strName.size() < 32 ? static_cast<int>(32 - strName.size()) : 0, "",
            inspection.entry.nMemberLength, inspection.member.nDecodedSize,
            CMemberCheck::Describe(inspection.member.nState), inspection.pszNameFault ? "; " : "",
            inspection.pszNameFault ? inspection.pszNameFault : "");
    }
    std::string strEnd = inspector.DescribeEnd();
    if (!strEnd.empty()) {
        std::printf("damaged: %s\n", CToolFiles::SystemName(strEnd).c_str());
        bClean = false;
    }
    return bClean ? exitOk : exitFaults;
}
