// tests/pages/PageTestSupport.cpp
#include "PageTestSupport.h"
#include "PayloadBytes.h"

#include "archive/ArchivFormat.h"
#include "archive/ArchiveRegistry.h"
#include "pages/TargetDir.h"
#include "pages/WizardPages.h"
#include "res/resource.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <set>

// The installer defines it beside its application object; the tests have none.
CString g_strTargetDir;

namespace {

std::function<void()> s_script;

void CALLBACK RunScript(HWND, UINT, UINT_PTR nIDEvent, DWORD) {
    ::KillTimer(nullptr, nIDEvent);
    std::function<void()> script = std::move(s_script);
    script();
}

BOOL CALLBACK LongestStatic(HWND hChild, LPARAM lParam) {
    char szClass[16] = "";
    ::GetClassNameA(hChild, szClass, sizeof szClass);
    auto& strText = *reinterpret_cast<std::string*>(lParam);
    const std::string strChild = TextOf(hChild);
    if (::lstrcmpiA(szClass, "Static") == 0 && strChild.size() > strText.size())
        strText = strChild;
    return TRUE;
}

std::set<DWORD> ThreadsOfThisProcess() {
    std::set<DWORD> threads;
    const HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore;
         bMore = ::Thread32Next(hSnapshot, &entry)) {
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId())
            threads.insert(entry.th32ThreadID);
    }
    ::CloseHandle(hSnapshot);
    return threads;
}

} // namespace

bool PumpUntil(const std::function<bool()>& ready, DWORD nTimeoutMs) {
    const DWORD nStart = ::GetTickCount();
    MSG msg;
    while (!ready()) {
        if (::GetTickCount() - nStart > nTimeoutMs)
            return false;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return true;
}

bool IsShown(const CWnd& wnd) {
    return wnd.m_hWnd && ::IsWindowVisible(wnd.m_hWnd);
}

std::string TextOf(HWND hWnd) {
    char sz[8192] = "";
    return std::string(sz, static_cast<std::size_t>(::GetWindowTextA(hWnd, sz, sizeof sz)));
}

std::string ItemText(const CWnd& dlg, int nID) {
    return TextOf(dlg.GetDlgItem(nID));
}

std::string LoadText(UINT nID) {
    CString str;
    str.LoadString(nID);
    return str.c_str();
}

CTestWizard::CTestWizard() : CWizardFrame(IDD_SETUP_DIALOG, nullptr) {
    ::InitCommonControls();
}

INT_PTR CTestWizard::Run(std::function<void()> script) {
    s_script = [this, script] {
        script();
        if (IsOpen())
            EndDialog(IDABORT);
    };
    ::SetTimer(nullptr, 0, 1, &RunScript);
    return DoModal();
}

BOOL CTestWizard::OnInitDialog() {
    SetPlaceholderID(IDC_PAGE_AREA);
    return CWizardFrame::OnInitDialog();
}

void CTestWizard::Click(int nID) {
    if (IsButtonShown(nID) && IsButtonEnabled(nID))
        SendCommand(nID);
}

void CTestWizard::SendCommand(int nID) {
    SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(nID)));
}

CBoxWatcher::CBoxWatcher(std::string strCaption, int nAnswer)
    : m_strCaption(std::move(strCaption)), m_nAnswer(nAnswer), m_thread([this] { Watch(); }) {}

CBoxWatcher::~CBoxWatcher() {
    m_bStop = true;
    m_thread.join();
}

std::vector<SBoxSeen> CBoxWatcher::Seen() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_seen;
}

void CBoxWatcher::Watch() {
    while (!m_bStop) {
        HWND hBox = nullptr;
        while ((hBox = ::FindWindowExA(nullptr, hBox, "#32770", m_strCaption.c_str()))) {
            DWORD nProcess = 0;
            ::GetWindowThreadProcessId(hBox, &nProcess);
            std::lock_guard<std::mutex> lock(m_mutex);
            if (nProcess != ::GetCurrentProcessId() || !::IsWindowVisible(hBox) ||
                std::count(m_answered.begin(), m_answered.end(), hBox))
                continue;
            SBoxSeen seen{{}, ::GetWindow(hBox, GW_OWNER)};
            ::EnumChildWindows(hBox, &LongestStatic, reinterpret_cast<LPARAM>(&seen.strText));
            m_seen.push_back(seen);
            m_answered.push_back(hBox);
            // Posted: the box's thread may be waiting for this one.
            ::PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(m_nAnswer, BN_CLICKED), 0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

CTestPayload::CTestPayload(std::initializer_list<std::pair<std::string, std::string>> files) {
    for (const auto& [strName, strData] : files) {
        m_strBytes += test_support::Entry(strName, test_support::Gzip(strData));
        m_entryEnds.push_back(m_strBytes.size());
    }
    SByteBlock block;
    block.pData = reinterpret_cast<const unsigned char*>(m_strBytes.data());
    block.nSize = m_strBytes.size();
    RegisterArchive(ARCHIV_RESOURCE_ID, block);
}

CTestPayload::~CTestPayload() {
    UnregisterArchive(ARCHIV_RESOURCE_ID);
}

std::vector<int> CTestPayload::ExpectedPositions() const {
    std::vector<int> positions;
    for (std::size_t nEnd : m_entryEnds)
        positions.push_back(static_cast<int>(nEnd * 100 / m_strBytes.size()));
    return positions;
}

LPITEMIDLIST CScriptedTargetPage::BrowseForFolder(BROWSEINFOA& bi) {
    lastInfo = bi;
    strLastTitle = bi.lpszTitle ? bi.lpszTitle : "";
    // S_FALSE: this thread already is a single-threaded apartment.
    const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bApartmentReady = hr == S_FALSE;
    if (SUCCEEDED(hr))
        ::CoUninitialize();
    if (strChoice != kNoFileSystemPath)
        return strChoice.empty() ? nullptr : ::ILCreateFromPathA(strChoice.c_str());
    // As the shell does, the display name goes into the caller's buffer.
    ::lstrcpynA(bi.pszDisplayName, "My Computer", MAX_PATH);
    LPITEMIDLIST pidl = nullptr;
    ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &pidl);
    return pidl;
}

void CTestProgressPage::ReleaseWorker() {
    StartRealWorker();
}

BOOL CTestProgressPage::StartWorker() {
    ++nWorkerStarts;
    if (bFailWorker)
        return FALSE;
    return bHoldWorker ? TRUE : StartRealWorker();
}

BOOL CTestProgressPage::StartRealWorker() {
    const std::set<DWORD> before = ThreadsOfThisProcess();
    const BOOL bStarted = CProgressPage::StartWorker();
    nWorkerThreadID = 0;
    for (DWORD nID : ThreadsOfThisProcess()) {
        if (!before.count(nID))
            nWorkerThreadID = nID;
    }
    return bStarted;
}

UINT_PTR CTestProgressPage::StartTimer() {
    return bFailTimer ? 0 : CProgressPage::StartTimer();
}

WizardTest::WizardTest() {
    g_strTargetDir = "";
    AddWizardPages(wizard, welcome, license, target, summary, progress, finish);
}

void WizardTest::NextTo(const CWnd& page) {
    wizard.Click(ID_WIZNEXT);
    ASSERT_TRUE(IsShown(page));
}

void WizardTest::BackTo(const CWnd& page) {
    wizard.Click(ID_WIZBACK);
    ASSERT_TRUE(IsShown(page));
}

void WizardTest::Browse(const std::string& strChoice) {
    target.strChoice = strChoice;
    ::SendMessageA(target.GetDlgItem(IDC_TARGET_BROWSE), BM_CLICK, 0, 0);
}

void WizardTest::GoToSummary(const std::string& strFolder) {
    ASSERT_NO_FATAL_FAILURE(NextTo(license));
    if (::SendMessageA(license.GetDlgItem(IDC_LICENSE_CHECK), BM_GETCHECK, 0, 0) != BST_CHECKED)
        TickAccept();
    ASSERT_NO_FATAL_FAILURE(NextTo(target));
    Browse(strFolder);
    ASSERT_NO_FATAL_FAILURE(NextTo(summary));
}
