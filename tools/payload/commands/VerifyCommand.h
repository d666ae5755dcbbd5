// tools/payload/commands/VerifyCommand.h
#pragma once

#include "commands/ToolOptions.h"

// payload verify ARCHIVE: decodes every member and checks its CRC-32 and
// size, the framing of the archive and the names; one line per fault and a
// summary; exit 0 only when clean. With --installer, a clean archive must
// also fit a 32-bit installer, counted as pack --installer counts it.
class CVerifyCommand {
public:
    explicit CVerifyCommand(const SToolOptions& options) : m_options(options) {}

    int Run();

private:
    const SToolOptions& m_options;
};
