// The single-document architecture end to end: start-up through the command line, the frame,
// view and document a template makes, command routing, Save As and Open through the file
// dialog, the save prompt, a damaged file, and the recent-file list kept in the registry.
#include "docview_test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class DocViewTest : public ::testing::Test {
protected:
    CItemApp m_app;
    CStepRunner m_steps;

    void SetUp() override {
        g_docviewTrace.clear();
        ClearRecentFiles();
    }

    void TearDown() override {
        if (m_app.m_pMainWnd)
            m_app.m_pMainWnd->DestroyWindow();
        DrainDialogTestQueue();
    }

    static void ClearRecentFiles() {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tellurion\\DocTest\\Recent File List");
    }

    // Starts the application with this command line.
    BOOL Start(const char* commandLine = "") {
        m_commandLine = commandLine;
        m_app.m_lpCmdLine = m_commandLine.data();
        return m_app.InitInstance();
    }

    CItemFrame* Frame() const { return dynamic_cast<CItemFrame*>(m_app.m_pMainWnd); }
    CItemView* View() const { return dynamic_cast<CItemView*>(Frame()->GetActiveView()); }
    CItemDoc* Doc() const { return dynamic_cast<CItemDoc*>(Frame()->GetActiveDocument()); }

    std::string Caption() const {
        char buffer[256] = {};
        ::GetWindowTextA(Frame()->m_hWnd, buffer, sizeof buffer);
        return buffer;
    }

    // Sends a menu command to the main frame, running the steps added so far inside whatever
    // modal loop the command opens.
    void Command(UINT nID) {
        if (!m_steps.Done())
            m_steps.Start();
        Frame()->SendMessage(WM_COMMAND, nID, 0);
        EXPECT_TRUE(m_steps.Done()) << "a step expected a modal loop that never ran";
    }

    // Saves the current document under the name through Save As.
    void SaveAs(const std::string& typed) {
        m_steps.Add([typed] { ChooseFileInDialog(typed); });
        Command(ID_FILE_SAVE_AS);
    }

    std::string RecentFile(int n) const {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tellurion\\DocTest\\Recent File List", 0,
                            KEY_READ, &key) != ERROR_SUCCESS)
            return std::string();
        char value[MAX_PATH] = {};
        DWORD size = sizeof value;
        DWORD type = 0;
        const std::string entry = "File" + std::to_string(n);
        const LONG result = ::RegQueryValueExA(key, entry.c_str(), nullptr, &type,
                                               reinterpret_cast<LPBYTE>(value), &size);
        ::RegCloseKey(key);
        return result == ERROR_SUCCESS && type == REG_SZ ? value : std::string();
    }

    std::string m_commandLine;
};

// The bytes the document's array writes for items of these values: the count, the class record
// ("CDocItem", schema 1) on the first item and class references (0x8001) after it, each
// item's LONG.
std::string ItemFileBytes(const std::vector<LONG>& values) {
    std::string bytes;
    bytes += char(values.size());
    bytes += char(0);
    for (size_t i = 0; i < values.size(); ++i) {
        if (i == 0)
            bytes += std::string("\xFF\xFF\x01\x00\x08\x00", 6) + "CDocItem";
        else
            bytes += std::string("\x01\x80", 2);
        for (int shift = 0; shift < 32; shift += 8)
            bytes += char((DWORD(values[i]) >> shift) & 0xFF);
    }
    return bytes;
}

TEST_F(DocViewTest, StartUpMakesAnUntitledDocumentInItsFrame) {
    ASSERT_TRUE(Start());
    ASSERT_NE(nullptr, Frame());
    EXPECT_EQ("Untitled - DocTest", Caption());
    CItemDoc* pDoc = Doc();
    ASSERT_NE(nullptr, pDoc);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
    EXPECT_EQ(0, pDoc->GetItemCount());

    // One view, the frame's first pane, covering the client area; initial update ran once.
    POSITION pos = pDoc->GetFirstViewPosition();
    ASSERT_NE(nullptr, pos);
    CView* pView = pDoc->GetNextView(pos);
    EXPECT_EQ(nullptr, pos);
    EXPECT_EQ(View(), pView);
    EXPECT_EQ(AFX_IDW_PANE_FIRST, pView->GetDlgCtrlID());
    EXPECT_EQ(Frame(), pView->GetParentFrame());
    EXPECT_EQ(pDoc, pView->GetDocument());
    EXPECT_EQ(1, View()->m_nInitialUpdates);
    CRect client;
    CRect viewRect;
    Frame()->GetClientRect(&client);
    pView->GetWindowRect(&viewRect);
    EXPECT_EQ(client.Width(), viewRect.Width());
    EXPECT_EQ(client.Height(), viewRect.Height());
    EXPECT_TRUE(Frame()->IsWindowVisible());
    // The template's menu is the frame's.
    ASSERT_NE(nullptr, ::GetMenu(Frame()->m_hWnd));
    EXPECT_EQ(IDM_DOC_COMMAND,
              int(::GetMenuItemID(::GetSubMenu(::GetMenu(Frame()->m_hWnd), 1), 0)));
}

TEST_F(DocViewTest, CommandsReachTheViewThenTheDocumentThenTheFrameThenTheApplication) {
    ASSERT_TRUE(Start());
    Command(IDM_VIEW_COMMAND);
    Command(IDM_DOC_COMMAND);
    Command(IDM_APP_COMMAND);
    Command(IDM_SHARED_COMMAND); // the view comes first
    EXPECT_EQ("VDAv", g_docviewTrace);

    // The update handler of a document command found through the frame's route.
    g_docviewTrace.clear();
    CMenu* pTestMenu = CMenu::FromHandle(::GetSubMenu(::GetMenu(Frame()->m_hWnd), 1));
    Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pTestMenu->m_hMenu), 1);
    EXPECT_EQ("u", g_docviewTrace);
    EXPECT_EQ(UINT(MF_CHECKED),
              pTestMenu->GetMenuState(IDM_DOC_COMMAND, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(0u, pTestMenu->GetMenuState(IDM_VIEW_COMMAND, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(DocViewTest, UpdateAllViewsSkipsTheSenderAndPassesTheHint) {
    ASSERT_TRUE(Start());
    // The initial update's own OnUpdate call carries no hint.
    ASSERT_EQ(1u, View()->m_hints.size());
    EXPECT_EQ(nullptr, View()->m_hints[0]);
    View()->m_hints.clear();
    CDocItem* pItem = Doc()->AddItem(5);
    ASSERT_EQ(1u, View()->m_hints.size());
    EXPECT_EQ(pItem, View()->m_hints[0]);
    Doc()->AddItem(6, View());
    EXPECT_EQ(1u, View()->m_hints.size()) << "the sender is not told";
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(DocViewTest, SaveAsWritesTheArchiveAndRenamesTheDocument) {
    ASSERT_TRUE(Start());
    Doc()->AddItem(7);
    Doc()->AddItem(-1);
    // Typed without an extension: the template's ".itm" is added.
    SaveAs(DocviewWindowsPath("first"));
    EXPECT_EQ(ItemFileBytes({7, -1}), DocviewHostContents("first.itm"));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(CString(DocviewWindowsPath("first.itm").c_str()), Doc()->GetPathName());
    EXPECT_EQ("first.itm", std::string(Doc()->GetTitle()));
    EXPECT_EQ("first.itm - DocTest", Caption());
    EXPECT_EQ(DocviewWindowsPath("first.itm"), RecentFile(1));

    // Save writes to the same file without asking.
    Doc()->AddItem(3);
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ItemFileBytes({7, -1, 3}), DocviewHostContents("first.itm"));
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(DocViewTest, SaveAsOverAnExistingFileAsksFirst) {
    ASSERT_TRUE(Start());
    { std::ofstream(DocviewHostDir() + "/existing.itm") << "keep"; }
    Doc()->AddItem(1);
    MessageBoxSeen seen;
    m_steps.Add([] { ChooseFileInDialog(DocviewWindowsPath("existing.itm")); });
    m_steps.Add([&seen] { seen = AnswerMessageBox(IDNO); });
    m_steps.Add([] { PressDialogButton(::GetActiveWindow(), IDCANCEL); });
    Command(ID_FILE_SAVE_AS);
    EXPECT_NE(std::string::npos, seen.text.find("already exists")) << seen.text;
    EXPECT_EQ("keep", DocviewHostContents("existing.itm"));
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ("Untitled - DocTest", Caption());

    m_steps.Add([] { ChooseFileInDialog(DocviewWindowsPath("existing.itm")); });
    m_steps.Add([] { AnswerMessageBox(IDYES); });
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(ItemFileBytes({1}), DocviewHostContents("existing.itm"));
}

TEST_F(DocViewTest, OpenLoadsTheFileIntoTheOneDocument) {
    ASSERT_TRUE(Start());
    Doc()->AddItem(11);
    Doc()->AddItem(12);
    SaveAs(DocviewWindowsPath("pair.itm"));
    CItemDoc* pDoc = Doc();

    Command(ID_FILE_NEW);
    EXPECT_EQ(pDoc, Doc()) << "a single-document program reuses its document";
    EXPECT_EQ(0, Doc()->GetItemCount());
    EXPECT_EQ("Untitled - DocTest", Caption());
    EXPECT_EQ(2, View()->m_nInitialUpdates);

    m_steps.Add([] { ChooseFileInDialog(DocviewWindowsPath("pair.itm")); });
    Command(ID_FILE_OPEN);
    ASSERT_EQ(2, Doc()->GetItemCount());
    EXPECT_EQ(11, Doc()->GetItem(0)->m_nValue);
    EXPECT_EQ(12, Doc()->GetItem(1)->m_nValue);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ("pair.itm - DocTest", Caption());
    EXPECT_EQ(3, View()->m_nInitialUpdates);
}

TEST_F(DocViewTest, OpenRefusesAMissingFileInTheDialog) {
    ASSERT_TRUE(Start());
    MessageBoxSeen seen;
    m_steps.Add([] { ChooseFileInDialog(DocviewWindowsPath("missing.itm")); });
    m_steps.Add([&seen] { seen = AcknowledgeMessageBox(); });
    m_steps.Add([] { PressDialogButton(::GetActiveWindow(), IDCANCEL); });
    Command(ID_FILE_OPEN);
    EXPECT_NE(std::string::npos, seen.text.find("File not found")) << seen.text;
    EXPECT_EQ("Untitled - DocTest", Caption());
}

TEST_F(DocViewTest, ModifiedDocumentAsksBeforeItIsReplaced) {
    ASSERT_TRUE(Start());
    Doc()->AddItem(1);

    // Cancel: nothing happens.
    MessageBoxSeen seen;
    m_steps.Add([&seen] { seen = AnswerMessageBox(IDCANCEL); });
    Command(ID_FILE_NEW);
    EXPECT_EQ("Save changes to Untitled?", seen.text);
    EXPECT_EQ("DocTest", seen.caption);
    EXPECT_EQ(1, Doc()->GetItemCount());
    EXPECT_TRUE(Doc()->IsModified());

    // Yes: Save As first (no file yet), then the new document.
    m_steps.Add([] { AnswerMessageBox(IDYES); });
    m_steps.Add([] { ChooseFileInDialog(DocviewWindowsPath("asked.itm")); });
    Command(ID_FILE_NEW);
    EXPECT_EQ(ItemFileBytes({1}), DocviewHostContents("asked.itm"));
    EXPECT_EQ(0, Doc()->GetItemCount());

    // No: the changes are dropped.
    Doc()->AddItem(2);
    m_steps.Add([] { AnswerMessageBox(IDNO); });
    Command(ID_FILE_NEW);
    EXPECT_EQ(0, Doc()->GetItemCount());
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(ItemFileBytes({1}), DocviewHostContents("asked.itm"));
}

TEST_F(DocViewTest, ClosingTheFrameAsksAndCancelKeepsItOpen) {
    ASSERT_TRUE(Start());
    Doc()->AddItem(1);
    m_steps.Add([] { AnswerMessageBox(IDCANCEL); });
    m_steps.Start();
    Frame()->SendMessage(WM_CLOSE);
    ASSERT_NE(nullptr, m_app.m_pMainWnd);
    EXPECT_TRUE(::IsWindow(Frame()->m_hWnd));

    m_steps.Add([] { AnswerMessageBox(IDNO); });
    m_steps.Start();
    const HWND frame = Frame()->m_hWnd;
    Frame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
    EXPECT_FALSE(::IsWindow(frame));
}

TEST_F(DocViewTest, ExitCommandClosesTheMainFrameAfterAsking) {
    ASSERT_TRUE(Start());
    Doc()->AddItem(1);
    MessageBoxSeen seen;
    m_steps.Add([&seen] { seen = AnswerMessageBox(IDNO); });
    const HWND frame = Frame()->m_hWnd;
    Command(ID_APP_EXIT);
    EXPECT_EQ("Save changes to Untitled?", seen.text);
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
    EXPECT_FALSE(::IsWindow(frame));
}

TEST_F(DocViewTest, DamagedFileIsReportedAndLeavesAnEmptyDocument) {
    ASSERT_TRUE(Start());
    Doc()->AddItem(4);
    SaveAs(DocviewWindowsPath("good.itm"));
    // A class name the program does not know.
    {
        std::ofstream(DocviewHostDir() + "/bad.itm", std::ios::binary)
            << std::string("\x01\x00\xFF\xFF\x01\x00\x03\x00"
                           "CXy",
                           11);
    }
    MessageBoxSeen seen;
    m_steps.Add([&seen] { seen = AcknowledgeMessageBox(); });
    m_steps.Start();
    EXPECT_EQ(nullptr, m_app.OpenDocumentFile(DocviewWindowsPath("bad.itm").c_str()));
    EXPECT_TRUE(m_steps.Done());
    EXPECT_NE(std::string::npos, seen.text.find("bad.itm")) << seen.text;
    EXPECT_EQ(0, Doc()->GetItemCount());
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ("Untitled - DocTest", Caption());
    EXPECT_EQ(DocviewWindowsPath("good.itm"), RecentFile(1)) << "a failed open is not recent";
}

TEST_F(DocViewTest, CommandLineFileIsOpenedAtStartUp) {
    {
        std::ofstream(DocviewHostDir() + "/start.itm", std::ios::binary)
            << ItemFileBytes({9, 8, 7});
    }
    const std::string commandLine = "\"" + DocviewWindowsPath("start.itm") + "\"";
    ASSERT_TRUE(Start(commandLine.c_str()));
    ASSERT_EQ(3, Doc()->GetItemCount());
    EXPECT_EQ(8, Doc()->GetItem(1)->m_nValue);
    EXPECT_EQ("start.itm - DocTest", Caption());
    EXPECT_EQ(DocviewWindowsPath("start.itm"), RecentFile(1));
}

TEST_F(DocViewTest, CommandLineFileThatCannotBeOpenedFailsStartUp) {
    MessageBoxSeen seen;
    m_steps.Add([&seen] { seen = AcknowledgeMessageBox(); });
    m_steps.Start();
    const std::string commandLine = DocviewWindowsPath("absent.itm");
    EXPECT_FALSE(Start(commandLine.c_str()));
    EXPECT_TRUE(m_steps.Done());
    EXPECT_NE(std::string::npos, seen.text.find("absent.itm")) << seen.text;
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
}

TEST_F(DocViewTest, RecentFilesAreKeptNewestFirstAndShownInTheMenu) {
    ASSERT_TRUE(Start());
    Doc()->AddItem(1);
    SaveAs(DocviewWindowsPath("one.itm"));
    Doc()->AddItem(2);
    SaveAs(DocviewWindowsPath("two.itm"));
    EXPECT_EQ(DocviewWindowsPath("two.itm"), RecentFile(1));
    EXPECT_EQ(DocviewWindowsPath("one.itm"), RecentFile(2));
    EXPECT_EQ("", RecentFile(3));

    // The menu lists them by name when they lie in the current directory.
    ::SetCurrentDirectoryA(DocviewWindowsPath("").c_str());
    CMenu* pFileMenu = CMenu::FromHandle(::GetSubMenu(::GetMenu(Frame()->m_hWnd), 0));
    Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pFileMenu->m_hMenu), 0);
    CString first;
    CString second;
    pFileMenu->GetMenuString(ID_FILE_MRU_FILE1, first, MF_BYCOMMAND);
    pFileMenu->GetMenuString(ID_FILE_MRU_FILE2, second, MF_BYCOMMAND);
    EXPECT_EQ("&1 two.itm", std::string(first));
    EXPECT_EQ("&2 one.itm", std::string(second));
    EXPECT_EQ(0u, pFileMenu->GetMenuState(ID_FILE_MRU_FILE2, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(UINT(-1), pFileMenu->GetMenuState(ID_FILE_MRU_FILE3, MF_BYCOMMAND));

    // The second entry opens its file, which becomes the first.
    Command(ID_FILE_MRU_FILE2);
    EXPECT_EQ("one.itm - DocTest", Caption());
    ASSERT_EQ(1, Doc()->GetItemCount());
    EXPECT_EQ(DocviewWindowsPath("one.itm"), RecentFile(1));
    EXPECT_EQ(DocviewWindowsPath("two.itm"), RecentFile(2));

    // The settings file holds the list.
    const std::string settings = [] {
        std::ifstream file(DocviewHostDir() + "/config/mullion/user.reg");
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }();
    EXPECT_NE(std::string::npos, settings.find("Tellurion\\DocTest\\Recent File List"));
}

TEST_F(DocViewTest, RecentFileListIsReadBackAndLimitedToItsSize) {
    ASSERT_TRUE(Start());
    for (const char* name : {"r1.itm", "r2.itm", "r3.itm", "r4.itm", "r5.itm"})
        SaveAs(DocviewWindowsPath(name));
    EXPECT_EQ(DocviewWindowsPath("r5.itm"), RecentFile(1));
    EXPECT_EQ(DocviewWindowsPath("r2.itm"), RecentFile(4));
    EXPECT_EQ("", RecentFile(5)) << "four entries at most";

    // Another run of the program reads the same list.
    CRecentFileList list(0, "Recent File List", "File%d", 4);
    list.ReadList();
    EXPECT_EQ(CString(DocviewWindowsPath("r5.itm").c_str()), list[0]);
    EXPECT_EQ(CString(DocviewWindowsPath("r2.itm").c_str()), list[3]);
}

TEST_F(DocViewTest, EmptyRecentFileListKeepsItsItemDisabled) {
    ASSERT_TRUE(Start());
    CMenu* pFileMenu = CMenu::FromHandle(::GetSubMenu(::GetMenu(Frame()->m_hWnd), 0));
    Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pFileMenu->m_hMenu), 0);
    CString text;
    pFileMenu->GetMenuString(ID_FILE_MRU_FILE1, text, MF_BYCOMMAND);
    EXPECT_EQ("Recent File", std::string(text));
    EXPECT_EQ(UINT(MF_GRAYED),
              pFileMenu->GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
}

std::string ClassesValue(const char* key) {
    char value[MAX_PATH] = {};
    LONG size = sizeof value;
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) != ERROR_SUCCESS)
        return "<missing>";
    return value;
}

TEST_F(DocViewTest, ShellFileTypesComeFromTheDocumentString) {
    ::RegSetValueA(HKEY_CLASSES_ROOT, ".itm", REG_SZ, "", 0);
    ASSERT_TRUE(Start());
    m_app.RegisterShellFileTypes(TRUE);
    EXPECT_EQ("DocTest.Document", ClassesValue(".itm"));
    EXPECT_EQ("DocTest Document", ClassesValue("DocTest.Document"));
    const std::string open = ClassesValue("DocTest.Document\\shell\\open\\command");
    ASSERT_GE(open.size(), 5u);
    EXPECT_EQ(" \"%1\"", open.substr(open.size() - 5)) << open;
    EXPECT_NE("<missing>", ClassesValue("DocTest.Document\\shell\\print\\command"));

    // An extension another type owns keeps its owner.
    ::RegSetValueA(HKEY_CLASSES_ROOT, ".itm", REG_SZ, "Other.Type", 10);
    m_app.RegisterShellFileTypes(FALSE);
    EXPECT_EQ("Other.Type", ClassesValue(".itm"));
}

} // namespace
