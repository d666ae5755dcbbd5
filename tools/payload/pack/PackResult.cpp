// tools/payload/pack/PackResult.cpp
#include "pack/PackResult.h"

#include <algorithm>
#include <cstdio>
#include <memory>

bool SPackResult::Read(const BytesSink& sink) const {
    if (strFile.empty())
        return bytes.empty() || sink(bytes.data(), bytes.size());
    std::FILE* pFile = std::fopen(strFile.c_str(), "rb");
    if (pFile == nullptr)
        return false;
    const std::size_t nPiece = static_cast<std::size_t>(std::min<std::uint64_t>(nSize, kPiece));
    std::unique_ptr<unsigned char[]> pPiece(new unsigned char[nPiece]);
    bool bRead = true;
    for (std::uint64_t nLeft = nSize; bRead && nLeft != 0;) {
        const std::size_t nStep = static_cast<std::size_t>(std::min<std::uint64_t>(nLeft, nPiece));
        bRead = std::fread(pPiece.get(), 1, nStep, pFile) == nStep && sink(pPiece.get(), nStep);
        nLeft -= nStep;
    }
    std::fclose(pFile);
    return bRead;
}

bool SPackResult::Load() {
    bytes.resize(static_cast<std::size_t>(nSize));
    std::FILE* pFile = std::fopen(strFile.c_str(), "rb");
    const bool bRead =
        pFile != nullptr && std::fread(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
    if (pFile != nullptr)
        std::fclose(pFile);
    strFile.clear();
    return bRead;
}
