// Owner-drawn buttons: the parent draws them through WM_DRAWITEM, told what changed (the whole
// button, the selection or the focus) and the button's state at that moment.
#include "windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One WM_DRAWITEM or notification as the parent saw it.
struct Event {
    UINT message;
    UINT action = 0;
    UINT state = 0;
    WORD code = 0;

    bool operator==(const Event&) const = default;
};

std::vector<Event>& events() {
    static std::vector<Event> log;
    return log;
}

RECT& last_item_rect() {
    static RECT rect;
    return rect;
}

LRESULT CALLBACK owner_parent_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        EXPECT_EQ(item->CtlType, UINT(ODT_BUTTON));
        EXPECT_EQ(item->CtlID, UINT(wparam));
        EXPECT_EQ(item->hwndItem, GetDlgItem(hwnd, int(wparam)));
        EXPECT_NE(item->hDC, nullptr);
        last_item_rect() = item->rcItem;
        events().push_back({message, item->itemAction, item->itemState});
        return TRUE;
    }
    if (message == WM_COMMAND) {
        events().push_back({message, 0, 0, HIWORD(wparam)});
        return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

const UINT kId = 31;

class OwnerDrawTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA description{};
        description.lpfnWndProc = owner_parent_proc;
        description.lpszClassName = "OwnerDrawTestParent";
        if (!GetClassInfoA(nullptr, description.lpszClassName, &description))
            RegisterClassA(&description);
        parent = CreateWindowExA(0, description.lpszClassName, "Owner", WS_POPUP | WS_VISIBLE, 20,
                                 20, 200, 120, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent, nullptr);
        button =
            CreateWindowExA(0, "Button", "Drawn", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 60,
                            30, parent, reinterpret_cast<HMENU>(UINT_PTR(kId)), nullptr, nullptr);
        other = CreateWindowExA(0, "Button", "Other", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 100,
                                10, 60, 30, parent, reinterpret_cast<HMENU>(UINT_PTR(kId + 1)),
                                nullptr, nullptr);
        ASSERT_NE(button, nullptr);
        UpdateWindow(parent);
        UpdateWindow(button);
        events().clear();
    }
    void TearDown() override {
        DestroyWindow(parent);
        events().clear();
    }

    HWND parent = nullptr;
    HWND button = nullptr;
    HWND other = nullptr;
};

const Event kFocusGained{WM_DRAWITEM, ODA_FOCUS, ODS_FOCUS};
const Event kFocusLost{WM_DRAWITEM, ODA_FOCUS, 0};
const Event kPressed{WM_DRAWITEM, ODA_SELECT, ODS_SELECTED | ODS_FOCUS};
const Event kReleased{WM_DRAWITEM, ODA_SELECT, ODS_FOCUS};
const Event kClicked{WM_COMMAND, 0, 0, BN_CLICKED};

TEST_F(OwnerDrawTest, WholeButtonIsDrawnOnPaintWithItsClientRectangle) {
    InvalidateRect(button, nullptr, TRUE);
    UpdateWindow(button);
    ASSERT_EQ(events(), (std::vector<Event>{{WM_DRAWITEM, ODA_DRAWENTIRE, 0}}));
    const RECT& rect = last_item_rect();
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 60);
    EXPECT_EQ(rect.bottom, 30);
}

TEST_F(OwnerDrawTest, MousePressAndReleaseRedrawTheFocusAndTheSelection) {
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(events(), (std::vector<Event>{kFocusGained, kPressed}));
    events().clear();
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    UpdateWindow(button);
    EXPECT_EQ(events(), (std::vector<Event>{kReleased, kClicked}));
}

TEST_F(OwnerDrawTest, DraggingOutAndBackTogglesTheSelection) {
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    events().clear();
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 5));
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 6));
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(150, 5));
    // Released outside: no click.
    EXPECT_EQ(events(), (std::vector<Event>{kReleased, kPressed, kReleased}));
}

TEST_F(OwnerDrawTest, FocusLeavingRedrawsOnlyTheFocus) {
    SetFocus(button);
    EXPECT_EQ(events(), (std::vector<Event>{kFocusGained}));
    events().clear();
    SetFocus(other);
    UpdateWindow(button);
    EXPECT_EQ(events(), (std::vector<Event>{kFocusLost}));
}

TEST_F(OwnerDrawTest, HighlightStateMessageRedrawsTheSelection) {
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(events(), (std::vector<Event>{{WM_DRAWITEM, ODA_SELECT, ODS_SELECTED}}));
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(events().size(), 1u) << "no change, no drawing";
}

TEST_F(OwnerDrawTest, DisablingRedrawsTheWholeButtonDisabled) {
    EnableWindow(button, FALSE);
    UpdateWindow(button);
    EXPECT_EQ(events(), (std::vector<Event>{{WM_DRAWITEM, ODA_DRAWENTIRE, ODS_DISABLED}}));
    events().clear();
    EnableWindow(button, TRUE);
    UpdateWindow(button);
    EXPECT_EQ(events(), (std::vector<Event>{{WM_DRAWITEM, ODA_DRAWENTIRE, 0}}));
}

TEST_F(OwnerDrawTest, HiddenButtonIsNotDrawnUntilShown) {
    ShowWindow(button, SW_HIDE);
    UpdateWindow(parent);
    events().clear();
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(events().empty());
    ShowWindow(button, SW_SHOW);
    UpdateWindow(button);
    EXPECT_EQ(events(), (std::vector<Event>{{WM_DRAWITEM, ODA_DRAWENTIRE, ODS_SELECTED}}));
}

} // namespace
