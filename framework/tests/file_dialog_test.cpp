// The Open and Save As dialogs through CFileDialog and GetOpenFileNameA: what they list, how a
// typed pattern, directory or name is taken, what they return, and how they refuse bad
// requests.
#include "docview_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

// The file dialog's controls.
const int kNameEdit = 1152;
const int kFileList = 1120;
const int kDirectoryList = 1121;
const int kDirectoryLabel = 1088;
const int kFilterList = 1136;

std::vector<std::string> ListItems(HWND dialog, int id) {
    std::vector<std::string> items;
    const HWND list = ::GetDlgItem(dialog, id);
    const int count = int(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[MAX_PATH] = {};
        ::SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::string ItemText(HWND dialog, int id) {
    char text[MAX_PATH] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool Contains(const std::vector<std::string>& items, const std::string& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

class FileDialogTest : public ::testing::Test {
protected:
    CWinApp m_app{"Dialog test"};
    CStepRunner m_steps;
    std::string m_dir = DocviewWindowsPath("dialog");

    void SetUp() override {
        const std::string host = DocviewHostDir() + "/dialog";
        std::filesystem::create_directories(host + "/sub");
        std::ofstream(host + "/a.itm") << "a";
        std::ofstream(host + "/b.txt") << "b";
        std::ofstream(host + "/sub/c.txt") << "c";
    }
    void TearDown() override {
        std::filesystem::remove_all(DocviewHostDir() + "/dialog");
        DrainDialogTestQueue();
    }

    INT_PTR Run(CFileDialog& dialog) {
        m_steps.Start();
        const INT_PTR result = dialog.DoModal();
        EXPECT_TRUE(m_steps.Done()) << "a step expected the dialog";
        return result;
    }
};

TEST_F(FileDialogTest, ListsMatchingFilesSubdirectoriesAndFilters) {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST,
                       "Item Files (*.itm)|*.itm|All Files (*.*)|*.*||");
    dialog.m_ofn.lpstrInitialDir = m_dir.c_str();
    std::vector<std::string> files;
    std::vector<std::string> allFiles;
    std::vector<std::string> directories;
    std::vector<std::string> filters;
    std::string label;
    std::string name;
    std::string caption;
    m_steps.Add([&] {
        const HWND box = ::GetActiveWindow();
        files = ListItems(box, kFileList);
        directories = ListItems(box, kDirectoryList);
        filters = ListItems(box, kFilterList);
        label = ItemText(box, kDirectoryLabel);
        name = ItemText(box, kNameEdit);
        char text[64] = {};
        ::GetWindowTextA(box, text, sizeof text);
        caption = text;
        // Choosing the second filter lists every file.
        ::SendDlgItemMessageA(box, kFilterList, LB_SETCURSEL, 1, 0);
        ::SendMessageA(box, WM_COMMAND, MAKEWPARAM(kFilterList, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(::GetDlgItem(box, kFilterList)));
        allFiles = ListItems(box, kFileList);
        PressDialogButton(box, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, Run(dialog));
    EXPECT_EQ(0u, CommDlgExtendedError()) << "cancelling is no error";
    EXPECT_EQ("Open", caption);
    EXPECT_EQ(std::vector<std::string>{"a.itm"}, files);
    EXPECT_EQ((std::vector<std::string>{"a.itm", "b.txt"}), allFiles);
    EXPECT_TRUE(Contains(directories, "[sub]"));
    EXPECT_TRUE(Contains(directories, "[..]"));
    EXPECT_TRUE(Contains(directories, "[-z-]"));
    EXPECT_EQ((std::vector<std::string>{"Item Files (*.itm)", "All Files (*.*)"}), filters);
    EXPECT_EQ(0, lstrcmpiA(m_dir.c_str(), label.c_str())) << label;
    EXPECT_EQ("*.itm", name) << "without a suggestion the edit shows the pattern";
}

TEST_F(FileDialogTest, TypedDirectoriesAndPatternsNavigateBeforeANameIsTaken) {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR,
                       "All Files (*.*)|*.*||");
    dialog.m_ofn.lpstrInitialDir = m_dir.c_str();
    std::string label;
    std::vector<std::string> filtered;
    m_steps.Add([&] {
        const HWND box = ::GetActiveWindow();
        ::SetDlgItemTextA(box, kNameEdit, "sub");
        PressDialogButton(box, IDOK);
        label = ItemText(box, kDirectoryLabel);
        ::SetDlgItemTextA(box, kNameEdit, "*.itm");
        PressDialogButton(box, IDOK);
        filtered = ListItems(box, kFileList);
        ::SetDlgItemTextA(box, kNameEdit, "c.txt");
        PressDialogButton(box, IDOK);
    });
    ASSERT_EQ(IDOK, Run(dialog));
    EXPECT_EQ(0, lstrcmpiA((m_dir + "\\sub").c_str(), label.c_str())) << label;
    EXPECT_TRUE(filtered.empty()) << "no .itm file in sub";
    const std::string expected = m_dir + "\\sub\\c.txt";
    EXPECT_EQ(0, lstrcmpiA(expected.c_str(), dialog.GetPathName())) << dialog.GetPathName();
    EXPECT_EQ("c.txt", std::string(dialog.GetFileName()));
    EXPECT_EQ("txt", std::string(dialog.GetFileExt()));
    EXPECT_EQ("c", std::string(dialog.GetFileTitle()));
    EXPECT_STREQ("c.txt", dialog.m_ofn.lpstrFileTitle);
    EXPECT_EQ(expected.size() - 5, dialog.m_ofn.nFileOffset);
    EXPECT_EQ(expected.size() - 3, dialog.m_ofn.nFileExtension);
}

TEST_F(FileDialogTest, DoubleClickingAFileChoosesIt) {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, "All Files (*.*)|*.*||");
    dialog.m_ofn.lpstrInitialDir = m_dir.c_str();
    m_steps.Add([] {
        const HWND box = ::GetActiveWindow();
        ::SendDlgItemMessageA(box, kFileList, LB_SETCURSEL, 1, 0); // b.txt, sorted after a.itm
        ::SendMessageA(box, WM_COMMAND, MAKEWPARAM(kFileList, LBN_DBLCLK),
                       reinterpret_cast<LPARAM>(::GetDlgItem(box, kFileList)));
    });
    ASSERT_EQ(IDOK, Run(dialog));
    EXPECT_EQ("b.txt", std::string(dialog.GetFileName()));
}

TEST_F(FileDialogTest, SaveAddsTheDefaultExtensionToABareName) {
    CFileDialog dialog(FALSE, "itm", nullptr, OFN_OVERWRITEPROMPT, "Item Files (*.itm)|*.itm||");
    dialog.m_ofn.lpstrInitialDir = m_dir.c_str();
    std::string caption;
    m_steps.Add([&] {
        char text[64] = {};
        ::GetWindowTextA(::GetActiveWindow(), text, sizeof text);
        caption = text;
        ChooseFileInDialog("fresh");
    });
    ASSERT_EQ(IDOK, Run(dialog));
    EXPECT_EQ("Save As", caption);
    EXPECT_EQ("fresh.itm", std::string(dialog.GetFileName()));
    EXPECT_EQ(0u, dialog.m_ofn.Flags & OFN_EXTENSIONDIFFERENT);
}

TEST_F(FileDialogTest, BadRequestsFailWithAnExtendedError) {
    OPENFILENAMEA request{};
    request.lStructSize = 12;
    EXPECT_FALSE(GetOpenFileNameA(&request));
    EXPECT_EQ(DWORD(CDERR_STRUCTSIZE), CommDlgExtendedError());

    // A buffer too small for the chosen path gets the size it needs.
    char small[8] = {};
    request = OPENFILENAMEA{};
    request.lStructSize = sizeof request;
    request.lpstrFile = small;
    request.nMaxFile = sizeof small;
    request.lpstrInitialDir = m_dir.c_str();
    request.Flags = OFN_FILEMUSTEXIST;
    m_steps.Add([] { ChooseFileInDialog("a.itm"); });
    m_steps.Start();
    EXPECT_FALSE(GetOpenFileNameA(&request));
    EXPECT_TRUE(m_steps.Done());
    EXPECT_EQ(DWORD(FNERR_BUFFERTOOSMALL), CommDlgExtendedError());
    WORD needed = 0;
    std::memcpy(&needed, small, sizeof needed);
    EXPECT_EQ(m_dir.size() + std::strlen("\\a.itm") + 1, needed);
}

TEST(FileTitleTest, TitleIsTheNameAfterTheLastSeparator) {
    char title[16] = {};
    EXPECT_EQ(0, GetFileTitleA("C:\\dir\\name.txt", title, sizeof title));
    EXPECT_STREQ("name.txt", title);
    EXPECT_EQ(9, GetFileTitleA("C:\\dir\\name.txt", title, 4)) << "the size it needs";
    EXPECT_EQ(-1, GetFileTitleA("C:\\dir\\", title, sizeof title));
}

} // namespace
