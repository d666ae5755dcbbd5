// tools/payload/pack/NameCheck.h
#pragma once

#include <set>
#include <string>

// Checks the names of one archive, in storage order: each must be one the
// installer accepts (IsSafeEntryName), and on a card's file system, which
// ignores case, no two may name the same file, nor may one name a file where
// another needs a directory.
class CNameCheck {
public:
    // nullptr when the name is fine, else what is wrong with it.
    const char* Check(const std::string& strName);

private:
    std::set<std::string> m_files; // names folded to lower case, in code page 1252
    std::set<std::string> m_dirs;
};
