// Window classes and the per-window fields reached through Get/SetWindowLongPtrA.
#include "window_test_support.h"

using namespace window_test;

namespace {

class WindowClassTest : public WindowTest {};

LRESULT CALLBACK plain_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

WNDCLASSA plain_class(LPCSTR name, int class_extra = 0, int window_extra = 0) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW;
    wc.lpfnWndProc = plain_proc;
    wc.cbClsExtra = class_extra;
    wc.cbWndExtra = window_extra;
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(42);
    wc.lpszClassName = name;
    return wc;
}

TEST_F(WindowClassTest, RegistrationIsUniquePerNameIgnoringCase) {
    WNDCLASSA wc = plain_class("ClassTestUnique");
    const ATOM atom = RegisterClassA(&wc);
    ASSERT_NE(atom, 0);
    wc.lpszClassName = "CLASSTESTUNIQUE";
    SetLastError(0);
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_ALREADY_EXISTS));

    WNDCLASSA info{};
    EXPECT_TRUE(GetClassInfoA(nullptr, "classtestunique", &info));
    EXPECT_EQ(info.style, UINT(CS_HREDRAW));
    EXPECT_EQ(info.lpfnWndProc, plain_proc);
    EXPECT_EQ(info.lpszMenuName, MAKEINTRESOURCEA(42));
    // The atom names the class as well as its name does.
    EXPECT_TRUE(GetClassInfoA(nullptr, MAKEINTATOM(atom), &info));
    EXPECT_TRUE(UnregisterClassA("ClassTestUnique", nullptr));
    EXPECT_FALSE(GetClassInfoA(nullptr, "ClassTestUnique", &info));
}

TEST_F(WindowClassTest, ClassInUseCannotBeUnregistered) {
    WNDCLASSA wc = plain_class("ClassTestInUse");
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND hwnd = CreateWindowExA(0, "ClassTestInUse", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    SetLastError(0);
    EXPECT_FALSE(UnregisterClassA("ClassTestInUse", nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_HAS_WINDOWS));
    DestroyWindow(hwnd);
    EXPECT_TRUE(UnregisterClassA("ClassTestInUse", nullptr));
    SetLastError(0);
    EXPECT_FALSE(UnregisterClassA("ClassTestInUse", nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_DOES_NOT_EXIST));
}

TEST_F(WindowClassTest, ClassLongsReadAndReplaceClassFields) {
    const WNDCLASSA wc = plain_class("ClassTestLongs", 16);
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND hwnd = CreateWindowExA(0, "ClassTestLongs", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND), ULONG_PTR(COLOR_BTNFACE + 1));
    EXPECT_EQ(GetClassLongA(hwnd, GCL_STYLE), DWORD(CS_HREDRAW));
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_WNDPROC), reinterpret_cast<ULONG_PTR>(plain_proc));
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCL_CBCLSEXTRA), 16u);
    EXPECT_EQ(SetClassLongPtrA(hwnd, GCL_STYLE, CS_VREDRAW), ULONG_PTR(CS_HREDRAW));
    EXPECT_EQ(GetClassLongA(hwnd, GCL_STYLE), DWORD(CS_VREDRAW));
    // Extra class bytes start zeroed and hold what is stored at a byte offset.
    EXPECT_EQ(GetClassLongPtrA(hwnd, 8), 0u);
    SetClassLongPtrA(hwnd, 8, 0x1234);
    EXPECT_EQ(GetClassLongPtrA(hwnd, 8), 0x1234u);
    SetLastError(0);
    EXPECT_EQ(GetClassLongPtrA(hwnd, 12), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_INDEX));
    char name[8];
    EXPECT_EQ(GetClassNameA(hwnd, name, sizeof(name)), 7);
    EXPECT_STREQ(name, "ClassTe");
    DestroyWindow(hwnd);
    EXPECT_TRUE(UnregisterClassA("ClassTestLongs", nullptr));
}

TEST_F(WindowClassTest, WindowExtraBytesAndFields) {
    const WNDCLASSA wc = plain_class("ClassTestWindowExtra", 0, DLGWINDOWEXTRA);
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND parent = create_popup(0, 0, 100, 100, 0);
    HWND hwnd = CreateWindowExA(0, "ClassTestWindowExtra", "", WS_CHILD, 0, 0, 10, 10, parent,
                                reinterpret_cast<HMENU>(5), nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, DWLP_USER), 0);
    EXPECT_EQ(SetWindowLongPtrA(hwnd, DWLP_USER, 0x55AA), 0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, DWLP_USER), 0x55AA);
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, -1);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, DWLP_MSGRESULT), -1);
    // DLGWINDOWEXTRA is 30 bytes: a pointer-sized value fits at 16, not at 24.
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, 24), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_INDEX));
    EXPECT_EQ(GetWindowLongA(hwnd, 26), 0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_ID), 5);
    EXPECT_EQ(SetWindowLongPtrA(hwnd, GWLP_ID, 9), 5);
    EXPECT_EQ(GetDlgCtrlID(hwnd), 9);
    EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrA(hwnd, GWLP_HWNDPARENT)), parent);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 1234);
    DestroyWindow(hwnd);
    EXPECT_TRUE(UnregisterClassA("ClassTestWindowExtra", nullptr));
}

TEST_F(WindowClassTest, StyleChangesAreAnnounced) {
    HWND hwnd = create_popup(0, 0, 10, 10, 0);
    message_log().clear();
    const LONG old = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_EQ(SetWindowLongA(hwnd, GWL_STYLE, old | WS_BORDER), old);
    EXPECT_TRUE(matches(messages_of(hwnd), {{WM_STYLECHANGING, CheckWParam, WPARAM(GWL_STYLE)},
                                            {WM_STYLECHANGED, CheckWParam, WPARAM(GWL_STYLE)}}));
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE), old | WS_BORDER);
}

// Subclassing: the replacement sees messages first and passes them on to the original.
std::vector<UINT> subclass_seen;
WNDPROC original_proc = nullptr;
LRESULT CALLBACK subclass_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    subclass_seen.push_back(message);
    if (message == WM_USER + 1)
        return 99;
    return CallWindowProcA(original_proc, hwnd, message, wparam, lparam);
}

TEST_F(WindowClassTest, SubclassingReplacesTheProcedure) {
    HWND hwnd = create_popup(0, 0, 10, 10, 0);
    subclass_seen.clear();
    original_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass_proc)));
    EXPECT_EQ(original_proc, logging_window_proc);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(subclass_proc));
    message_log().clear();
    EXPECT_EQ(SendMessageA(hwnd, WM_USER + 1, 0, 0), 99);
    EXPECT_EQ(SendMessageA(hwnd, WM_USER + 2, 0, 0), 0);
    EXPECT_EQ(subclass_seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
    // Only the message passed on reached the original procedure.
    EXPECT_TRUE(matches(messages_of(hwnd), {{WM_USER + 2}}));
    // The class keeps its own procedure.
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_WNDPROC),
              reinterpret_cast<ULONG_PTR>(logging_window_proc));
}

TEST_F(WindowClassTest, WindowTextGoesThroughMessages) {
    HWND hwnd = create_popup(0, 0, 10, 10, 0);
    message_log().clear();
    EXPECT_TRUE(SetWindowTextA(hwnd, "Grüße"));
    EXPECT_EQ(count_of(message_log(), WM_SETTEXT), 1u);
    EXPECT_EQ(GetWindowTextLengthA(hwnd), 7); // bytes of UTF-8
    char buffer[32];
    EXPECT_EQ(GetWindowTextA(hwnd, buffer, sizeof(buffer)), 7);
    EXPECT_STREQ(buffer, "Grüße");
    // A short buffer takes what fits with the terminator, never half a character.
    EXPECT_EQ(GetWindowTextA(hwnd, buffer, 5), 4);
    EXPECT_EQ(std::string(buffer), "Gr\xc3\xbc");
    EXPECT_EQ(GetWindowTextA(hwnd, buffer, 4), 2);
    EXPECT_EQ(std::string(buffer), "Gr");
}

} // namespace
