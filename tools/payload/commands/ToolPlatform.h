// tools/payload/commands/ToolPlatform.h
#pragma once

#include "commands/ProgressMeter.h"

#include "archive/ForwardingPlatform.h"

#include <string>

// The platform of this build with reports on the console: passes every call
// on, counts the messages of failed entries, and ends the progress line
// before the engine prints anything. Below the target folder, paths end in
// names as the archive stores them; those reach the system as
// CToolFiles::SystemName gives them (UTF-8 on Linux).
class CToolPlatform : public CForwardingPlatform {
public:
    CToolPlatform(CPlatform& inner, CProgressMeter& meter);

    // The engine's form of the target folder (CPayloadArchive::GetTargetDir).
    void SetTargetDir(const std::string& strTargetDir) { m_strTargetDir = strTargetDir; }

    BOOL PathExists(const char* pszPath) override;
    EDirError MakeDirectory(const char* pszPath) override;
    EPathKind GetPathStatus(const char* pszPath, std::uint64_t& nSize) override;
    void ShowMessage(const char* pszText, const char* pszCaption) override;
    [[noreturn]] void ExitFatal(const char* pszText) override;
    OUTPUTHANDLE CreateOutput(const char* pszPath, EFileError& error) override;
    BOOL RemoveFile(const char* pszPath) override;

    int GetMessageCount() const { return m_nMessages; }

private:
    // The path with the part below the target folder converted.
    std::string SystemPath(const char* pszPath) const;

    CProgressMeter& m_meter;
    std::string m_strTargetDir;
    int m_nMessages = 0;
};
