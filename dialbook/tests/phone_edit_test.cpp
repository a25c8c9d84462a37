// CPhoneEdit: which typed characters reach the edit control, and that text arriving otherwise
// (pasted, set by the program) is left alone.
#include "phone_edit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PhoneEditTest, AcceptsDigitsSpaceParenthesesHyphenAndBackspaceOnly) {
    const std::string accepted = "0123456789 ()-\b";
    for (UINT c = 0; c < 256; ++c)
        EXPECT_EQ(CPhoneEdit::IsPhoneCharacter(c) != FALSE,
                  accepted.find(char(c)) != std::string::npos)
            << "character " << c;
    // Characters beyond one byte are dropped too.
    EXPECT_FALSE(CPhoneEdit::IsPhoneCharacter(0x660)); // ARABIC-INDIC DIGIT ZERO
}

class PhoneEditWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "Edit parent", WS_POPUP, 0, 0, 300,
                                      100, nullptr, nullptr));
        const HWND edit =
            ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 200, 24,
                              m_parent.m_hWnd, nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_edit.SubclassWindow(edit));
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

    CWnd m_parent;
    CPhoneEdit m_edit;
};

TEST_F(PhoneEditWindowTest, TypedPhoneNumberIsAcceptedWhole) {
    Type("(555) 010-0000");
    EXPECT_STREQ(Text(), "(555) 010-0000");
}

TEST_F(PhoneEditWindowTest, LettersAndOtherPunctuationAreDropped) {
    Type("5a5B5.+0#1x");
    EXPECT_STREQ(Text(), "55501");
}

TEST_F(PhoneEditWindowTest, BackspaceStillCorrects) {
    Type("555-01009\b");
    EXPECT_STREQ(Text(), "555-0100");
}

TEST_F(PhoneEditWindowTest, TextThatIsNotTypedIsNotFiltered) {
    m_edit.SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("call 555"));
    EXPECT_STREQ(Text(), "call 555");
    m_edit.SetWindowText("ext. 12");
    EXPECT_STREQ(Text(), "ext. 12");
}

} // namespace
