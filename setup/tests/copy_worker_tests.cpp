// The copying thread: start event, install directory, missing source, the end message and a
// cancel that races the copy.
#include "copy_test_support.h"
#include "copy_tree.h"
#include "copy_worker.h"
#include "scratch_drive.h"
#include "setup_globals.h"

#include <condition_variable>
#include <mutex>

namespace {

using scratch::read_file;

class CopyWorkerTest : public CopyTest {
protected:
    void SetUp() override {
        CopyTest::SetUp();
        // The worker starts from the directory that holds the source tree, entry 1.
        ASSERT_TRUE(SetCurrentDirectoryA(m_base.c_str()));
        g_strInstallDir = (m_base + "\\Install\\Here").c_str();
    }
    void TearDown() override {
        FreeConfigLines(g_iniLines);
        g_strInstallDir.Empty();
        CopyTest::TearDown();
    }

    static DWORD WINAPI ThreadProc(LPVOID pParam) { return CopyWorker(pParam); }

    // Runs CopyWorker on its own thread, as the progress dialog does, and waits for its end.
    void RunWorker(HWND hwndProgress) {
        CopyThreadParams params = {hwndProgress, &m_feedback};
        SetEvent(g_startEvent);
        const HANDLE hThread = CreateThread(nullptr, 0, ThreadProc, &params, 0, nullptr);
        ASSERT_NE(hThread, nullptr);
        EXPECT_EQ(WaitForSingleObject(hThread, INFINITE), WAIT_OBJECT_0);
        CloseHandle(hThread);
    }
};

TEST_F(CopyWorkerTest, CopiesTheSourceTreeIntoANewInstallDirectory) {
    ParseLines(kIniFile, "src\r\n");
    MakeSource("a.txt", "a");
    MakeSource("Sub\\b.txt", "b");

    RunWorker(nullptr);

    EXPECT_EQ(read_file(scratch::host_path(m_base + "\\Install\\Here\\a.txt")), "a");
    EXPECT_EQ(read_file(scratch::host_path(m_base + "\\Install\\Here\\Sub\\b.txt")), "b");
    EXPECT_TRUE(m_feedback.missingSourceMessages.empty());
}

TEST_F(CopyWorkerTest, AMissingSourceIsReportedOnceAndTheInstallDirectoryStillMade) {
    ParseLines(kIniFile, "NoSuchDir\r\n");

    RunWorker(nullptr);

    EXPECT_EQ(m_feedback.missingSourceMessages,
              (std::vector<std::string>{"The book's files are supposed to be in a directory named "
                                        "'NoSuchDir'. Setup can't find this directory so it's "
                                        "exiting."}));
    EXPECT_TRUE(std::filesystem::is_directory(scratch::host_path(m_base + "\\Install\\Here")));
    EXPECT_TRUE(m_feedback.shownNames.empty());
}

TEST_F(CopyWorkerTest, ASourceUnderAMissingParentIsNotCopiedFromTheWrongPlace) {
    // The attribute query fails with "path not found", which counts as present; the copy
    // must not go on from the current directory instead.
    ParseLines(kIniFile, "Missing\\Parent\\src\r\n");
    MakeSource("a.txt", "a");

    RunWorker(nullptr);

    EXPECT_EQ(m_feedback.missingSourceMessages.size(), 1u);
    EXPECT_TRUE(m_feedback.shownNames.empty());
    EXPECT_TRUE(FilesUnder(scratch::host_path(m_base + "\\Install\\Here")).empty());
}

TEST_F(CopyWorkerTest, PostsCopyDoneToTheProgressWindowAtTheEnd) {
    ParseLines(kIniFile, "src\r\n");
    MakeSource("a.txt", "a");
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "CopyProgressStandIn";
    RegisterClassA(&windowClass);
    const HWND hwnd = CreateWindowExA(0, "CopyProgressStandIn", "Progress", WS_OVERLAPPED, 0, 0,
                                      100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);

    RunWorker(hwnd);

    MSG msg = {};
    EXPECT_TRUE(PeekMessageA(&msg, hwnd, WM_COPYDONE, WM_COPYDONE, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_COPYDONE));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_EQ(msg.lParam, 0);
    DestroyWindow(hwnd);
}

// Blocks the copy at its first overwrite prompt until the test answers it.
class GatedFeedback : public ScriptedFeedback {
public:
    ReplaceAnswer AskReplace(const CReplaceQuestion& question) override {
        ScriptedFeedback::AskReplace(question);
        std::unique_lock lock(m_mutex);
        m_asking = true;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_answered; });
        return kReplaceYes;
    }
    void WaitUntilAsking() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_asking; });
    }
    void Answer() {
        std::lock_guard lock(m_mutex);
        m_answered = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_asking = false;
    bool m_answered = false;
};

TEST_F(CopyWorkerTest, ACancelDuringAPromptTakesEffectWhenThePromptIsAnswered) {
    ParseLines(kIniFile, "src\r\n");
    for (const char* name : {"a.txt", "b.txt", "c.txt", "Sub\\d.txt", "Sub\\e.txt"})
        MakeSource(name, "new");
    MakeSource("Sub\\clash.txt", "new");
    scratch::write_file(scratch::host_path(m_base + "\\Install\\Here\\Sub\\clash.txt"), "old");

    GatedFeedback feedback;
    CopyThreadParams params = {nullptr, &feedback};
    SetEvent(g_startEvent);
    const HANDLE hThread = CreateThread(nullptr, 0, ThreadProc, &params, 0, nullptr);
    ASSERT_NE(hThread, nullptr);

    feedback.WaitUntilAsking();
    CancelCopy(); // what the progress dialog's Cancel does, from this thread
    feedback.Answer();
    EXPECT_EQ(WaitForSingleObject(hThread, INFINITE), WAIT_OBJECT_0);
    CloseHandle(hThread);

    // The answer Yes still replaced the file in hand; nothing came after it.
    EXPECT_EQ(read_file(scratch::host_path(m_base + "\\Install\\Here\\Sub\\clash.txt")), "new");
    ASSERT_FALSE(feedback.shownNames.empty());
    EXPECT_EQ(feedback.shownNames.back(), "clash.txt");
    EXPECT_TRUE(g_bCancelled);
}

// Signals the first file it is shown, so the test can cancel while the copy is under way.
class SignallingFeedback : public ScriptedFeedback {
public:
    void ShowCurrentFile(const CString& strSourceName, const CString& strTargetPath) override {
        ScriptedFeedback::ShowCurrentFile(strSourceName, strTargetPath);
        std::lock_guard lock(m_mutex);
        m_started = true;
        m_changed.notify_all();
    }
    void WaitUntilStarted() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_started; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_started = false;
};

TEST_F(CopyWorkerTest, ACancelRacingTheCopyStopsItCleanly) {
    ParseLines(kIniFile, "src\r\n");
    for (int directory = 0; directory < 8; ++directory)
        for (int file = 0; file < 25; ++file)
            MakeSource("D" + std::to_string(directory) + "\\f" + std::to_string(file) + ".txt",
                       std::string(200, 'x'));

    SignallingFeedback feedback;
    CopyThreadParams params = {nullptr, &feedback};
    SetEvent(g_startEvent);
    const HANDLE hThread = CreateThread(nullptr, 0, ThreadProc, &params, 0, nullptr);
    ASSERT_NE(hThread, nullptr);
    feedback.WaitUntilStarted();
    CancelCopy();
    EXPECT_EQ(WaitForSingleObject(hThread, INFINITE), WAIT_OBJECT_0);
    CloseHandle(hThread);

    EXPECT_TRUE(g_bCancelled);
    // Whatever point the cancel reached, the copy never went past the file it had in hand.
    const size_t copied = FilesUnder(scratch::host_path(m_base + "\\Install\\Here")).size();
    EXPECT_LE(copied, feedback.shownNames.size() + 8);
}

} // namespace
