// archive/ForwardingPlatform.cpp
#include "archive/ForwardingPlatform.h"

#include <cstdlib>

BOOL CForwardingPlatform::FindArchiveResource(UINT nID, SByteBlock& block) {
    return m_inner.FindArchiveResource(nID, block);
}

BOOL CForwardingPlatform::MapFile(const char* pszPath, SByteBlock& block) {
    return m_inner.MapFile(pszPath, block);
}

void CForwardingPlatform::UnmapFile(SByteBlock& block) {
    m_inner.UnmapFile(block);
}

BOOL CForwardingPlatform::PathExists(const char* pszPath) {
    return m_inner.PathExists(pszPath);
}

EDirError CForwardingPlatform::MakeDirectory(const char* pszPath) {
    return m_inner.MakeDirectory(pszPath);
}

EPathKind CForwardingPlatform::GetPathStatus(const char* pszPath, std::uint64_t& nSize) {
    return m_inner.GetPathStatus(pszPath, nSize);
}

void CForwardingPlatform::ShowMessage(const char* pszText, const char* pszCaption) {
    m_inner.ShowMessage(pszText, pszCaption);
}

void CForwardingPlatform::ExitFatal(const char* pszText) {
    m_inner.ExitFatal(pszText);
    // The compiler cannot see through the virtual call that it never returns.
    std::abort();
}

void CForwardingPlatform::SetConsoleReports(BOOL bConsole) {
    m_inner.SetConsoleReports(bConsole);
}

std::string CForwardingPlatform::GetTempName(const char* pszDir, const char* pszPrefix) {
    return m_inner.GetTempName(pszDir, pszPrefix);
}

OUTPUTHANDLE CForwardingPlatform::CreateOutput(const char* pszPath, EFileError& error) {
    return m_inner.CreateOutput(pszPath, error);
}

BOOL CForwardingPlatform::WriteOutput(OUTPUTHANDLE hFile, const void* pData, std::uint64_t nCount,
                                      EFileError& error) {
    return m_inner.WriteOutput(hFile, pData, nCount, error);
}

BOOL CForwardingPlatform::CloseOutput(OUTPUTHANDLE hFile, EFileError& error) {
    return m_inner.CloseOutput(hFile, error);
}

BOOL CForwardingPlatform::RemoveFile(const char* pszPath) {
    return m_inner.RemoveFile(pszPath);
}

OUTPUTHANDLE CForwardingPlatform::CreateTemporary(const char* pszPath, EFileError& error) {
    return m_inner.CreateTemporary(pszPath, error);
}

BOOL CForwardingPlatform::ReadBack(OUTPUTHANDLE hFile, SInputFile& file) {
    return m_inner.ReadBack(hFile, file);
}

BOOL CForwardingPlatform::OpenInput(const char* pszPath, SInputFile& file) {
    return m_inner.OpenInput(pszPath, file);
}

std::size_t CForwardingPlatform::ReadInput(const SInputFile& file, std::uint64_t nOffset,
                                           void* pBuffer, std::size_t nCount) {
    return m_inner.ReadInput(file, nOffset, pBuffer, nCount);
}

void CForwardingPlatform::CloseInput(SInputFile& file) {
    m_inner.CloseInput(file);
}

BOOL CForwardingPlatform::GetDiskSpace(const char* pszFolder, std::uint64_t& nFree,
                                       std::uint64_t& nClusterSize) {
    return m_inner.GetDiskSpace(pszFolder, nFree, nClusterSize);
}

BOOL CForwardingPlatform::IsSameDrive(const char* pszPathA, const char* pszPathB) {
    return m_inner.IsSameDrive(pszPathA, pszPathB);
}
