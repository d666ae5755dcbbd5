// tools/payload/pack/MemberPacker.h
#pragma once

#include "archive/GzipFileStream.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Makes archive members with the engine's gzip writer (CGzipFileStream in
// write mode), so that they have exactly the installer's member form. The
// writer works on a named file: this one, where each member stays until the
// next begins, removed at the end. The file's bytes come in pieces, and the
// member is the same however they are cut.
class CMemberPacker {
public:
    explicit CMemberPacker(std::string strTempPath) : m_strTempPath(std::move(strTempPath)) {}
    CMemberPacker(const CMemberPacker&) = delete;
    CMemberPacker& operator=(const CMemberPacker&) = delete;
    ~CMemberPacker();

    bool Begin();
    bool Add(const unsigned char* pData, std::size_t nSize);
    // Ends the member; nSize receives its length.
    bool Finish(std::uint64_t& nSize);
    const std::string& GetPath() const { return m_strTempPath; }

private:
    std::string m_strTempPath;
    std::optional<CGzipFileStream> m_stream; // a fresh writer for every member
};
