// tools/payload/ToolPlatform.cpp
#include "ToolPlatform.h"

#include <cstdlib>

CToolPlatform::CToolPlatform(CPlatform& inner, CProgressMeter& meter)
    : m_inner(inner), m_meter(meter) {
    m_inner.SetConsoleReports(TRUE);
}

BOOL CToolPlatform::FindArchiveResource(UINT nID, SByteBlock& block) {
    return m_inner.FindArchiveResource(nID, block);
}

BOOL CToolPlatform::MapFile(const char* pszPath, SByteBlock& block) {
    return m_inner.MapFile(pszPath, block);
}

void CToolPlatform::UnmapFile(SByteBlock& block) {
    m_inner.UnmapFile(block);
}

BOOL CToolPlatform::GetFileStatus(const char* pszPath) {
    return m_inner.GetFileStatus(pszPath);
}

EDirError CToolPlatform::MakeDirectory(const char* pszPath) {
    return m_inner.MakeDirectory(pszPath);
}

void CToolPlatform::ShowMessage(const char* pszText, const char* pszCaption) {
    m_meter.Break();
    ++m_nMessages;
    m_inner.ShowMessage(pszText, pszCaption);
}

void CToolPlatform::ExitFatal(const char* pszText) {
    m_meter.Break();
    m_inner.ExitFatal(pszText);
    // The compiler cannot see through the virtual call that it never returns.
    std::exit(FATAL_EXIT_CODE);
}

void CToolPlatform::SetConsoleReports(BOOL bConsole) {
    m_inner.SetConsoleReports(bConsole);
}

std::string CToolPlatform::GetTempName(const char* pszDir, const char* pszPrefix) {
    return m_inner.GetTempName(pszDir, pszPrefix);
}

OUTPUTHANDLE CToolPlatform::CreateOutput(const char* pszPath, EFileError& error) {
    return m_inner.CreateOutput(pszPath, error);
}

BOOL CToolPlatform::WriteOutput(OUTPUTHANDLE hFile, const void* pData, std::uint64_t nCount,
                                EFileError& error) {
    return m_inner.WriteOutput(hFile, pData, nCount, error);
}

BOOL CToolPlatform::CloseOutput(OUTPUTHANDLE hFile, EFileError& error) {
    return m_inner.CloseOutput(hFile, error);
}

BOOL CToolPlatform::RemoveFile(const char* pszPath) {
    return m_inner.RemoveFile(pszPath);
}
