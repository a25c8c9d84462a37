#pragma once

#include "windows.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace window_test {

// One message as a logging window procedure received it.
struct Message {
    HWND hwnd;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

// An entry of an expected sequence. Optional entries may be missing; wparam / lparam are
// compared only when asked for.
enum : unsigned { Optional = 1, CheckWParam = 2, CheckLParam = 4 };
struct Expected {
    UINT message;
    unsigned flags = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
};

// Every message the logging procedure receives, in order.
std::vector<Message>& message_log();
// The logged messages of one window, leaving out what the frame and cursor machinery asks
// for along the way (text and icon queries, hit tests, cursor requests) and, unless kept,
// the painting messages.
std::vector<Message> messages_of(HWND hwnd, bool keep_painting = false);
// Compares a log with an expected sequence; the failure names the first difference.
testing::AssertionResult matches(const std::vector<Message>& log,
                                 const std::vector<Expected>& expected);
size_t count_of(const std::vector<Message>& log, UINT message);

// Lets a test answer a message itself instead of DefWindowProcA.
using Hook = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
void set_hook(Hook hook);

LRESULT CALLBACK logging_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Registers (once) a class whose procedure is logging_window_proc.
LPCSTR logging_class(UINT style = 0, HBRUSH background = (HBRUSH)(COLOR_WINDOW + 1));

// Dispatches everything queued for the calling thread (paint included) without blocking.
void pump_messages();

// The screen's pixel at a point, as a COLORREF.
COLORREF screen_pixel(int x, int y);

// Clears the log and hook before each test and destroys the test's windows after it.
class WindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    HWND create_popup(int x, int y, int width, int height, DWORD extra_style = WS_VISIBLE,
                      HWND owner = nullptr, LPCSTR window_class = nullptr);
    HWND create_child(HWND parent, int x, int y, int width, int height, int id,
                      DWORD extra_style = WS_VISIBLE, LPCSTR window_class = nullptr);
};

} // namespace window_test
