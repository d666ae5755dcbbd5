// tools/payload/pack/MemberPacker.h
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Makes archive members with the engine's gzip writer (CGzipFileStream in
// write mode), so that they have exactly the installer's member form. The
// writer works on a named file: this one, removed again at the end.
class CMemberPacker {
public:
    explicit CMemberPacker(std::string strTempPath) : m_strTempPath(std::move(strTempPath)) {}
    CMemberPacker(const CMemberPacker&) = delete;
    CMemberPacker& operator=(const CMemberPacker&) = delete;
    ~CMemberPacker();

    bool Pack(const std::vector<unsigned char>& data, std::vector<unsigned char>& member);

private:
    std::string m_strTempPath;
};
