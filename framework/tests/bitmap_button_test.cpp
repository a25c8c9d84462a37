// CBitmapButton: which face each owner-draw state shows, and that the chosen face is what
// lands on the screen.
#include "framework.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Face = CBitmapButton::Face;

TEST(BitmapButtonFace, EachStateChoosesItsFaceWhenAllFacesExist) {
    EXPECT_EQ(CBitmapButton::faceUp, CBitmapButton::ChooseFace(0, TRUE, TRUE, TRUE));
    EXPECT_EQ(CBitmapButton::faceDown, CBitmapButton::ChooseFace(ODS_SELECTED, TRUE, TRUE, TRUE));
    EXPECT_EQ(CBitmapButton::faceFocus, CBitmapButton::ChooseFace(ODS_FOCUS, TRUE, TRUE, TRUE));
    EXPECT_EQ(CBitmapButton::faceDisabled,
              CBitmapButton::ChooseFace(ODS_DISABLED, TRUE, TRUE, TRUE));
}

TEST(BitmapButtonFace, PressedWinsOverFocusAndFocusOverDisabled) {
    EXPECT_EQ(CBitmapButton::faceDown,
              CBitmapButton::ChooseFace(ODS_SELECTED | ODS_FOCUS, TRUE, TRUE, TRUE));
    EXPECT_EQ(CBitmapButton::faceFocus,
              CBitmapButton::ChooseFace(ODS_FOCUS | ODS_DISABLED, TRUE, TRUE, TRUE));
}

TEST(BitmapButtonFace, MissingFacesFallBackToTheNextStateAndFinallyUp) {
    EXPECT_EQ(CBitmapButton::faceUp, CBitmapButton::ChooseFace(ODS_SELECTED, FALSE, TRUE, TRUE));
    EXPECT_EQ(CBitmapButton::faceFocus,
              CBitmapButton::ChooseFace(ODS_SELECTED | ODS_FOCUS, FALSE, TRUE, TRUE));
    EXPECT_EQ(CBitmapButton::faceUp, CBitmapButton::ChooseFace(ODS_FOCUS, TRUE, FALSE, TRUE));
    EXPECT_EQ(CBitmapButton::faceUp, CBitmapButton::ChooseFace(ODS_DISABLED, TRUE, TRUE, FALSE));
    EXPECT_EQ(CBitmapButton::faceUp, CBitmapButton::ChooseFace(ODS_DEFAULT, TRUE, TRUE, TRUE))
        << "states without a face of their own";
}

// A 32-bpp bitmap of one colour.
HBITMAP SolidBitmap(int width, int height, COLORREF colour) {
    const std::vector<DWORD> pixels(size_t(width) * size_t(height), DWORD(GetRValue(colour)) << 16 |
                                                                        GetGValue(colour) << 8 |
                                                                        GetBValue(colour));
    return ::CreateBitmap(width, height, 1, 32, pixels.data());
}

class BitmapButtonDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "Parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                      nullptr, nullptr));
        ASSERT_TRUE(m_button.Create("Faces", WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 30, 30),
                                    &m_parent, 5));
        m_button.m_bitmap.Attach(SolidBitmap(12, 8, kUp));
        m_button.m_bitmapSel.Attach(SolidBitmap(12, 8, kDown));
        m_button.m_bitmapFocus.Attach(SolidBitmap(12, 8, kFocus));
        m_button.m_bitmapDisabled.Attach(SolidBitmap(12, 8, kDisabled));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    // The colour the button's DrawItem paints for the state, read from a memory context.
    COLORREF Drawn(UINT itemState) {
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        HBITMAP target = ::CreateCompatibleBitmap(screen, 20, 20);
        HGDIOBJ previous = ::SelectObject(memory, target);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = itemState;
        item.hwndItem = m_button;
        item.hDC = memory;
        item.rcItem = {2, 2, 14, 10};
        m_button.DrawItem(&item);
        const COLORREF colour = ::GetPixel(memory, 7, 5);
        const COLORREF outside = ::GetPixel(memory, 16, 12);
        EXPECT_EQ(RGB(0, 0, 0), outside) << "drawing stays inside rcItem";
        ::SelectObject(memory, previous);
        ::DeleteObject(target);
        ::DeleteDC(memory);
        ::ReleaseDC(nullptr, screen);
        return colour;
    }

    static constexpr COLORREF kUp = RGB(10, 20, 30);
    static constexpr COLORREF kDown = RGB(200, 0, 0);
    static constexpr COLORREF kFocus = RGB(0, 200, 0);
    static constexpr COLORREF kDisabled = RGB(128, 128, 128);

    CWnd m_parent;
    CBitmapButton m_button;
};

TEST_F(BitmapButtonDrawTest, DrawItemCopiesTheChosenFace) {
    EXPECT_EQ(kUp, Drawn(0));
    EXPECT_EQ(kDown, Drawn(ODS_SELECTED | ODS_FOCUS));
    EXPECT_EQ(kFocus, Drawn(ODS_FOCUS));
    EXPECT_EQ(kDisabled, Drawn(ODS_DISABLED));
    m_button.m_bitmapDisabled.DeleteObject();
    EXPECT_EQ(kUp, Drawn(ODS_DISABLED));
}

TEST_F(BitmapButtonDrawTest, SizeToContentTakesTheUpFacesSize) {
    m_button.SizeToContent();
    CRect rect;
    m_button.GetWindowRect(&rect);
    EXPECT_EQ(12, rect.Width());
    EXPECT_EQ(8, rect.Height());
}

TEST_F(BitmapButtonDrawTest, LoadBitmapsFailsForMissingResourcesAndNeedsAnUpFace) {
    EXPECT_FALSE(m_button.LoadBitmaps("NoSuchBitmapU"));
    EXPECT_EQ(nullptr, m_button.m_bitmap.m_hObject);
    EXPECT_FALSE(m_button.LoadBitmaps(static_cast<LPCTSTR>(nullptr)));
}

} // namespace
