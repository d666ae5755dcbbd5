// tools/payload/pack/NameCheck.cpp
#include "pack/NameCheck.h"

#include "archive/EntryName.h"

namespace {

std::string Folded(const std::string& strName) {
    std::string strFolded = strName;
    for (char& ch : strFolded)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return strFolded;
}

} // namespace

const char* CNameCheck::Check(const std::string& strName) {
    // The separator's first component ends in a blank, so this refuses it too.
    if (!IsSafeEntryName(strName))
        return "name the installer refuses";
    std::string strFolded = Folded(strName);
    if (m_files.count(strFolded) != 0)
        return "name used twice (ignoring case)";
    if (m_dirs.count(strFolded) != 0)
        return "file where other names need a directory";
    for (std::size_t n = strFolded.find('\\'); n != std::string::npos;
         n = strFolded.find('\\', n + 1)) {
        if (m_files.count(strFolded.substr(0, n)) != 0)
            return "directory where another name is a file";
    }
    m_files.insert(strFolded);
    for (std::size_t n = strFolded.find('\\'); n != std::string::npos;
         n = strFolded.find('\\', n + 1))
        m_dirs.insert(strFolded.substr(0, n));
    return nullptr;
}
