// tools/payload/commands/ToolPlatform.h
#pragma once

#include "commands/ProgressMeter.h"

#include "archive/ForwardingPlatform.h"

// The platform of this build with reports on the console: passes every call
// on, counts the messages of failed entries, and ends the progress line
// before the engine prints anything.
class CToolPlatform : public CForwardingPlatform {
public:
    CToolPlatform(CPlatform& inner, CProgressMeter& meter);

    void ShowMessage(const char* pszText, const char* pszCaption) override;
    [[noreturn]] void ExitFatal(const char* pszText) override;

    int GetMessageCount() const { return m_nMessages; }

private:
    CProgressMeter& m_meter;
    int m_nMessages = 0;
};
