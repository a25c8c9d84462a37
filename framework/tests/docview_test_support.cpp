#include "docview_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

std::string g_docviewTrace;

IMPLEMENT_SERIAL(CDocItem, CObject, 1)
IMPLEMENT_DYNCREATE(CItemDoc, CDocument)
IMPLEMENT_DYNCREATE(CItemView, CView)
IMPLEMENT_DYNCREATE(CItemFrame, CFrameWnd)

void CDocItem::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring())
        ar << m_nValue;
    else
        ar >> m_nValue;
}

BEGIN_MESSAGE_MAP(CItemDoc, CDocument)
ON_COMMAND(IDM_DOC_COMMAND, OnDocCommand)
ON_COMMAND(IDM_SHARED_COMMAND, OnSharedCommand)
END_MESSAGE_MAP()

CDocItem* CItemDoc::AddItem(LONG nValue, CView* pSender) {
    auto* pItem = new CDocItem(nValue);
    m_items.Add(pItem);
    SetModifiedFlag();
    UpdateAllViews(pSender, 0, pItem);
    return pItem;
}

void CItemDoc::DeleteContents() {
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        delete m_items[i];
    m_items.RemoveAll();
}

void CItemDoc::Serialize(CArchive& ar) {
    m_items.Serialize(ar);
}

BEGIN_MESSAGE_MAP(CItemView, CView)
ON_COMMAND(IDM_VIEW_COMMAND, OnViewCommand)
ON_COMMAND(IDM_SHARED_COMMAND, OnSharedCommand)
END_MESSAGE_MAP()

void CItemView::OnInitialUpdate() {
    ++m_nInitialUpdates;
    m_hints.clear();
    CView::OnInitialUpdate();
}

void CItemView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) {
    m_hints.push_back(pHint);
    CView::OnUpdate(pSender, lHint, pHint);
}

BEGIN_MESSAGE_MAP(CItemFrame, CFrameWnd)
ON_COMMAND(IDM_SHARED_COMMAND, OnSharedCommand)
ON_UPDATE_COMMAND_UI(IDM_DOC_COMMAND, OnUpdateDocCommand)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CItemApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
ON_COMMAND(IDM_APP_COMMAND, OnAppCommand)
ON_COMMAND(IDM_SHARED_COMMAND, OnSharedCommand)
END_MESSAGE_MAP()

BOOL CItemApp::InitInstance() {
    SetRegistryKey("Tellurion");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_DOCTYPE, RUNTIME_CLASS(CItemDoc),
                                          RUNTIME_CLASS(CItemFrame), RUNTIME_CLASS(CItemView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    return ProcessShellCommand(cmdInfo);
}

namespace {

// The registry and the scratch files of this test process live in one temporary directory,
// chosen before any test (and so before the registry is first read).
std::string make_scratch_dir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/mullion-docview-XXXXXX";
    if (!mkdtemp(pattern.data()))
        std::abort();
    setenv("XDG_CONFIG_HOME", (pattern + "/config").c_str(), 1);
    return pattern;
}

class ScratchCleanup : public ::testing::Environment {
public:
    void TearDown() override { std::filesystem::remove_all(DocviewHostDir()); }
};

const std::string g_scratchDir = make_scratch_dir();
[[maybe_unused]] ::testing::Environment* const g_cleanup =
    ::testing::AddGlobalTestEnvironment(new ScratchCleanup);

} // namespace

const std::string& DocviewHostDir() {
    return g_scratchDir;
}

std::string DocviewWindowsPath(const std::string& name) {
    std::string path = "Z:" + g_scratchDir + "/" + name;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

std::string DocviewHostContents(const std::string& name) {
    std::ifstream file(g_scratchDir + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void ChooseFileInDialog(const std::string& text) {
    const HWND dialog = ::GetActiveWindow();
    // The file dialog's name edit (the classic identifier).
    ::SetDlgItemTextA(dialog, 1152, text.c_str());
    PressDialogButton(dialog, IDOK);
}

MessageBoxSeen AnswerMessageBox(int nButtonID) {
    MessageBoxSeen seen;
    const HWND box = ::GetActiveWindow();
    if (!::GetDlgItem(box, 0xFFFE))
        return seen;
    char buffer[512] = {};
    ::GetDlgItemTextA(box, 0xFFFE, buffer, sizeof buffer);
    seen.text = buffer;
    ::GetWindowTextA(box, buffer, sizeof buffer);
    seen.caption = buffer;
    seen.owner = ::GetWindow(box, GW_OWNER);
    PressDialogButton(box, nButtonID);
    return seen;
}
