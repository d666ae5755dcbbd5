// tools/payload/commands/ToolPlatform.cpp
#include "commands/ToolPlatform.h"

CToolPlatform::CToolPlatform(CPlatform& inner, CProgressMeter& meter)
    : CForwardingPlatform(inner), m_meter(meter) {
    SetConsoleReports(TRUE);
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
