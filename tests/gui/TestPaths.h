// tests/gui/TestPaths.h
#pragma once

#include <string>

namespace gui {

// Where the test run keeps things, from the environment the build sets, as
// Windows paths.
namespace TestPaths {

// The variable's value as a Windows path; empty when it is not set.
std::string FromEnvironment(const char* name);
// The folder that drive E: shows.
std::string Drive();
// A fresh scratch folder for one test.
std::string FreshScratch(const std::string& name);
// Where screenshots go, created when missing.
std::string Screen(const std::string& fileName);

} // namespace TestPaths

} // namespace gui
