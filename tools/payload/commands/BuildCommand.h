// tools/payload/commands/BuildCommand.h
#pragma once

#include "commands/ToolOptions.h"

#include <string>

class CInstallerFile;
class CInstallerImage;
struct SPackTotals;

// payload build SOURCE -o OUTPUT [--stub STUB]: the installer, made from the
// wizard's stub and the archive SOURCE, or the folder SOURCE packed as pack
// packs it. Same SOURCE and stub, same bytes. The payload goes into the
// installer as it is packed or read, and the headers are written last: what
// the build holds in memory does not grow with the game.
class CBuildCommand {
public:
    explicit CBuildCommand(const SToolOptions& options) : m_options(options) {}

    int Run();

private:
    // The stub given, or setup-stub.exe beside this program.
    std::string StubPath() const;
    // The stub read and checked; false, said on stderr, when it is no stub.
    bool LoadStub(CInstallerImage& image) const;
    int BuildFolder(CInstallerImage& image, const std::string& strDir);
    int BuildArchive(CInstallerImage& image, const std::string& strSource);
    // Lays the installer out around the archive of totals; false, said on
    // stderr, when a 32-bit installer cannot carry it.
    bool Plan(CInstallerImage& image, const SPackTotals& totals) const;
    int Finish(CInstallerImage& image, CInstallerFile& file, const SPackTotals& totals) const;

    const SToolOptions& m_options;
};
