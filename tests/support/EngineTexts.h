// tests/support/EngineTexts.h: the engine's messages for an entry, a file or a
// folder, in code page 1252 as it shows them.
#pragma once

#include <string>

namespace test_support {

std::string Damaged(const std::string& strName);
std::string InvalidName(const std::string& strName);
std::string NotWritten(const std::string& strName);
std::string TempFailed(const std::string& strPath);
std::string DirFailed(const std::string& strPath);

} // namespace test_support
