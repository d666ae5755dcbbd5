// tools/payload/commands/ListCommand.h
#pragma once

#include "commands/ToolOptions.h"

// payload list ARCHIVE: one line per entry with its name, member length,
// decoded size and the state of its checks.
class CListCommand {
public:
    explicit CListCommand(const SToolOptions& options) : m_options(options) {}

    int Run();

private:
    const SToolOptions& m_options;
};
