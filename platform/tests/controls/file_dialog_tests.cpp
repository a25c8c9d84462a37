// The Open dialog driven by the keyboard, as a user or a script drives it: the name typed over
// the selected pattern and Enter choose the file.
#include "user/input.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const UINT kTypeMessage = WM_USER + 1;

// Types the text it is given and presses Enter, from inside whatever modal loop retrieves its
// message.
LRESULT CALLBACK typist_procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kTypeMessage)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    const auto* text = reinterpret_cast<const char*>(lParam);
    for (const char* p = text; *p; ++p) {
        mullion::InputEvent typed;
        typed.type = mullion::InputEvent::Type::Text;
        typed.text[0] = *p;
        mullion::inject_input(typed);
    }
    for (auto type : {mullion::InputEvent::Type::KeyDown, mullion::InputEvent::Type::KeyUp}) {
        mullion::InputEvent enter;
        enter.type = type;
        enter.virtual_key = VK_RETURN;
        mullion::inject_input(enter);
    }
    return 0;
}

TEST(FileDialogKeyboardTest, TypingANameAndEnterChooseTheFile) {
    const char* base = std::getenv("TMPDIR");
    std::string host = std::string(base && *base ? base : "/tmp") + "/mullion-filedlg-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(host.data()));
    std::ofstream(host + "/pick.txt") << "x";
    std::string directory = "Z:" + host;
    for (char& c : directory) {
        if (c == '/')
            c = '\\';
    }

    WNDCLASSA typistClass{};
    typistClass.lpfnWndProc = &typist_procedure;
    typistClass.lpszClassName = "FileDialogTypist";
    RegisterClassA(&typistClass);
    HWND typist = CreateWindowExA(0, "FileDialogTypist", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(nullptr, typist);
    PostMessageA(typist, kTypeMessage, 0, reinterpret_cast<LPARAM>("pick.txt"));

    char file[MAX_PATH] = {};
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.lpstrFilter = "Text Files (*.txt)\0*.txt\0";
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrInitialDir = directory.c_str();
    request.Flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    const BOOL chosen = GetOpenFileNameA(&request);
    DestroyWindow(typist);
    std::filesystem::remove_all(host);

    ASSERT_TRUE(chosen) << CommDlgExtendedError();
    EXPECT_EQ(0, lstrcmpiA((directory + "\\pick.txt").c_str(), file)) << file;
    EXPECT_EQ(1u, request.nFilterIndex);
}

} // namespace
