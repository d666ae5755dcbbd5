// tools/payload/commands/ToolOptions.h
#pragma once

#include "archive/Platform.h"

#include <string>
#include <vector>

// Exit codes of the payload tool (also listed by --help).
enum EToolExit {
    exitOk = 0,                  // done; verify and list: the archive is clean
    exitFaults = 1,              // faults found, files refused, or entries failed
    exitUsage = 2,               // wrong command line
    exitFatal = FATAL_EXIT_CODE, // extract ended on a fatal error of the installer
    exitFiles = 4,               // an input could not be read or an output written
    exitNoSpace = 5              // extract: the target's drive has too little room
};

struct SToolOptions {
    std::string strCommand;
    std::vector<std::string> args; // the operands after the command
    bool bQuiet = false;           // no progress display
    bool bSmall = false;           // demo: the small layout
    bool bTree = false;            // demo: uncompressed files instead of an archive
    bool bNoSpaceCheck = false;    // extract: no check of the target drive's free space
    bool bInstaller = false;       // pack, verify: the archive must fit a 32-bit installer
    std::string strOutput;         // build: -o OUTPUT
    std::string strStub;           // build: --stub STUB
};
