// tools/payload/commands/PayloadTool.h
#pragma once

#include "commands/ToolOptions.h"

// The payload command line: reads the options, runs one command and returns
// the process exit code (EToolExit).
class CPayloadTool {
public:
    int Run(int argc, char** argv);

private:
    static bool Parse(int argc, char** argv, SToolOptions& options);
    static void PrintHelp();
};
