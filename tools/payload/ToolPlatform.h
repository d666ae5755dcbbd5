// tools/payload/ToolPlatform.h
#pragma once

#include "ProgressMeter.h"

#include "archive/Platform.h"

// The platform of this build with reports on the console: passes every call
// on, counts the messages of failed entries, and ends the progress line
// before the engine prints anything.
class CToolPlatform : public CPlatform {
public:
    CToolPlatform(CPlatform& inner, CProgressMeter& meter);

    BOOL FindArchiveResource(UINT nID, SByteBlock& block) override;
    BOOL MapFile(const char* pszPath, SByteBlock& block) override;
    void UnmapFile(SByteBlock& block) override;
    BOOL GetFileStatus(const char* pszPath) override;
    EDirError MakeDirectory(const char* pszPath) override;
    void ShowMessage(const char* pszText, const char* pszCaption) override;
    [[noreturn]] void ExitFatal(const char* pszText) override;
    void SetConsoleReports(BOOL bConsole) override;
    std::string GetTempName(const char* pszDir, const char* pszPrefix) override;
    OUTPUTHANDLE CreateOutput(const char* pszPath, EFileError& error) override;
    BOOL WriteOutput(OUTPUTHANDLE hFile, const void* pData, std::uint64_t nCount,
                     EFileError& error) override;
    BOOL CloseOutput(OUTPUTHANDLE hFile, EFileError& error) override;
    BOOL RemoveFile(const char* pszPath) override;

    int GetMessageCount() const { return m_nMessages; }

private:
    CPlatform& m_inner;
    CProgressMeter& m_meter;
    int m_nMessages = 0;
};
