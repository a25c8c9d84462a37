#include "window_test_support.h"

#include "display/screen.h"

#include <sstream>

namespace window_test {

namespace {
Hook& current_hook() {
    static Hook hook;
    return hook;
}

bool is_noise(UINT message) {
    switch (message) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETICON:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_GETDLGCODE:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

bool is_painting(UINT message) {
    return message == WM_PAINT || message == WM_NCPAINT || message == WM_ERASEBKGND;
}

bool entry_matches(const Message& m, const Expected& e) {
    return m.message == e.message && (!(e.flags & CheckWParam) || m.wparam == e.wparam) &&
           (!(e.flags & CheckLParam) || m.lparam == e.lparam);
}

std::string describe(const Message& m) {
    std::ostringstream out;
    out << "0x" << std::hex << m.message << " (wParam 0x" << m.wparam << ", lParam 0x" << m.lparam
        << ")";
    return out.str();
}
} // namespace

std::vector<Message>& message_log() {
    static std::vector<Message> log;
    return log;
}

std::vector<Message> messages_of(HWND hwnd, bool keep_painting) {
    std::vector<Message> result;
    for (const Message& m : message_log()) {
        if (m.hwnd == hwnd && !is_noise(m.message) && (keep_painting || !is_painting(m.message)))
            result.push_back(m);
    }
    return result;
}

testing::AssertionResult matches(const std::vector<Message>& log,
                                 const std::vector<Expected>& expected) {
    size_t e = 0;
    for (size_t i = 0; i < log.size(); ++i) {
        while (e < expected.size() && !entry_matches(log[i], expected[e]) &&
               (expected[e].flags & Optional))
            ++e;
        if (e == expected.size())
            return testing::AssertionFailure()
                   << "unexpected message " << describe(log[i]) << " at position " << i;
        if (!entry_matches(log[i], expected[e]))
            return testing::AssertionFailure()
                   << "position " << i << ": got " << describe(log[i]) << ", expected 0x"
                   << std::hex << expected[e].message;
        ++e;
    }
    for (; e < expected.size(); ++e) {
        if (!(expected[e].flags & Optional))
            return testing::AssertionFailure()
                   << "missing message 0x" << std::hex << expected[e].message << " after "
                   << std::dec << log.size() << " messages";
    }
    return testing::AssertionSuccess();
}

size_t count_of(const std::vector<Message>& log, UINT message) {
    size_t count = 0;
    for (const Message& m : log)
        count += m.message == message;
    return count;
}

void set_hook(Hook hook) {
    current_hook() = std::move(hook);
}

LRESULT CALLBACK logging_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    message_log().push_back({hwnd, message, wparam, lparam});
    if (current_hook()) {
        if (auto answer = current_hook()(hwnd, message, wparam, lparam))
            return *answer;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

LPCSTR logging_class(UINT style, HBRUSH background) {
    static std::vector<std::string> names;
    const std::string name = "WindowTestLogging" + std::to_string(style) + "_" +
                             std::to_string(reinterpret_cast<ULONG_PTR>(background));
    WNDCLASSA wc{};
    if (!GetClassInfoA(nullptr, name.c_str(), &wc)) {
        wc.style = style;
        wc.lpfnWndProc = logging_window_proc;
        wc.hbrBackground = background;
        wc.lpszClassName = name.c_str();
        EXPECT_NE(RegisterClassA(&wc), 0);
        names.push_back(name);
    }
    for (const std::string& registered : names) {
        if (registered == name)
            return registered.c_str();
    }
    return nullptr;
}

void pump_messages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

COLORREF screen_pixel(int x, int y) {
    auto& surface = mullion::Screen::instance().surface();
    return mullion::colorref_from_pixel(surface.pixel(x, y));
}

void WindowTest::SetUp() {
    set_hook(nullptr);
    message_log().clear();
}

namespace {
BOOL CALLBACK collect_own_windows(HWND hwnd, LPARAM lparam) {
    if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId())
        reinterpret_cast<std::vector<HWND>*>(lparam)->push_back(hwnd);
    return TRUE;
}
} // namespace

void WindowTest::TearDown() {
    set_hook(nullptr);
    std::vector<HWND> windows;
    EnumWindows(collect_own_windows, reinterpret_cast<LPARAM>(&windows));
    for (HWND hwnd : windows) {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    }
    ReleaseCapture();
    pump_messages();
    message_log().clear();
}

HWND WindowTest::create_popup(int x, int y, int width, int height, DWORD extra_style, HWND owner,
                              LPCSTR window_class) {
    HWND hwnd = CreateWindowExA(0, window_class ? window_class : logging_class(), "popup",
                                WS_POPUP | extra_style, x, y, width, height, owner, nullptr,
                                nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr);
    return hwnd;
}

HWND WindowTest::create_child(HWND parent, int x, int y, int width, int height, int id,
                              DWORD extra_style, LPCSTR window_class) {
    HWND hwnd = CreateWindowExA(
        0, window_class ? window_class : logging_class(), "child", WS_CHILD | extra_style, x, y,
        width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr);
    return hwnd;
}

} // namespace window_test
