// tools/payload/commands/DemoCommand.cpp
#include "commands/DemoCommand.h"

#include "commands/ProgressMeter.h"
#include "commands/ToolFiles.h"
#include "demo/DemoContent.h"
#include "pack/ArchiveWriter.h"
#include "pack/PackPipeline.h"
#include "pack/PartFile.h"

#include <cinttypes>
#include <cstdio>

int CDemoCommand::Run() {
    if (m_options.args.size() != 1) {
        std::fprintf(stderr, "payload: demo takes one ARCHIVE (or --tree DIR)\n");
        return exitUsage;
    }
    return m_options.bTree ? WriteTree(m_options.args[0]) : WriteArchive(m_options.args[0]);
}

int CDemoCommand::WriteArchive(const std::string& strPath) {
    CDemoLayout layout(m_options.bSmall);
    const std::vector<SDemoEntry>& entries = layout.GetEntries();
    CPartFile file;
    if (!file.Open(strPath)) {
        std::fprintf(stderr, "payload: %s.part: cannot be written\n", strPath.c_str());
        return exitFiles;
    }
    CArchiveWriter writer(
        [&](const unsigned char* pData, std::size_t nSize) { return file.Write(pData, nSize); });
    CProgressMeter meter("demo", m_options.bQuiet);
    std::uint64_t nDone = 0;
    auto sink = [&](std::size_t i, const SPackResult& member, std::string& strError) {
        if (!writer.AddEntry(entries[i].strName, member)) {
            strError = strPath + ".part: cannot be written";
            return false;
        }
        nDone += entries[i].nSize;
        meter.Update(static_cast<int>(nDone * 100 / layout.GetTotalSize()));
        return true;
    };
    std::string strError;
    CPackPipeline pipeline(strPath + ".tmp", true,
                           [&](std::size_t i) { return entries[i].strName; });
    if (!pipeline.Run(entries.size(), Source(entries), sink, strError) || !file.Commit()) {
        meter.Break();
        std::fprintf(stderr, "payload: %s\n",
                     strError.empty() ? (strPath + ": cannot be written").c_str()
                                      : strError.c_str());
        return exitFiles;
    }
    meter.Break();
    std::printf("demo: %zu entries, %" PRIu64 " bytes decoded, archive %s of %" PRIu64 " bytes\n",
                entries.size(), layout.GetTotalSize(), strPath.c_str(), writer.GetSize());
    return exitOk;
}

int CDemoCommand::WriteTree(const std::string& strDir) {
    CDemoLayout layout(m_options.bSmall);
    const std::vector<SDemoEntry>& entries = layout.GetEntries();
    auto sink = [&](std::size_t i, const SPackResult& data, std::string& strError) {
        return CToolFiles::WriteBelow(strDir, entries[i].strName, data.bytes, strError);
    };
    std::string strError;
    CPackPipeline pipeline(std::string(), false, [&](std::size_t i) { return entries[i].strName; });
    if (!pipeline.Run(entries.size(), Source(entries), sink, strError)) {
        std::fprintf(stderr, "payload: %s\n", strError.c_str());
        return exitFiles;
    }
    std::printf("demo: %zu files, %" PRIu64 " bytes below %s\n", entries.size(),
                layout.GetTotalSize(), strDir.c_str());
    return exitOk;
}

CPackPipeline::Source CDemoCommand::Source(const std::vector<SDemoEntry>& entries) {
    return [&entries](std::size_t i, const BytesSink& sink, std::string&) {
        const std::vector<unsigned char> data = CDemoContent::Generate(entries[i]);
        return data.empty() || sink(data.data(), data.size());
    };
}
