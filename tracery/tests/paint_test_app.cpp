#include "paint_test_app.h"

#include "tracery_tests.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

IMPLEMENT_DYNCREATE(CPaintTestFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CPaintTestFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_MEASUREITEM()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

int CPaintTestFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    MakeColorItemsOwnerDrawn(GetMenu());
    return 0;
}

void CPaintTestFrame::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    ++m_nMeasureRequests;
    MeasureColorItem(lpMeasureItemStruct);
}

void CPaintTestFrame::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    ++m_nDrawRequests;
    DrawColorItem(lpDrawItemStruct);
}

BEGIN_MESSAGE_MAP(CPaintTestApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

BOOL CPaintTestApp::InitInstance() {
    SetRegistryKey("Tellurion");
    LoadStdProfileSettings(4);
    CPaintView::s_nIDContextMenu = IDR_PAINTCONTEXT;
    AddDocTemplate(new CSingleDocTemplate(IDR_PAINTTYPE, RUNTIME_CLASS(CPaintDoc),
                                          RUNTIME_CLASS(CPaintTestFrame),
                                          RUNTIME_CLASS(CPaintView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    return ProcessShellCommand(cmdInfo);
}

LRESULT CStepRunner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kStep)
        return CWnd::WindowProc(message, wParam, lParam);
    if (m_steps.empty())
        return 0;
    auto step = std::move(m_steps.front());
    m_steps.pop_front();
    if (!m_steps.empty())
        PostMessage(kStep);
    step();
    return 0;
}

namespace {

// The registry and the scratch files live in one temporary directory, chosen before any test
// reads the registry.
std::string make_scratch_dir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/mullion-tracery-XXXXXX";
    if (!mkdtemp(pattern.data()))
        std::abort();
    setenv("XDG_CONFIG_HOME", (pattern + "/config").c_str(), 1);
    return pattern;
}

const std::string g_scratchDir = make_scratch_dir();

class ScratchCleanup : public ::testing::Environment {
public:
    void TearDown() override { std::filesystem::remove_all(g_scratchDir); }
};

[[maybe_unused]] ::testing::Environment* const g_cleanup =
    ::testing::AddGlobalTestEnvironment(new ScratchCleanup);

} // namespace

std::string ScratchHostPath(const std::string& name) {
    return g_scratchDir + "/" + name;
}

std::string ScratchWindowsPath(const std::string& name) {
    std::string path = "Z:" + ScratchHostPath(name);
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

void DrainQueue() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT)
            ::DispatchMessageA(&msg);
}
