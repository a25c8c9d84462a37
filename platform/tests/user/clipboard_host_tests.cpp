// The clipboard's owner and format list, and the bridge a presenter uses to share the clipboard
// with the host: line-end conversion both ways, export on close, import without echo.
#include "user/clipboard.h"

#include "clipboard_test_support.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string>& exported() {
    static std::vector<std::string> texts;
    return texts;
}

void record_export(const std::string& host_text) {
    exported().push_back(host_text);
}

using clipboard_test::clipboard_text;
using clipboard_test::text_block;

class ClipboardHostTest : public testing::Test {
protected:
    void SetUp() override {
        exported().clear();
        mullion::set_clipboard_text_listener(record_export);
    }
    void TearDown() override { mullion::set_clipboard_text_listener(nullptr); }
};

TEST(ClipboardLineEnds, HostLinesGainCarriageReturnsAndLoseThemOnTheWayBack) {
    EXPECT_EQ(mullion::host_text_to_clipboard("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(mullion::host_text_to_clipboard("a\r\nb"), "a\r\nb"); // already converted
    EXPECT_EQ(mullion::host_text_to_clipboard("\n"), "\r\n");
    EXPECT_EQ(mullion::clipboard_text_to_host("a\r\nb\r\n"), "a\nb\n");
    EXPECT_EQ(mullion::clipboard_text_to_host("lone\rreturn"), "lone\rreturn");
}

TEST_F(ClipboardHostTest, TextPutOnTheClipboardReachesTheHostWhenItIsClosed) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, text_block("one\r\ntwo"));
    EXPECT_TRUE(exported().empty());
    CloseClipboard();
    EXPECT_EQ(exported(), (std::vector<std::string>{"one\ntwo"}));
    // Reading the clipboard, or putting other formats on it, tells the host nothing.
    clipboard_text();
    ASSERT_TRUE(OpenClipboard(nullptr));
    SetClipboardData(CF_UNICODETEXT, GlobalAlloc(GMEM_MOVEABLE, 4));
    CloseClipboard();
    EXPECT_EQ(exported().size(), 1u);
}

TEST_F(ClipboardHostTest, HostTextReplacesTheContentsWithoutOwnerOrEcho) {
    HWND window = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(window));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, GlobalAlloc(GMEM_MOVEABLE, 4));
    CloseClipboard();
    EXPECT_EQ(GetClipboardOwner(), window);

    mullion::set_clipboard_text_from_host("from\nthe host");
    EXPECT_EQ(clipboard_text(), "from\r\nthe host");
    EXPECT_EQ(GetClipboardOwner(), nullptr);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(CountClipboardFormats(), 1);
    EXPECT_TRUE(exported().empty());

    // While a program holds the clipboard open, the host's text waits for its next change.
    ASSERT_TRUE(OpenClipboard(nullptr));
    mullion::set_clipboard_text_from_host("ignored");
    CloseClipboard();
    EXPECT_EQ(clipboard_text(), "from\r\nthe host");
    DestroyWindow(window);
}

TEST_F(ClipboardHostTest, FormatsAreEnumeratedInTheOrderTheyWerePut) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    EXPECT_EQ(CountClipboardFormats(), 0);
    EXPECT_EQ(EnumClipboardFormats(0), 0u);
    SetClipboardData(CF_UNICODETEXT, GlobalAlloc(GMEM_MOVEABLE, 4));
    SetClipboardData(CF_TEXT, text_block("x"));
    SetClipboardData(CF_BITMAP, nullptr); // delayed rendering: listed, not available
    EXPECT_EQ(CountClipboardFormats(), 3);
    EXPECT_EQ(EnumClipboardFormats(0), UINT(CF_UNICODETEXT));
    EXPECT_EQ(EnumClipboardFormats(CF_UNICODETEXT), UINT(CF_TEXT));
    EXPECT_EQ(EnumClipboardFormats(CF_TEXT), UINT(CF_BITMAP));
    EXPECT_EQ(EnumClipboardFormats(CF_BITMAP), 0u);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    CloseClipboard();
    // Enumeration needs the clipboard open.
    EXPECT_EQ(EnumClipboardFormats(0), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
}

} // namespace
