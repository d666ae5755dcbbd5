// archive/TempName.cpp
#include "archive/TempName.h"

#include <atomic>

std::string FormTempName(const char* pszTmp, const char* pszDir, const char* pszRoot,
                         char cSeparator, unsigned long nProcess, const char* pszPrefix,
                         const STempNameProbe& probe) {
    std::string strDir = ".";
    for (const char* pszTry : {pszTmp, pszDir, pszRoot}) {
        if (pszTry && *pszTry && probe.isDirectory(pszTry)) {
            strDir = pszTry;
            break;
        }
    }
    if (strDir.back() != cSeparator && strDir.back() != '/')
        strDir += cSeparator;
    static std::atomic<unsigned> s_nNext(0);
    const unsigned long long nBase = static_cast<unsigned long long>(nProcess) * 100000u;
    for (unsigned nTry = 0; nTry < 100000u; ++nTry) {
        const std::string strName =
            strDir + pszPrefix + std::to_string(nBase + (s_nNext++ % 100000u));
        if (probe.isFree(strName.c_str()))
            return strName;
    }
    return std::string();
}
