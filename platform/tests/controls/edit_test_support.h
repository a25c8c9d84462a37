#pragma once

// A parent window for edit control tests: it logs the notifications and colour requests its
// edit controls send, and helpers drive the control by messages and by injected input.
#include "windows.h"

#include "user/input.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace edit_test {

struct Logged {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

inline std::vector<Logged>& parent_log() {
    static std::vector<Logged> log;
    return log;
}

// The brush the parent answers colour requests with (null: the default handling).
inline HBRUSH& answer_brush() {
    static HBRUSH brush = nullptr;
    return brush;
}
inline COLORREF& answer_text_colour() {
    static COLORREF colour = CLR_INVALID;
    return colour;
}

inline LRESULT CALLBACK parent_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
        parent_log().push_back({message, wparam, lparam});
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        parent_log().push_back({message, wparam, lparam});
        if (answer_brush()) {
            SetTextColor(reinterpret_cast<HDC>(wparam), answer_text_colour());
            return reinterpret_cast<LRESULT>(answer_brush());
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

class EditTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA description{};
        description.lpfnWndProc = parent_proc;
        description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        description.lpszClassName = "EditTestParent";
        if (!GetClassInfoA(nullptr, description.lpszClassName, &description))
            RegisterClassA(&description);
        parent = CreateWindowExA(0, "EditTestParent", "Parent", WS_POPUP | WS_VISIBLE, 10, 10, 400,
                                 300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent, nullptr);
        SetActiveWindow(parent);
        pump();
        parent_log().clear();
        answer_brush() = nullptr;
    }
    void TearDown() override {
        release_keys();
        DestroyWindow(parent);
        pump();
        parent_log().clear();
        answer_brush() = nullptr;
    }

    HWND create(DWORD style, const char* text = "", int width = 120, int height = 24,
                DWORD ex_style = 0, int id = 5) {
        HWND edit = CreateWindowExA(
            ex_style, "Edit", text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        EXPECT_NE(edit, nullptr);
        pump();
        parent_log().clear();
        return edit;
    }

    // The notification codes the parent received by WM_COMMAND from the control, checking
    // that they carry its id.
    static std::vector<int> codes(HWND edit) {
        std::vector<int> result;
        for (const Logged& entry : parent_log()) {
            if (entry.message != WM_COMMAND || reinterpret_cast<HWND>(entry.lparam) != edit)
                continue;
            EXPECT_EQ(int(LOWORD(entry.wparam)), GetDlgCtrlID(edit));
            result.push_back(HIWORD(entry.wparam));
        }
        return result;
    }

    static std::string text(HWND edit) {
        const int length = GetWindowTextLengthA(edit);
        std::string result(size_t(length) + 1, '\0');
        GetWindowTextA(edit, result.data(), length + 1);
        result.resize(size_t(length));
        return result;
    }

    // (start, end) as EM_GETSEL reports them through its pointers.
    static std::pair<DWORD, DWORD> selection(HWND edit) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    static void chars(HWND edit, std::string_view typed) {
        for (char c : typed)
            SendMessageA(edit, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 1);
    }

    static void pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

    static void key(UINT virtual_key, bool down) {
        mullion::InputEvent event;
        event.type = down ? mullion::InputEvent::Type::KeyDown : mullion::InputEvent::Type::KeyUp;
        event.virtual_key = virtual_key;
        mullion::inject_input(event);
        pump();
    }

    // Presses a key with modifiers held, as a keyboard does, and handles what it typed.
    static void press(UINT virtual_key, std::initializer_list<UINT> modifiers = {}) {
        for (UINT modifier : modifiers)
            key(modifier, true);
        key(virtual_key, true);
        key(virtual_key, false);
        for (UINT modifier : modifiers)
            key(modifier, false);
    }

    static void release_keys() {
        for (UINT modifier : {VK_SHIFT, VK_CONTROL})
            if (GetKeyState(int(modifier)) < 0)
                key(modifier, false);
    }

    static void type_text(const char* character) {
        mullion::InputEvent event;
        event.type = mullion::InputEvent::Type::Text;
        std::strncpy(event.text, character, sizeof event.text - 1);
        mullion::inject_input(event);
        pump();
    }

    // The width of text in the edit control's font, as GDI measures it.
    static int text_width(HWND edit, const std::string& text) {
        HDC dc = GetDC(edit);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0));
        HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
        SIZE size{0, 0};
        GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
        SelectObject(dc, previous);
        ReleaseDC(edit, dc);
        return int(size.cx);
    }

    static int line_height(HWND edit) {
        HDC dc = GetDC(edit);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0));
        HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(edit, dc);
        return int(metrics.tmHeight);
    }

    static RECT format_rect(HWND edit) {
        RECT rect{};
        SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    static void put_on_clipboard(const std::string& text) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
    }

    static std::string clipboard_text() {
        std::string result;
        if (!OpenClipboard(nullptr))
            return "<clipboard busy>";
        if (HANDLE memory = GetClipboardData(CF_TEXT)) {
            result = static_cast<const char*>(GlobalLock(memory));
            GlobalUnlock(memory);
        }
        CloseClipboard();
        return result;
    }

    HWND parent = nullptr;
};

} // namespace edit_test
