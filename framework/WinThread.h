// framework/WinThread.h
#pragma once

#include <windows.h>

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread;

// Starts pfnThreadProc(pParam) on a new thread; null if it cannot be created.
// With CREATE_SUSPENDED in dwCreateFlags the caller starts it with ResumeThread.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES pSecurityAttrs = nullptr);

// A worker thread running one function. By default the object deletes itself
// (and closes the thread handle) when the function returns. An owner that must
// wait for the thread's end starts it suspended, clears m_bAutoDelete before
// ResumeThread, waits on m_hThread and then deletes the object.
class CWinThread {
public:
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    ~CWinThread();

    DWORD ResumeThread();

    HANDLE m_hThread = nullptr;
    BOOL m_bAutoDelete = TRUE;

private:
    friend CWinThread* AfxBeginThread(AFX_THREADPROC, LPVOID, int, UINT, DWORD,
                                      LPSECURITY_ATTRIBUTES);
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    static unsigned __stdcall ThreadEntry(void* pThread);

    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
};
