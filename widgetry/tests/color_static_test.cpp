// CColorStatic: the message control of Widgetry5 answers its own colour query through
// reflection, with its text colour, its background colour and its own brush.
#include "color_static.h"

#include <gtest/gtest.h>

namespace {

class ColorStaticTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "Parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      300, 200, nullptr, nullptr));
        ASSERT_TRUE(
            m_static.Create("Colour", WS_VISIBLE | SS_CENTER, CRect(5, 5, 200, 40), &m_parent));
        m_dc = ::GetDC(m_parent);
    }
    void TearDown() override {
        ::ReleaseDC(m_parent, m_dc);
        m_parent.DestroyWindow();
    }

    HBRUSH AskParent() {
        return reinterpret_cast<HBRUSH>(
            m_parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(m_dc),
                                 reinterpret_cast<LPARAM>(m_static.m_hWnd)));
    }

    CWnd m_parent;
    CColorStatic m_static;
    HDC m_dc = nullptr;
};

TEST_F(ColorStaticTest, StartsBlackOnTheButtonFaceWithItsOwnSolidBrush) {
    const HBRUSH brush = AskParent();
    ASSERT_NE(nullptr, brush);
    EXPECT_NE(::GetSysColorBrush(COLOR_BTNFACE), brush) << "its own brush, not the shared one";
    LOGBRUSH description{};
    ASSERT_NE(0, ::GetObjectA(brush, sizeof description, &description));
    EXPECT_EQ(static_cast<UINT>(BS_SOLID), description.lbStyle);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), description.lbColor);
    EXPECT_EQ(RGB(0, 0, 0), ::GetTextColor(m_dc));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), ::GetBkColor(m_dc));
}

TEST_F(ColorStaticTest, SetTextColorChangesTheAnswerAndRepaintsTheControl) {
    m_static.UpdateWindow();
    m_static.SetTextColor(RGB(0, 255, 0));
    RECT update{};
    EXPECT_TRUE(::GetUpdateRect(m_static, &update, FALSE)) << "invalidated";
    const HBRUSH before = AskParent();
    EXPECT_EQ(RGB(0, 255, 0), ::GetTextColor(m_dc));

    m_static.SetBkColor(RGB(10, 20, 30));
    const HBRUSH after = AskParent();
    LOGBRUSH description{};
    ASSERT_NE(0, ::GetObjectA(after, sizeof description, &description));
    EXPECT_EQ(RGB(10, 20, 30), description.lbColor);
    EXPECT_EQ(RGB(10, 20, 30), ::GetBkColor(m_dc));
    EXPECT_EQ(0, ::GetObjectA(before, sizeof description, &description))
        << "the previous brush was deleted";
}

TEST_F(ColorStaticTest, PaintingFillsTheControlWithItsBackground) {
    m_static.SetBkColor(RGB(10, 20, 30));
    m_static.UpdateWindow();
    HDC control = ::GetDC(m_static);
    EXPECT_EQ(RGB(10, 20, 30), ::GetPixel(control, 1, 1));
    ::ReleaseDC(m_static, control);
}

} // namespace
