// tests/pages/ProgressPageTest.cpp: the installation from "Installieren" to the
// Finish page, the worker's failures and the ways out while it runs.
#include "PageTestSupport.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr DWORD kTick = 333;

// The PBM_SETPOS positions the bar received.
std::vector<int> s_positions;
WNDPROC s_pfnBarProc = nullptr;

LRESULT CALLBACK RecordingBarProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PBM_SETPOS)
        s_positions.push_back(static_cast<int>(wParam));
    return ::CallWindowProcA(s_pfnBarProc, hWnd, message, wParam, lParam);
}

// The worker's thread is slowed down on its way out, after its function has
// returned: a page that did not wait for its worker would be gone while that
// worker still runs. Fiber-local storage callbacks run at a thread's end before
// the loader lock is taken, so the wizard's thread is not held up meanwhile.
std::atomic<DWORD> s_nSlowThread{0};
constexpr DWORD kSlowExitMs = 1500;

void NTAPI SlowDownExit(PVOID) {
    if (::GetCurrentThreadId() == s_nSlowThread)
        ::Sleep(kSlowExitMs);
}

const DWORD s_nExitSlot = ::FlsAlloc(SlowDownExit);

// A slot's callback runs at a thread's end only where the thread gave it a value.
void NTAPI OnThreadEvent(PVOID, DWORD dwReason, PVOID) {
    if (dwReason == DLL_THREAD_ATTACH)
        ::FlsSetValue(s_nExitSlot, reinterpret_cast<PVOID>(1));
}

} // namespace

// In the executable's TLS callback table: the loader calls it for every thread
// that starts or ends.
extern "C" __attribute__((section(".CRT$XLF"), used)) const PIMAGE_TLS_CALLBACK g_pfnThreadEvent =
    OnThreadEvent;

namespace {

class ProgressTest : public WizardTest {
protected:
    ProgressTest() { std::filesystem::create_directories(m_folder); }
    ~ProgressTest() override { std::filesystem::remove_all(m_folder); }

    // Summary's "Installieren". The worker then waits for this thread to take
    // its first bar position, so it runs until the script pumps messages.
    void Install() {
        ASSERT_NO_FATAL_FAILURE(GoToSummary(m_folder.string()));
        ASSERT_NO_FATAL_FAILURE(NextTo(progress));
        s_positions.clear();
        s_pfnBarProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(progress.GetDlgItem(IDC_PROGRESS_BAR), GWLP_WNDPROC,
                                reinterpret_cast<LONG_PTR>(&RecordingBarProc)));
    }
    void ExpectRunning() {
        EXPECT_TRUE(wizard.IsBusy());
        EXPECT_FALSE(wizard.IsButtonEnabled(ID_WIZBACK));
        EXPECT_FALSE(wizard.IsButtonEnabled(ID_WIZNEXT));
        EXPECT_FALSE(wizard.IsButtonEnabled(IDCANCEL));
    }
    // The user can leave with Cancel and nothing else.
    void ExpectReleased() {
        EXPECT_FALSE(wizard.IsBusy());
        EXPECT_TRUE(wizard.IsButtonEnabled(IDCANCEL));
        EXPECT_FALSE(wizard.IsButtonEnabled(ID_WIZNEXT));
        EXPECT_FALSE(progress.KillPollTimer());
    }
    bool WaitForFinish() {
        return PumpUntil([&] { return IsShown(finish); });
    }
    std::string Read(const char* pszName) {
        std::ifstream in(m_folder / pszName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path m_folder = std::filesystem::temp_directory_path() /
                                     ("pages_test_" + std::to_string(::GetCurrentProcessId()));
};

TEST_F(ProgressTest, InstallsEveryEntryAndMovesOnToFinish) {
    CTestPayload payload{{"app.elf", std::string(3000, 'a')},
                         {"system\\key_down.wav", "RIFF"},
                         {"brimlow\\sounds\\de\\x.wav", std::string(20000, 'x')}};
    const INT_PTR nResult = wizard.Run([&] {
        ASSERT_NO_FATAL_FAILURE(Install());
        ExpectRunning();
        EXPECT_EQ("Installieren", wizard.ButtonText(ID_WIZNEXT));

        ASSERT_TRUE(WaitForFinish());
        EXPECT_FALSE(wizard.IsBusy());
        EXPECT_EQ(payload.ExpectedPositions(), s_positions);
        EXPECT_EQ(100, s_positions.back());
        EXPECT_EQ(std::string(3000, 'a'), Read("app.elf"));
        EXPECT_EQ("RIFF", Read("system\\key_down.wav"));
        EXPECT_EQ(std::string(20000, 'x'), Read("brimlow\\sounds\\de\\x.wav"));

        EXPECT_EQ("Fertig", wizard.ButtonText(ID_WIZNEXT));
        EXPECT_TRUE(wizard.IsButtonEnabled(ID_WIZNEXT));
        EXPECT_TRUE(wizard.IsButtonShown(ID_WIZBACK));
        EXPECT_FALSE(wizard.IsButtonEnabled(ID_WIZBACK));
        EXPECT_FALSE(wizard.IsButtonEnabled(IDCANCEL));
        // "Fertig" has the focus, so Enter finishes as the page's hint says.
        ASSERT_EQ(wizard.GetDlgItem(ID_WIZNEXT), ::GetFocus());
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
        MSG msg;
        ASSERT_TRUE(PumpUntil([&] {
            if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) &&
                !::IsDialogMessageA(wizard.m_hWnd, &msg))
                ::DispatchMessageA(&msg);
            return !wizard.IsOpen();
        }));
    });
    EXPECT_EQ(static_cast<INT_PTR>(ID_WIZFINISH), nResult);
}

TEST_F(ProgressTest, EmptyArchiveFinishesAtTheFirstTickWithTheBarAtZero) {
    CTestPayload payload{};
    wizard.Run([&] {
        ASSERT_NO_FATAL_FAILURE(Install());
        ASSERT_TRUE(WaitForFinish());
        // Moved on at the first tick: no dot was ever added.
        EXPECT_EQ("Entpacke und installiere Dateien", ItemText(progress, IDC_PROGRESS_PREFACE));
        EXPECT_TRUE(s_positions.empty());
        EXPECT_EQ(0, ::SendMessageA(progress.GetDlgItem(IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0));
    });
}

TEST_F(ProgressTest, NothingEndsTheWizardWhileTheWorkerRuns) {
    CTestPayload payload{{"a.txt", "a"}, {"b.txt", "b"}};
    const INT_PTR nResult = wizard.Run([&] {
        ASSERT_NO_FATAL_FAILURE(Install());
        for (int nID : {IDOK, IDCANCEL, static_cast<int>(ID_WIZBACK), static_cast<int>(ID_WIZNEXT),
                        static_cast<int>(ID_WIZFINISH)})
            wizard.SendCommand(nID);
        wizard.SendMessage(WM_CLOSE);
        wizard.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
        progress.SendMessage(WM_COMMAND, IDOK);
        progress.SendMessage(WM_COMMAND, IDCANCEL);
        EXPECT_TRUE(wizard.IsOpen());
        EXPECT_TRUE(IsShown(progress));
        ExpectRunning();

        ASSERT_TRUE(WaitForFinish());
        EXPECT_EQ(100, s_positions.back());
        wizard.Click(ID_WIZNEXT);
    });
    EXPECT_EQ(static_cast<INT_PTR>(ID_WIZFINISH), nResult);
}

TEST_F(ProgressTest, WorkerHasEndedWhenThePageIsDestroyed) {
    CTestPayload payload{{"a.txt", "a"}};
    HANDLE hWorker = nullptr;
    wizard.Run([&] {
        // The worker now waits for this thread to take its first bar position.
        ASSERT_NO_FATAL_FAILURE(Install());
        s_nSlowThread = progress.nWorkerThreadID;
        hWorker = ::OpenThread(SYNCHRONIZE, FALSE, progress.nWorkerThreadID);
        ASSERT_TRUE(WaitForFinish());
        wizard.Click(ID_WIZNEXT);
    });
    ASSERT_NE(nullptr, hWorker);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hWorker, 0));
    ::WaitForSingleObject(hWorker, INFINITE);
    ::CloseHandle(hWorker);
    s_nSlowThread = 0;
}

TEST_F(ProgressTest, StatusLineCyclesOneToThreeDots) {
    CTestPayload payload{{"a.txt", "a"}};
    progress.bHoldWorker = true;
    wizard.Run([&] {
        ASSERT_NO_FATAL_FAILURE(Install());
        const std::string strBase = "Entpacke und installiere Dateien";
        std::string strStatus = ItemText(progress, IDC_PROGRESS_PREFACE);
        EXPECT_EQ(strBase, strStatus);
        // The dots are process-wide, so the cycle may start anywhere.
        int nLast = 0;
        for (int i = 0; i < 5; ++i) {
            const std::string strBefore = strStatus;
            ASSERT_TRUE(
                PumpUntil([&] { return ItemText(progress, IDC_PROGRESS_PREFACE) != strBefore; }));
            strStatus = ItemText(progress, IDC_PROGRESS_PREFACE);
            const std::size_t nDots = strStatus.size() - strBase.size();
            ASSERT_EQ(strBase + std::string(nDots, '.'), strStatus);
            ASSERT_TRUE(nDots >= 1 && nDots <= 3) << strStatus;
            EXPECT_TRUE(!nLast || nLast % 3 + 1 == static_cast<int>(nDots)) << strStatus;
            nLast = static_cast<int>(nDots);
        }
        ExpectRunning();
        progress.ReleaseWorker();
        ASSERT_TRUE(WaitForFinish());
    });
}

TEST_F(ProgressTest, MissingArchiveIsReportedAndCancelLeaves) {
    CBoxWatcher errors("Error", IDOK);
    CBoxWatcher confirmations("Korvanu 1.1-Installation", IDYES);
    const INT_PTR nResult = wizard.Run([&] {
        ASSERT_NO_FATAL_FAILURE(Install());
        ASSERT_TRUE(PumpUntil([&] { return wizard.IsButtonEnabled(IDCANCEL); }));
        ExpectReleased();
        EXPECT_TRUE(IsShown(progress));
        wizard.Click(IDCANCEL);
        PumpUntil([&] { return !wizard.IsOpen(); });
    });
    EXPECT_EQ(IDCANCEL, nResult);
    const std::vector<SBoxSeen> seen = errors.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Fail to open resource.", seen[0].strText);
    EXPECT_EQ(nullptr, seen[0].hOwner);
}

TEST_F(ProgressTest, WorkerThatCannotStartIsReported) {
    CTestPayload payload{{"a.txt", "a"}};
    CBoxWatcher errors("Fehler", IDOK);
    progress.bFailWorker = true;
    HWND hFrame = nullptr;
    wizard.Run([&] {
        hFrame = wizard.m_hWnd;
        ASSERT_NO_FATAL_FAILURE(Install());
        EXPECT_EQ(1, progress.nWorkerStarts);
        ExpectReleased();
        // No worker will report: the page must not move on by itself.
        PumpUntil([] { return false; }, 2 * kTick);
        EXPECT_TRUE(IsShown(progress));
    });
    const std::vector<SBoxSeen> seen = errors.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_NE(std::string::npos, seen[0].strText.find("Arbeitsthread")) << seen[0].strText;
    EXPECT_EQ(hFrame, seen[0].hOwner);
}

TEST_F(ProgressTest, TimerThatCannotStartIsReportedBeforeAnyWorker) {
    CTestPayload payload{{"a.txt", "a"}};
    CBoxWatcher errors("Fehler", IDOK);
    progress.bFailTimer = true;
    wizard.Run([&] {
        ASSERT_NO_FATAL_FAILURE(Install());
        EXPECT_EQ(0, progress.nWorkerStarts);
        ExpectReleased();
    });
    const std::vector<SBoxSeen> seen = errors.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_NE(std::string::npos, seen[0].strText.find("Zeitgeber")) << seen[0].strText;
}

} // namespace
