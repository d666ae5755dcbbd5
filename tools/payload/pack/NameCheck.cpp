// tools/payload/pack/NameCheck.cpp
#include "pack/NameCheck.h"

#include "archive/EntryName.h"

namespace {

// A name as the card's file system compares it: Windows folds every letter of
// code page 1252 to one case, the accented ones and S, OE, Z, Y with caron or
// diaeresis (0x8A, 0x8C, 0x8E, 0x9F) too. Sharp s (0xDF) has no capital in
// 1252 and stays.
std::string Folded(const std::string& strName) {
    std::string strFolded = strName;
    for (char& ch : strFolded) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            ch = static_cast<char>(c + 0x20);
        else if (c == 0x8A || c == 0x8C || c == 0x8E)
            ch = static_cast<char>(c + 0x10);
        else if (c == 0x9F)
            ch = static_cast<char>(0xFF);
    }
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
