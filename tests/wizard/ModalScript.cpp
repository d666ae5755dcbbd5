// tests/wizard/ModalScript.cpp
#include "ModalScript.h"

#include <utility>

namespace {

std::function<void()> s_script;
int s_nAnswer = 0;
CBoxLog* s_pBoxLog = nullptr;

void CALLBACK RunScript(HWND, UINT, UINT_PTR nIDEvent, DWORD) {
    ::KillTimer(nullptr, nIDEvent);
    std::function<void()> script = std::move(s_script);
    s_script = nullptr;
    if (script)
        script();
}

BOOL CALLBACK FindBoxText(HWND hChild, LPARAM lParam) {
    char szClass[32] = "";
    ::GetClassNameA(hChild, szClass, sizeof szClass);
    std::string strText = TextOf(hChild);
    auto* pText = reinterpret_cast<std::string*>(lParam);
    if (lstrcmpiA(szClass, "Static") == 0 && strText.size() > pText->size())
        *pText = strText;
    return TRUE;
}

// A message box is an owned top-level dialog of this thread.
BOOL CALLBACK AnswerBox(HWND hWnd, LPARAM) {
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    if (std::string(szClass) != "#32770" || !::IsWindowVisible(hWnd) ||
        !::GetWindow(hWnd, GW_OWNER))
        return TRUE;
    CBoxLog& log = *s_pBoxLog;
    ++log.nShown;
    log.strCaption = TextOf(hWnd);
    log.strText.clear();
    ::EnumChildWindows(hWnd, &FindBoxText, reinterpret_cast<LPARAM>(&log.strText));
    log.hOwner = ::GetWindow(hWnd, GW_OWNER);
    log.bYesNo = ::GetDlgItem(hWnd, IDYES) && ::GetDlgItem(hWnd, IDNO) && !::GetDlgItem(hWnd, IDOK);
    ::SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(s_nAnswer, BN_CLICKED), 0);
    return FALSE;
}

void CALLBACK WatchForBoxes(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &AnswerBox, 0);
}

} // namespace

std::string TextOf(HWND hWnd) {
    char sz[512] = "";
    ::GetWindowTextA(hWnd, sz, sizeof sz);
    return sz;
}

INT_PTR RunModal(CDialog& dlg, std::function<void()> script) {
    s_script = [&dlg, script] {
        script();
        // EndDialog hides the dialog; one still shown was not ended by the script.
        if (dlg.m_hWnd && ::IsWindowVisible(dlg.m_hWnd))
            dlg.EndDialog(kScriptEnded);
    };
    ::SetTimer(nullptr, 0, 1, &RunScript);
    return dlg.DoModal();
}

void PumpMessages() {
    const DWORD dwStart = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - dwStart < 200) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::Sleep(5);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

CBoxAnswerer::CBoxAnswerer(int nAnswer, CBoxLog* pLog) {
    s_nAnswer = nAnswer;
    s_pBoxLog = pLog;
    m_nTimer = ::SetTimer(nullptr, 0, 20, &WatchForBoxes);
}

CBoxAnswerer::~CBoxAnswerer() {
    ::KillTimer(nullptr, m_nTimer);
}
