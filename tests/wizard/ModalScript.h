// tests/wizard/ModalScript.h
#pragma once

#include "framework/Dialog.h"

#include <functional>
#include <string>

// Result of DoModal when the script ended the dialog itself.
constexpr INT_PTR kScriptEnded = 4711;

// Runs the dialog modally and, once its modal loop runs, the script on the
// same thread. A dialog still open after the script is ended with kScriptEnded.
INT_PTR RunModal(CDialog& dlg, std::function<void()> script);

// The window's text.
std::string TextOf(HWND hWnd);

// Handles this thread's pending messages (what handlers posted) for a moment.
void PumpMessages();

// What the message boxes shown on this thread looked like.
struct CBoxLog {
    int nShown = 0;
    std::string strText;
    std::string strCaption;
    HWND hOwner = nullptr;
    bool bYesNo = false;
};

// While alive, answers every message box that this thread shows with nAnswer.
class CBoxAnswerer {
public:
    CBoxAnswerer(int nAnswer, CBoxLog* pLog);
    ~CBoxAnswerer();
    CBoxAnswerer(const CBoxAnswerer&) = delete;
    CBoxAnswerer& operator=(const CBoxAnswerer&) = delete;

private:
    UINT_PTR m_nTimer;
};
