// The owner-drawn colour items: which items become owner-drawn, their measure, the pixels of a
// drawn item, and the context menu that opens them on a right click.
#include "paint_test_fixture.h"
#include "tracery_commands.h"

#include <set>
#include <string>
#include <vector>

namespace {

// Draws one colour item into a memory bitmap filled with a colour no part of the item uses.
class ColorItemPicture {
public:
    static constexpr COLORREF kFill = RGB(1, 2, 3);

    ColorItemPicture(UINT nID, UINT nState, CRect rect = CRect(0, 0, 80, 20)) {
        CClientDC screen(nullptr);
        m_dc.CreateCompatibleDC(&screen);
        m_bitmap.CreateCompatibleBitmap(&screen, 100, 40);
        m_pOld = m_dc.SelectObject(&m_bitmap);
        CBrush fill(kFill);
        const CRect all(0, 0, 100, 40);
        m_dc.FillRect(&all, &fill);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemID = nID;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = nState;
        item.hDC = m_dc.m_hDC;
        item.rcItem = rect;
        DrawColorItem(&item);
    }
    ~ColorItemPicture() { m_dc.SelectObject(m_pOld); }

    COLORREF At(int x, int y) { return m_dc.GetPixel(x, y); }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOld = nullptr;
};

constexpr int kCheckSize = 13; // the system check mark is SM_CXMENUCHECK square

int CheckMarkWidth() {
    BITMAP bm{};
    const HBITMAP hCheck = ::LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CHECK));
    ::GetObjectA(hCheck, sizeof bm, &bm);
    ::DeleteObject(hCheck);
    return bm.bmWidth;
}

TEST(CheckMarkBitmap, IsAMonochromeBitmapOfTheMenuCheckSize) {
    const HBITMAP hCheck = ::LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CHECK));
    ASSERT_NE(nullptr, hCheck);
    BITMAP bm{};
    ASSERT_NE(0, ::GetObjectA(hCheck, sizeof bm, &bm));
    EXPECT_EQ(::GetSystemMetrics(SM_CXMENUCHECK), bm.bmWidth);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK), bm.bmHeight);
    EXPECT_EQ(1, bm.bmBitsPixel);
    ::DeleteObject(hCheck);
}

TEST(ColorItemMeasure, IsFourMenuBarHeightsWideAndOneHigh) {
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = ID_COLOR_GREEN;
    MeasureColorItem(&measure);
    const UINT nBar = UINT(::GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(4 * nBar, measure.itemWidth);
    EXPECT_EQ(nBar, measure.itemHeight);
}

TEST(ColorItemDrawing, UnselectedItemHasAMenuFrameAndASwatchRightOfTheCheckGap) {
    ColorItemPicture picture(ID_COLOR_GREEN, 0);
    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    EXPECT_EQ(menu, picture.At(0, 0));
    EXPECT_EQ(menu, picture.At(79, 19));
    EXPECT_EQ(menu, picture.At(40, 0));
    const int swatchLeft = 6 + CheckMarkWidth();
    EXPECT_EQ(RGB(0, 255, 0), picture.At(swatchLeft, 4));
    EXPECT_EQ(RGB(0, 255, 0), picture.At(80 - 6 - 1, 20 - 4 - 1));
    // Outside the swatch the item keeps what was there.
    EXPECT_EQ(ColorItemPicture::kFill, picture.At(swatchLeft - 1, 10));
    EXPECT_EQ(ColorItemPicture::kFill, picture.At(80 - 6, 10));
    EXPECT_EQ(ColorItemPicture::kFill, picture.At(40, 3));
    EXPECT_EQ(ColorItemPicture::kFill, picture.At(40, 20 - 4));
    for (int x = 1; x < swatchLeft; ++x)
        for (int y = 1; y < 19; ++y)
            ASSERT_EQ(ColorItemPicture::kFill, picture.At(x, y)) << x << "," << y;
}

TEST(ColorItemDrawing, SelectionChangesOnlyTheFrame) {
    ColorItemPicture picture(ID_COLOR_MAGENTA, ODS_SELECTED);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), picture.At(0, 0));
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), picture.At(79, 10));
    EXPECT_EQ(RGB(255, 0, 255), picture.At(40, 10));
    EXPECT_EQ(ColorItemPicture::kFill, picture.At(1, 1));
}

TEST(ColorItemDrawing, CheckedItemShowsTheCheckMarkLeftOfTheSwatch) {
    const CRect rect(10, 5, 90, 25);
    ColorItemPicture picture(ID_COLOR_WHITE, ODS_CHECKED, rect);
    const int checkWidth = CheckMarkWidth();
    const int checkTop = rect.top + (rect.Height() - kCheckSize) / 2;
    // The check-mark bitmap is copied whole: its glyph in the text colour (black) on the
    // background colour (white), at left + 4.
    int nBlack = 0;
    int nOther = 0;
    for (int x = rect.left + 4; x < rect.left + 4 + checkWidth; ++x)
        for (int y = checkTop; y < checkTop + kCheckSize; ++y) {
            const COLORREF pixel = picture.At(x, y);
            if (pixel == RGB(0, 0, 0))
                ++nBlack;
            else if (pixel != RGB(255, 255, 255) && x < rect.left + 6 + checkWidth)
                ++nOther;
        }
    EXPECT_GT(nBlack, 5);
    EXPECT_EQ(0, nOther);
    EXPECT_EQ(ColorItemPicture::kFill, picture.At(rect.left + 3, rect.top + 10));
    EXPECT_EQ(RGB(255, 255, 255), picture.At(rect.left + 6 + checkWidth, rect.top + 4));
}

TEST(ColorItemDrawing, EveryColourCommandPaintsItsTableColour) {
    const COLORREF colors[8] = {RGB(0, 0, 0),     RGB(0, 0, 255),    RGB(0, 255, 0),
                                RGB(0, 255, 255), RGB(255, 0, 0),    RGB(255, 0, 255),
                                RGB(255, 255, 0), RGB(255, 255, 255)};
    for (UINT i = 0; i < 8; ++i) {
        ColorItemPicture picture(ID_COLOR_BLACK + i, 0);
        EXPECT_EQ(colors[i], picture.At(50, 10)) << i;
    }
}

using ColorMenuTest = PaintAppTest;

TEST_F(ColorMenuTest, FrameMenuHasOwnerDrawnColourItemsOnly) {
    CMenu* pMenu = Frame()->GetMenu();
    for (UINT nID = ID_COLOR_BLACK; nID <= ID_COLOR_WHITE; ++nID)
        EXPECT_TRUE(pMenu->GetMenuState(nID, MF_BYCOMMAND) & MF_OWNERDRAW) << nID;
    for (UINT nID = ID_WIDTH_VTHIN; nID <= ID_WIDTH_VTHICK; ++nID)
        EXPECT_FALSE(pMenu->GetMenuState(nID, MF_BYCOMMAND) & MF_OWNERDRAW) << nID;
    EXPECT_EQ(ID_COLOR_BLACK, BarPopup(2)->GetMenuItemID(0));
    EXPECT_EQ(ID_COLOR_WHITE, BarPopup(2)->GetMenuItemID(7));
}

TEST_F(ColorMenuTest, NestedColourItemsBecomeOwnerDrawn) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(101));
    MakeColorItemsOwnerDrawn(&menu);
    CMenu* pColor = menu.GetSubMenu(0)->GetSubMenu(1);
    ASSERT_NE(nullptr, pColor);
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(pColor->GetMenuState(i, MF_BYPOSITION) & MF_OWNERDRAW) << i;
        EXPECT_EQ(UINT(ID_COLOR_BLACK + i), pColor->GetMenuItemID(i));
    }
}

// The colours painted in the open popup menus' windows.
std::set<COLORREF> PopupMenuColours() {
    std::vector<HWND> popups;
    ::EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            char name[16] = {};
            ::GetClassNameA(hwnd, name, sizeof name);
            if (std::string(name) == "#32768" && ::IsWindowVisible(hwnd))
                reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&popups));
    std::set<COLORREF> colours;
    for (HWND popup : popups) {
        RECT client{};
        ::GetClientRect(popup, &client);
        const HDC dc = ::GetDC(popup);
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                colours.insert(::GetPixel(dc, x, y));
        ::ReleaseDC(popup, dc);
    }
    return colours;
}

TEST_F(ColorMenuTest, ContextMenuShowsSwatchesAndChoosesAColour) {
    Frame()->ShowWindow(SW_SHOW);
    Frame()->UpdateWindow();
    CPoint point(60, 60);
    View()->ClientToScreen(&point);
    // Inside the menu's loop: open the Color popup by its mnemonic, look at it (the third step
    // runs after the key), then choose its first item.
    std::set<COLORREF> colours;
    m_steps.Add([this] { View()->PostMessage(WM_CHAR, 'c', 0); });
    m_steps.Add([] {});
    m_steps.Add([this, &colours] {
        colours = PopupMenuColours();
        View()->PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    });
    SendRunningSteps(View(), WM_CONTEXTMENU, WPARAM(View()->m_hWnd), MAKELPARAM(point.x, point.y));
    DrainQueue();
    EXPECT_GE(Frame()->m_nMeasureRequests, 8);
    EXPECT_GE(Frame()->m_nDrawRequests, 8);
    for (COLORREF colour : {RGB(0, 0, 255), RGB(0, 255, 0), RGB(0, 255, 255), RGB(255, 0, 0),
                            RGB(255, 0, 255), RGB(255, 255, 0)})
        EXPECT_TRUE(colours.count(colour)) << std::hex << colour;
    // The keyboard selected the first item: its frame is in the highlight colour.
    EXPECT_TRUE(colours.count(::GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(0, Doc()->GetColorIndex());
}

TEST_F(ColorMenuTest, RightClickOpensTheContextMenuWithTheWidthCommands) {
    Frame()->ShowWindow(SW_SHOW);
    Frame()->UpdateWindow();
    // Inside the menu's loop: open the Width popup by its mnemonic and choose Very Thin.
    m_steps.Add([this] {
        View()->PostMessage(WM_CHAR, 'w', 0);
        View()->PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    });
    SendRunningSteps(View(), WM_RBUTTONUP, 0, MousePoint(30, 40));
    DrainQueue();
    EXPECT_EQ(0, Doc()->GetWidthIndex());
    EXPECT_EQ(4, Doc()->GetColorIndex());
}

} // namespace
