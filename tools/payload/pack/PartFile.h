// tools/payload/pack/PartFile.h
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// A file written as "<path>.part" and renamed into place by Commit, so that a
// failed run leaves no half file behind: a part not committed is removed.
class CPartFile {
public:
    CPartFile() = default;
    CPartFile(const CPartFile&) = delete;
    CPartFile& operator=(const CPartFile&) = delete;
    ~CPartFile() { Discard(); }

    bool Open(const std::string& strPath);
    bool Write(const void* pData, std::size_t nSize);
    // Writes from the start again, over what is there.
    bool Rewind();
    // Closes the part and renames it to the path given to Open, replacing
    // that file; false, with the part removed, when either fails.
    bool Commit();

private:
    void Discard();

    std::FILE* m_pFile = nullptr;
    std::string m_strPath;
    std::string m_strPartPath;
};
