// tools/payload/commands/ExtractCommand.h
#pragma once

#include "commands/ToolOptions.h"

// payload extract ARCHIVE DIR: the installer's own walk (CPayloadArchive)
// over the archive file into DIR, with the percentage GetProgress reports,
// the engine's messages on stderr and its fatal end as exit code 3.
class CExtractCommand {
public:
    explicit CExtractCommand(const SToolOptions& options) : m_options(options) {}

    int Run();

private:
    const SToolOptions& m_options;
};
