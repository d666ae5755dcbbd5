// tools/payload/commands/ProgressMeter.cpp
#include "commands/ProgressMeter.h"

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

CProgressMeter::CProgressMeter(const char* pszTask, bool bQuiet)
    : m_pszTask(pszTask), m_bQuiet(bQuiet), m_bTerminal(isatty(2) != 0) {}

void CProgressMeter::Update(int nPercent) {
    int nStep = m_bTerminal ? nPercent : nPercent / 10 * 10;
    if (m_bQuiet || nStep == m_nShown)
        return;
    m_nShown = nStep;
    if (m_bTerminal) {
        std::fprintf(stderr, "\r%s: %3d %%", m_pszTask, nStep);
        m_bLineOpen = true;
    } else {
        std::fprintf(stderr, "%s: %3d %%\n", m_pszTask, nStep);
    }
    std::fflush(stderr);
}

void CProgressMeter::Break() {
    if (!m_bLineOpen)
        return;
    std::fputc('\n', stderr);
    m_bLineOpen = false;
    m_nShown = -1;
}
