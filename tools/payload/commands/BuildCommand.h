// tools/payload/commands/BuildCommand.h
#pragma once

#include "commands/ToolOptions.h"

#include <cstdint>
#include <string>

class CInstallerImage;
struct SPackTotals;

// payload build SOURCE -o OUTPUT [--stub STUB]: the installer, made from the
// wizard's stub and the archive SOURCE, or the folder SOURCE packed as pack
// packs it. Same SOURCE and stub, same bytes.
class CBuildCommand {
public:
    explicit CBuildCommand(const SToolOptions& options) : m_options(options) {}

    int Run();

private:
    // The stub given, or setup-stub.exe beside this program.
    std::string StubPath() const;
    // The folder packed into a scratch archive beside the output.
    int PackFolder(const std::string& strDir, std::string& strArchive, SPackTotals& totals);
    // The stub read and checked; false, said on stderr, when it is no stub.
    bool LoadStub(CInstallerImage& image) const;
    // pPacked: what PackFolder packed; null for an archive given as SOURCE.
    int Build(CInstallerImage& image, const std::string& strArchive, const SPackTotals* pPacked);

    const SToolOptions& m_options;
};
