// tools/payload/commands/DemoCommand.h
#pragma once

#include "commands/ToolOptions.h"
#include "demo/DemoLayout.h"
#include "pack/PackPipeline.h"

#include <vector>

// payload demo ARCHIVE [--small] | payload demo --tree DIR [--small]:
// the demo payload as an archive, or its files uncompressed below DIR.
class CDemoCommand {
public:
    explicit CDemoCommand(const SToolOptions& options) : m_options(options) {}

    int Run();

private:
    int WriteArchive(const std::string& strPath);
    int WriteTree(const std::string& strDir);
    // The demo files' bytes, made as the pipeline asks for them.
    static CPackPipeline::Source Source(const std::vector<SDemoEntry>& entries);

    const SToolOptions& m_options;
};
