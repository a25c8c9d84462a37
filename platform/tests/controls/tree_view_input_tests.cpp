// The tree view under the keyboard and the mouse: arrows, Home, End, Page Up and Down move the
// selection (TVC_BYKEYBOARD), Right and Left expand, collapse or move to a child or the parent,
// the keypad's +, - and * expand, collapse and expand everything below, Backspace goes to the
// parent; a click on a button toggles, a click on an item selects it (TVC_BYMOUSE), a double
// click toggles unless the parent handles NM_DBLCLK.
#include "tree_view_test_parent.h"
#include "user/input_test_support.h"

namespace {

using namespace tree_view_test;

class TreeViewInputTest : public TreeViewTest {
protected:
    // A (A1, A2 (A2x)), B, C
    void SetUp() override {
        TreeViewTest::SetUp();
        a = insert(TVI_ROOT, "A");
        a1 = insert(a, "A1");
        a2 = insert(a, "A2");
        a2x = insert(a2, "A2x");
        b = insert(TVI_ROOT, "B");
        c = insert(TVI_ROOT, "C");
        TreeView_SelectItem(tree, a);
        notices().clear();
    }
    void key(UINT virtual_key) { SendMessageA(tree, WM_KEYDOWN, virtual_key, 1); }
    HTREEITEM selection() const { return TreeView_GetSelection(tree); }
    // The action of the last TVN_SELCHANGED, or of the last expansion notice.
    UINT last_action(UINT code) const {
        for (auto at = notices().rbegin(); at != notices().rend(); ++at)
            if (at->code == code)
                return at->action;
        return ~0u;
    }
    POINT center_of_label(HTREEITEM item) const {
        const RECT label = item_rect(item, TRUE);
        return POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    }
    POINT center_of_button(HTREEITEM item) const {
        const RECT row = item_rect(item, FALSE);
        const RECT label = item_rect(item, TRUE);
        const int indent = int(TreeView_GetIndent(tree));
        return POINT{label.left - indent + indent / 2, (row.top + row.bottom) / 2};
    }
    void mouse(UINT message, POINT point) {
        SendMessageA(tree, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                     MAKELPARAM(point.x, point.y));
    }
    void click(POINT point) {
        mouse(WM_LBUTTONDOWN, point);
        mouse(WM_LBUTTONUP, point);
    }
    HTREEITEM a, a1, a2, a2x, b, c;
};

TEST_F(TreeViewInputTest, ArrowsMoveThroughTheRows) {
    key(VK_DOWN);
    EXPECT_EQ(selection(), b);
    EXPECT_EQ(last_action(TVN_SELCHANGEDA), UINT(TVC_BYKEYBOARD));
    key(VK_DOWN);
    key(VK_DOWN); // past the last row: stays
    EXPECT_EQ(selection(), c);
    key(VK_HOME);
    EXPECT_EQ(selection(), a);
    key(VK_END);
    EXPECT_EQ(selection(), c);
    key(VK_UP);
    EXPECT_EQ(selection(), b);
    // Every key is reported to the parent first.
    bool reported = false;
    for (const Notice& notice : notices())
        reported |= notice.code == TVN_KEYDOWN && notice.key == VK_UP;
    EXPECT_TRUE(reported);
}

TEST_F(TreeViewInputTest, RightExpandsThenEntersLeftCollapsesThenLeaves) {
    key(VK_RIGHT);
    EXPECT_TRUE(expanded(a));
    EXPECT_EQ(selection(), a);
    EXPECT_EQ(last_action(TVN_ITEMEXPANDINGA), UINT(TVE_EXPAND));
    key(VK_RIGHT);
    EXPECT_EQ(selection(), a1);
    key(VK_DOWN);
    key(VK_RIGHT);
    key(VK_RIGHT);
    EXPECT_EQ(selection(), a2x);
    key(VK_RIGHT); // no children: nothing happens
    EXPECT_EQ(selection(), a2x);
    key(VK_LEFT);
    EXPECT_EQ(selection(), a2);
    key(VK_LEFT);
    EXPECT_FALSE(expanded(a2));
    EXPECT_EQ(last_action(TVN_ITEMEXPANDEDA), UINT(TVE_COLLAPSE));
    EXPECT_EQ(selection(), a2);
    key(VK_BACK);
    EXPECT_EQ(selection(), a);
}

TEST_F(TreeViewInputTest, KeypadSignsExpandCollapseAndExpandAll) {
    key(VK_ADD);
    EXPECT_TRUE(expanded(a));
    EXPECT_FALSE(expanded(a2));
    key(VK_SUBTRACT);
    EXPECT_FALSE(expanded(a));
    key(VK_MULTIPLY);
    EXPECT_EQ(rows(), "A\n  A1\n  A2\n    A2x\nB\nC\n");
}

TEST_F(TreeViewInputTest, PageKeysMoveByAPage) {
    for (int i = 0; i < 40; ++i)
        insert(TVI_ROOT, ("More " + std::to_string(i)).c_str());
    const int page = int(TreeView_GetVisibleCount(tree));
    key(VK_NEXT);
    HTREEITEM expected = a;
    for (int i = 0; i < page - 1; ++i)
        expected = TreeView_GetNextVisible(tree, expected);
    EXPECT_EQ(selection(), expected);
    key(VK_PRIOR);
    EXPECT_EQ(selection(), a);
    key(VK_END);
    // The selection was scrolled into view: the last row is the page's last.
    HTREEITEM last_row = TreeView_GetFirstVisible(tree);
    for (int i = 0; i < page - 1; ++i)
        last_row = TreeView_GetNextVisible(tree, last_row);
    EXPECT_EQ(last_row, selection());
}

TEST_F(TreeViewInputTest, TypingALetterSelectsTheNextRowStartingWithIt) {
    HTREEITEM bravo = insert(TVI_ROOT, "bravo");
    SendMessageA(tree, WM_CHAR, 'b', 1);
    EXPECT_EQ(selection(), b);
    EXPECT_EQ(last_action(TVN_SELCHANGEDA), UINT(TVC_BYKEYBOARD));
    SendMessageA(tree, WM_CHAR, 'B', 1);
    EXPECT_EQ(selection(), bravo);
    // Past the last row the search goes round; hidden rows are skipped.
    SendMessageA(tree, WM_CHAR, 'b', 1);
    EXPECT_EQ(selection(), b);
    SendMessageA(tree, WM_CHAR, 'a', 1);
    EXPECT_EQ(selection(), a);
    SendMessageA(tree, WM_CHAR, 'z', 1);
    EXPECT_EQ(selection(), a);
}

TEST_F(TreeViewInputTest, CollapsingMovesAHiddenSelectionToTheItem) {
    TreeView_SelectItem(tree, a2x);
    TreeView_Expand(tree, a, TVE_COLLAPSE);
    EXPECT_EQ(selection(), a);
}

TEST_F(TreeViewInputTest, ClickOnTheButtonTogglesWithoutSelecting) {
    click(center_of_button(a));
    EXPECT_EQ(GetFocus(), tree);
    EXPECT_TRUE(expanded(a));
    EXPECT_EQ((std::vector<UINT>{TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA}), codes());
    click(center_of_button(a2));
    EXPECT_TRUE(expanded(a2));
    click(center_of_button(a));
    EXPECT_FALSE(expanded(a));
    EXPECT_EQ(selection(), a);
    // Items without children have no button to click.
    click(center_of_button(b));
    EXPECT_EQ(selection(), a);
}

TEST_F(TreeViewInputTest, ClickOnALabelSelectsIt) {
    click(center_of_label(c));
    EXPECT_EQ(selection(), c);
    ASSERT_EQ((std::vector<UINT>{TVN_SELCHANGINGA, TVN_SELCHANGEDA}), codes());
    EXPECT_EQ(last_action(TVN_SELCHANGEDA), UINT(TVC_BYMOUSE));
    // Below the last row nothing is selected.
    const RECT row = item_rect(c, FALSE);
    click(POINT{30, row.bottom + 20});
    EXPECT_EQ(selection(), c);
}

TEST_F(TreeViewInputTest, DoubleClickTogglesUnlessTheParentHandlesIt) {
    const POINT label = center_of_label(a);
    mouse(WM_LBUTTONDOWN, label);
    mouse(WM_LBUTTONUP, label);
    mouse(WM_LBUTTONDBLCLK, label);
    mouse(WM_LBUTTONUP, label);
    EXPECT_TRUE(expanded(a));
    EXPECT_EQ((std::vector<UINT>{NM_DBLCLK, TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA}), codes());
    responder() = [](const NMHDR& header) -> LRESULT { return header.code == NM_DBLCLK; };
    mouse(WM_LBUTTONDBLCLK, label);
    EXPECT_TRUE(expanded(a));
}

TEST_F(TreeViewInputTest, InjectedClickReachesTheControl) {
    SetActiveWindow(parent);
    pump_translated();
    POINT label = center_of_label(b);
    ClientToScreen(tree, &label);
    inject_click(label.x, label.y);
    pump_translated();
    EXPECT_EQ(selection(), b);
}

TEST_F(TreeViewInputTest, ParentMayDestroyTheTreeOnADoubleClickOrAKey) {
    HWND control = tree;
    responder() = [&control](const NMHDR& header) -> LRESULT {
        if (header.code == NM_DBLCLK || header.code == TVN_KEYDOWN)
            DestroyWindow(control);
        return 0;
    };
    mouse(WM_LBUTTONDBLCLK, center_of_label(a));
    EXPECT_FALSE(IsWindow(control));
    create_tree(TVS_HASBUTTONS);
    control = tree;
    insert(TVI_ROOT, "x");
    key(VK_DOWN);
    EXPECT_FALSE(IsWindow(control));
    tree = nullptr;
}

} // namespace
