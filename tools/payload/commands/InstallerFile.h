// tools/payload/commands/InstallerFile.h
#pragma once

#include "pack/PartFile.h"
#include "pe/PeChecksum.h"

#include <cstddef>
#include <string>

class CInstallerImage;

// An installer written while its payload is made: room for the image's head
// first, then the payload's bytes as they come, summed for the CheckSum; once
// the image is planned around them, its tail, and its head in that room. A
// part file until Commit.
class CInstallerFile {
public:
    bool Open(const std::string& strPath, const CInstallerImage& image);
    bool Write(const unsigned char* pData, std::size_t nSize);
    // The tail, the head with the CheckSum, and the file put in place; image
    // must be planned around the bytes written.
    bool Commit(CInstallerImage& image);

private:
    bool WritePieces(const CInstallerImage& image, bool bHead);

    CPartFile m_file;
    CPeChecksum m_checksum;
};
