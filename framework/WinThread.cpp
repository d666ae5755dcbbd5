// framework/WinThread.cpp
#include "framework/WinThread.h"

#include <process.h>

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
    if (m_hThread)
        ::CloseHandle(m_hThread);
}

DWORD CWinThread::ResumeThread() {
    return ::ResumeThread(m_hThread);
}

unsigned __stdcall CWinThread::ThreadEntry(void* pThread) {
    CWinThread* pSelf = static_cast<CWinThread*>(pThread);
    UINT nExitCode = pSelf->m_pfnThreadProc(pSelf->m_pThreadParams);
    // An owner that keeps the object waits on m_hThread, which is signalled only
    // once this thread has ended: the object is still alive here.
    if (pSelf->m_bAutoDelete)
        delete pSelf;
    return nExitCode;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES pSecurityAttrs) {
    CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
    // Created suspended, so that the handle is stored before the thread can
    // end and delete the object. _beginthreadex, not CreateThread: the
    // function uses the C runtime.
    pThread->m_hThread = reinterpret_cast<HANDLE>(_beginthreadex(
        pSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, pThread, CREATE_SUSPENDED, nullptr));
    if (!pThread->m_hThread) {
        delete pThread;
        return nullptr;
    }
    ::SetThreadPriority(pThread->m_hThread, nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}
