// tools/payload/commands/InstallerFile.cpp
#include "commands/InstallerFile.h"

#include "pe/InstallerImage.h"

#include <algorithm>
#include <cstdint>

namespace {

// Writes nSize zeros.
bool WriteZeros(CPartFile& file, std::uint64_t nSize) {
    static const unsigned char s_zeros[65536] = {};
    bool bWritten = true;
    for (std::uint64_t nLeft = nSize; bWritten && nLeft != 0;) {
        const auto nStep = static_cast<std::size_t>(std::min<std::uint64_t>(nLeft, sizeof s_zeros));
        bWritten = file.Write(s_zeros, nStep);
        nLeft -= nStep;
    }
    return bWritten;
}

} // namespace

bool CInstallerFile::Open(const std::string& strPath, const CInstallerImage& image) {
    m_checksum = CPeChecksum();
    return m_file.Open(strPath) && WriteZeros(m_file, image.GetPayloadOffset());
}

bool CInstallerFile::Write(const unsigned char* pData, std::size_t nSize) {
    m_checksum.Add(pData, nSize);
    return m_file.Write(pData, nSize);
}

bool CInstallerFile::Commit(CInstallerImage& image) {
    image.Finish(m_checksum);
    return WritePieces(image, false) && m_file.Rewind() && WritePieces(image, true) &&
           m_file.Commit();
}

bool CInstallerFile::WritePieces(const CInstallerImage& image, bool bHead) {
    for (const CInstallerImage::SPiece& piece : bHead ? image.GetHead() : image.GetTail()) {
        const bool bWritten = piece.pData != nullptr
                                  ? m_file.Write(piece.pData, static_cast<std::size_t>(piece.nSize))
                                  : WriteZeros(m_file, piece.nSize);
        if (!bWritten)
            return false;
    }
    return true;
}
