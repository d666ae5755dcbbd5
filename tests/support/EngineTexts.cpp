// tests/support/EngineTexts.cpp
#include "EngineTexts.h"

namespace test_support {

std::string Damaged(const std::string& strName) {
    return "Die Datei \"" + strName + "\" im Installationspaket ist besch\xE4" + "digt.";
}

std::string InvalidName(const std::string& strName) {
    return "Der Dateiname \"" + strName + "\" im Installationspaket ist ung\xFC" + "ltig.";
}

std::string NotWritten(const std::string& strName) {
    return "Konnte Datei \"" + strName + "\" nicht schreiben.";
}

std::string TempFailed(const std::string& strPath) {
    return "Konnte tempor\xE4re Datei \"" + strPath + "\" nicht erstellen.";
}

std::string DirFailed(const std::string& strPath) {
    return "Konnte Verzeichnis \"" + strPath + "\" nicht erstellen.";
}

} // namespace test_support
