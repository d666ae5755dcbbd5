// archive/TempName.h: _tempnam's rules, shared by the platforms.
#pragma once

#include <string>

// The platform's answers to the two questions the rules ask.
struct STempNameProbe {
    bool (*isDirectory)(const char* pszPath);
    bool (*isFree)(const char* pszPath); // no file or folder of that name
};

// A free name for a temporary file. The folder: pszTmp (TMP) when it names
// one, else pszDir, else pszRoot, else the current folder ("."); the name: the
// folder, the separator unless the folder ends in one, the prefix and a
// decimal number. Numbers start at nProcess * 100000, which keeps concurrent
// processes in one folder apart. Empty when no name is free.
std::string FormTempName(const char* pszTmp, const char* pszDir, const char* pszRoot,
                         char cSeparator, unsigned long nProcess, const char* pszPrefix,
                         const STempNameProbe& probe);
