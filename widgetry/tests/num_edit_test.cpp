// CNumEdit: typed characters outside a phone number never reach the edit control, while the
// keyboard's editing commands and text that arrives any other way pass untouched.
#include "num_edit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class NumEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "Parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      400, 200, nullptr, nullptr));
        ASSERT_TRUE(m_edit.CreateEx(
            WS_EX_CLIENTEDGE, "edit", nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
            10, 10, 200, 24, m_parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(101))));
        m_edit.SetFocus();
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    void Type(const std::string& text) {
        for (const char c : text)
            m_edit.SendMessage(WM_CHAR, static_cast<unsigned char>(c), 1);
    }

    CString Text() const {
        CString text;
        m_edit.GetWindowText(text);
        return text;
    }

    static void PutOnClipboard(const char* text) {
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        const size_t size = std::strlen(text) + 1;
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(::GlobalLock(memory), text, size);
        ::GlobalUnlock(memory);
        ::SetClipboardData(CF_TEXT, memory);
        ::CloseClipboard();
    }

    CWnd m_parent;
    CNumEdit m_edit;
};

TEST_F(NumEditTest, KeepsOnlyTheCharactersOfAPhoneNumber) {
    Type("a1b(2)-3 4");
    EXPECT_STREQ("1(2)-3 4", Text());
    Type("xyzXYZ.,;:+*/#_=!?\"'@[]{}<>0123456789");
    EXPECT_STREQ("1(2)-3 40123456789", Text());
    // Each byte of a character beyond ASCII is refused on its own.
    Type("\xC3\xA9"
         "5\xE2\x82\xAC");
    EXPECT_STREQ("1(2)-3 401234567895", Text());
}

TEST_F(NumEditTest, PastedAndProgramSetTextIsNotFiltered) {
    PutOnClipboard("call me");
    Type("12");
    m_edit.Paste();
    EXPECT_STREQ("12call me", Text());
    // Ctrl+V reaches the edit control as a character and pastes as well.
    Type("\x16");
    EXPECT_STREQ("12call mecall me", Text());
    m_edit.SetWindowText("abc");
    EXPECT_STREQ("abc", Text());
    m_edit.SetSel(3, 3);
    m_edit.ReplaceSel("def");
    EXPECT_STREQ("abcdef", Text());
}

TEST_F(NumEditTest, CopyAndCutKeysStillWork) {
    Type("(555) 123");
    m_edit.SetSel(1, 4);
    Type("\x03"); // Ctrl+C
    Type("\x18"); // Ctrl+X
    EXPECT_STREQ("() 123", Text());
    m_edit.SetSel(0, 0);
    Type("\x16"); // Ctrl+V
    EXPECT_STREQ("555() 123", Text());
}

} // namespace
