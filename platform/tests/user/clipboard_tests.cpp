// The clipboard and the global memory blocks that carry its data.
#include "clipboard_test_support.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

namespace {

using clipboard_test::clipboard_text;
using clipboard_test::text_block;

TEST(GlobalMemory, BlocksKeepTheirSizeAndCountLocks) {
    HGLOBAL block = GlobalAlloc(GHND, 10);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 10u);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[9], 0);              // zero-initialised
    EXPECT_EQ(GlobalLock(block), bytes); // the bytes never move
    EXPECT_TRUE(GlobalUnlock(block));    // still locked once
    EXPECT_FALSE(GlobalUnlock(block));   // now unlocked
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(GlobalFree(block), block); // a freed handle is refused
}

TEST(Clipboard, TextPutOnTheClipboardCanBeReadBackAndReplaced) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    SetClipboardData(CF_TEXT, text_block("first"));
    ASSERT_TRUE(CloseClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(clipboard_text(), "first");

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, text_block("second"));
    CloseClipboard();
    EXPECT_EQ(clipboard_text(), "second");
}

TEST(Clipboard, OnlyTheThreadThatOpenedItMayUseIt) {
    EXPECT_FALSE(CloseClipboard()); // not open
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    ASSERT_TRUE(OpenClipboard(nullptr));
    BOOL opened_elsewhere = TRUE;
    std::thread([&] { opened_elsewhere = OpenClipboard(nullptr); }).join();
    EXPECT_FALSE(opened_elsewhere);
    EXPECT_TRUE(CloseClipboard());
}

} // namespace
