// tools/payload/commands/ToolPlatform.cpp
#include "commands/ToolPlatform.h"

#include "commands/ToolFiles.h"

CToolPlatform::CToolPlatform(CPlatform& inner, CProgressMeter& meter)
    : CForwardingPlatform(inner), m_meter(meter) {
    SetConsoleReports(TRUE);
}

BOOL CToolPlatform::PathExists(const char* pszPath) {
    return CForwardingPlatform::PathExists(SystemPath(pszPath).c_str());
}

EDirError CToolPlatform::MakeDirectory(const char* pszPath) {
    return CForwardingPlatform::MakeDirectory(SystemPath(pszPath).c_str());
}

EPathKind CToolPlatform::GetPathStatus(const char* pszPath, std::uint64_t& nSize) {
    return CForwardingPlatform::GetPathStatus(SystemPath(pszPath).c_str(), nSize);
}

void CToolPlatform::ShowMessage(const char* pszText, const char* pszCaption) {
    m_meter.Break();
    ++m_nMessages;
    CForwardingPlatform::ShowMessage(pszText, pszCaption);
}

void CToolPlatform::ExitFatal(const char* pszText) {
    m_meter.Break();
    CForwardingPlatform::ExitFatal(pszText);
}

OUTPUTHANDLE CToolPlatform::CreateOutput(const char* pszPath, EFileError& error) {
    return CForwardingPlatform::CreateOutput(SystemPath(pszPath).c_str(), error);
}

BOOL CToolPlatform::RemoveFile(const char* pszPath) {
    return CForwardingPlatform::RemoveFile(SystemPath(pszPath).c_str());
}

std::string CToolPlatform::SystemPath(const char* pszPath) const {
    const std::string strPath = pszPath;
    if (m_strTargetDir.empty() || strPath.compare(0, m_strTargetDir.size(), m_strTargetDir) != 0)
        return strPath;
    return m_strTargetDir + CToolFiles::SystemName(strPath.substr(m_strTargetDir.size()));
}
