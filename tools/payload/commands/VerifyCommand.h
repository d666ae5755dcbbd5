// tools/payload/commands/VerifyCommand.h
#pragma once

#include "commands/ToolOptions.h"

#include <cstdint>

struct SPackTotals;

// payload verify ARCHIVE: decodes every member and checks its CRC-32 and
// size, the framing of the archive and the names; one line per fault and a
// summary; exit 0 only when clean. With --installer, a clean archive must
// also fit a 32-bit installer, counted as pack --installer counts it.
class CVerifyCommand {
public:
    explicit CVerifyCommand(const SToolOptions& options) : m_options(options) {}

    int Run();

private:
    bool FitsInstaller(std::uint64_t nArchive, const SPackTotals& totals) const;

    const SToolOptions& m_options;
};
