// tools/payload/commands/PayloadTool.cpp
#include "commands/PayloadTool.h"

#include "commands/BuildCommand.h"
#include "commands/DemoCommand.h"
#include "commands/ExtractCommand.h"
#include "commands/ListCommand.h"
#include "commands/PackCommand.h"
#include "commands/VerifyCommand.h"

#include <cstdio>
#include <cstring>

namespace {

const char kHelp[] =
    "Usage: payload COMMAND [OPTIONS] OPERANDS\n"
    "\n"
    "Makes, checks and extracts the installer's payload archive.\n"
    "\n"
    "Commands:\n"
    "  build SOURCE -o OUTPUT.exe [--stub STUB]\n"
    "                          the installer: the stub with the archive SOURCE, or\n"
    "                          the folder SOURCE packed as pack packs it; the stub\n"
    "                          is setup-stub.exe beside this program unless given\n"
    "  pack DIR ARCHIVE        pack every regular file below DIR, names in byte order;\n"
    "                          names go from UTF-8 into code page 1252, the\n"
    "                          installer's; refuses names that do not, and names the\n"
    "                          installer would refuse\n"
    "  list ARCHIVE            one line per entry: name, member length, decoded size,\n"
    "                          state of the CRC-32 and size check\n"
    "  verify ARCHIVE          decode every member; check CRC-32, size, framing and names\n"
    "  extract ARCHIVE DIR     extract into DIR with the installer's own code\n"
    "                          (list, verify, extract: ARCHIVE may be an installer)\n"
    "  demo ARCHIVE            write the demo payload (same bytes on every run)\n"
    "  demo --tree DIR         write the demo payload's files uncompressed below DIR\n"
    "\n"
    "Options:\n"
    "  --small                 demo: the same layout at a few megabytes\n"
    "  --no-space-check        extract: start even when DIR's drive has too little room\n"
    "  --installer             pack, verify: refuse an archive too large for a 32-bit\n"
    "                          installer, or whose largest file it cannot decode\n"
    "  -o FILE                 build: the installer to write\n"
    "  --stub FILE             build: the stub to fill; a Linux build of this program\n"
    "                          has none beside it: give build/win32/bin/setup-stub.exe\n"
    "  -q, --quiet             no progress display, and pack lists no files\n"
    "  -h, --help              show this text\n"
    "\n"
    "Exit codes:\n"
    "  0  done; list and verify: the archive is clean\n"
    "  1  list, verify: faults found; pack, build: files or a payload too large for\n"
    "     an installer refused, nothing written; verify --installer: too large;\n"
    "     extract: entries failed or the archive ends in damaged bytes\n"
    "  2  wrong command line\n"
    "  3  extract: a fatal error of the installer (a folder that cannot be made,\n"
    "     disk full, device gone); what was extracted stays\n"
    "  4  an input cannot be read or an output cannot be written, or memory ran\n"
    "     out; build: the stub is not the wizard or has a layout the tool cannot fill\n"
    "  5  extract: DIR's drive has less room than the archive needs; nothing written\n";

} // namespace

int CPayloadTool::Run(int argc, char** argv) {
    SToolOptions options;
    if (!Parse(argc, argv, options)) {
        std::fprintf(stderr, "Try 'payload --help'.\n");
        return exitUsage;
    }
    const std::string& strCommand = options.strCommand;
    if (strCommand == "help") {
        PrintHelp();
        return exitOk;
    }
    if ((options.bSmall || options.bTree) && strCommand != "demo") {
        std::fprintf(stderr, "payload: --small and --tree belong to demo\n");
        return exitUsage;
    }
    if (options.bNoSpaceCheck && strCommand != "extract") {
        std::fprintf(stderr, "payload: --no-space-check belongs to extract\n");
        return exitUsage;
    }
    if (options.bInstaller && strCommand != "pack" && strCommand != "verify") {
        std::fprintf(stderr, "payload: --installer belongs to pack and verify\n");
        return exitUsage;
    }
    if ((!options.strOutput.empty() || !options.strStub.empty()) && strCommand != "build") {
        std::fprintf(stderr, "payload: -o and --stub belong to build\n");
        return exitUsage;
    }
    if (strCommand == "pack")
        return CPackCommand(options).Run();
    if (strCommand == "build")
        return CBuildCommand(options).Run();
    if (strCommand == "list")
        return CListCommand(options).Run();
    if (strCommand == "verify")
        return CVerifyCommand(options).Run();
    if (strCommand == "extract")
        return CExtractCommand(options).Run();
    if (strCommand == "demo")
        return CDemoCommand(options).Run();
    std::fprintf(stderr, "payload: unknown command '%s'; try 'payload --help'\n",
                 strCommand.c_str());
    return exitUsage;
}

bool CPayloadTool::Parse(int argc, char** argv, SToolOptions& options) {
    bool bOperandsOnly = false;
    for (int i = 1; i < argc; ++i) {
        const char* pszArg = argv[i];
        if (bOperandsOnly || pszArg[0] != '-' || pszArg[1] == '\0') {
            if (options.strCommand.empty())
                options.strCommand = pszArg;
            else
                options.args.push_back(pszArg);
        } else if (std::strcmp(pszArg, "--") == 0) {
            bOperandsOnly = true;
        } else if (std::strcmp(pszArg, "-h") == 0 || std::strcmp(pszArg, "--help") == 0) {
            options.strCommand = "help";
            return true;
        } else if (std::strcmp(pszArg, "-q") == 0 || std::strcmp(pszArg, "--quiet") == 0) {
            options.bQuiet = true;
        } else if (std::strcmp(pszArg, "--small") == 0) {
            options.bSmall = true;
        } else if (std::strcmp(pszArg, "--tree") == 0) {
            options.bTree = true;
        } else if (std::strcmp(pszArg, "--no-space-check") == 0) {
            options.bNoSpaceCheck = true;
        } else if (std::strcmp(pszArg, "--installer") == 0) {
            options.bInstaller = true;
        } else if (std::strcmp(pszArg, "-o") == 0 || std::strcmp(pszArg, "--stub") == 0) {
            if (i + 1 == argc) {
                std::fprintf(stderr, "payload: %s needs a file\n", pszArg);
                return false;
            }
            (pszArg[1] == 'o' ? options.strOutput : options.strStub) = argv[++i];
        } else {
            std::fprintf(stderr, "payload: unknown option '%s'\n", pszArg);
            return false;
        }
    }
    if (options.strCommand.empty()) {
        std::fprintf(stderr, "payload: no command given\n");
        return false;
    }
    return true;
}

void CPayloadTool::PrintHelp() {
    std::fputs(kHelp, stdout);
}
