// tools/payload/commands/ProgressMeter.h
#pragma once

// Shows "task: NN %" on stderr: rewritten in place on a terminal, else one
// line per tenth, so that build logs stay short. Quiet meters show nothing.
class CProgressMeter {
public:
    CProgressMeter(const char* pszTask, bool bQuiet);
    CProgressMeter(const CProgressMeter&) = delete;
    CProgressMeter& operator=(const CProgressMeter&) = delete;
    ~CProgressMeter() { Break(); }

    void Update(int nPercent);
    // Ends the line being rewritten, so that other output starts on its own line.
    void Break();

private:
    const char* m_pszTask;
    bool m_bQuiet;
    bool m_bTerminal;
    bool m_bLineOpen = false;
    int m_nShown = -1;
};
