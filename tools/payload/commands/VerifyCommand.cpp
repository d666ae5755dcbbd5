// tools/payload/commands/VerifyCommand.cpp
#include "commands/VerifyCommand.h"

#include "commands/PackCommand.h"
#include "commands/ProgressMeter.h"
#include "commands/ToolFiles.h"
#include "pack/ArchiveInspector.h"
#include "pe/PayloadLimits.h"

#include <cinttypes>
#include <cstdio>

int CVerifyCommand::Run() {
    if (m_options.args.size() != 1) {
        std::fprintf(stderr, "payload: verify takes one ARCHIVE\n");
        return exitUsage;
    }
    const std::string& strPath = m_options.args[0];
    CArchiveMapping mapping;
    SByteBlock archive;
    if (!CToolFiles::OpenArchive(mapping, strPath, archive))
        return exitFiles;
    CProgressMeter meter("verify", m_options.bQuiet);
    CArchiveInspector inspector(archive);
    SInspection inspection;
    int nEntries = 0;
    int nFaults = 0;
    SPackTotals totals;
    std::uint64_t nMembers = 0;
    while (inspector.Next(inspection)) {
        ++nEntries;
        totals.nBytes += inspection.member.nDecodedSize;
        if (totals.strLargest.empty() || inspection.member.nDecodedSize > totals.nLargest) {
            totals.strLargest = inspection.entry.strName;
            totals.nLargest = inspection.member.nDecodedSize;
        }
        nMembers += inspection.entry.nMemberLength;
        meter.Update(inspector.GetProgress());
        if (inspection.IsClean())
            continue;
        meter.Break();
        for (const char* pszFault : {inspection.member.nState != memberOk
                                         ? CMemberCheck::Describe(inspection.member.nState)
                                         : nullptr,
                                     inspection.pszNameFault}) {
            if (pszFault == nullptr)
                continue;
            std::printf("fault: entry %d \"%s\" at offset %" PRIu64 ": %s\n", nEntries,
                        CToolFiles::SystemName(inspection.entry.strName).c_str(),
                        inspection.entry.nOffset, pszFault);
            ++nFaults;
        }
    }
    meter.Break();
    std::string strEnd = inspector.DescribeEnd();
    if (!strEnd.empty()) {
        std::printf("fault: %s\n", CToolFiles::SystemName(strEnd).c_str());
        ++nFaults;
    }
    std::printf("verify: %d entries, %" PRIu64 " bytes decoded from %" PRIu64
                " bytes of members: %s",
                nEntries, totals.nBytes, nMembers, nFaults == 0 ? "clean\n" : "");
    if (nFaults != 0)
        std::printf("%d fault%s\n", nFaults, nFaults == 1 ? "" : "s");
    totals.nArchive = archive.nSize;
    if (nFaults == 0 && m_options.bInstaller &&
        !CPackCommand::FitsInstaller(totals, kWizardImage + archive.nSize, ""))
        return exitFaults;
    return nFaults == 0 ? exitOk : exitFaults;
}
