// The tree view driven by TVM_ messages, with the parent's notifications logged: inserting and
// reading items, walking the tree, deleting subtrees (TVN_DELETEITEM for every item, the
// selection moved off them), selecting (TVN_SELCHANGING, which the parent may refuse, then
// TVN_SELCHANGED), expanding (TVN_ITEMEXPANDING, refusable, then TVN_ITEMEXPANDED; TVM_EXPAND
// announces only the first expansion) and children filled in while an item expands.
#include "tree_view_test_parent.h"

namespace {

using namespace tree_view_test;

const std::vector<UINT> kSelection{TVN_SELCHANGINGA, TVN_SELCHANGEDA};
const std::vector<UINT> kExpansion{TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA};

TEST_F(TreeViewTest, ClassNameAndItemsRoundTrip) {
    char name[64] = {};
    GetClassNameA(tree, name, sizeof name);
    EXPECT_STREQ(name, "SysTreeView32");
    TVINSERTSTRUCTA insertion{};
    insertion.hParent = TVI_ROOT;
    insertion.hInsertAfter = TVI_LAST;
    insertion.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insertion.item.pszText = const_cast<char*>("C:\\");
    insertion.item.iImage = 3;
    insertion.item.iSelectedImage = 4;
    insertion.item.lParam = 1234;
    HTREEITEM item = TreeView_InsertItem(tree, &insertion);
    ASSERT_NE(item, nullptr);
    TVITEMA query{};
    char buffer[3] = {};
    query.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    query.hItem = item;
    query.pszText = buffer;
    query.cchTextMax = sizeof buffer;
    ASSERT_TRUE(TreeView_GetItem(tree, &query));
    EXPECT_STREQ(buffer, "C:"); // cut to the buffer, terminated
    EXPECT_EQ(query.iImage, 3);
    EXPECT_EQ(query.iSelectedImage, 4);
    EXPECT_EQ(query.lParam, 1234);
    EXPECT_EQ(query.cChildren, 0);

    TVITEMA change{};
    change.mask = TVIF_TEXT | TVIF_IMAGE;
    change.hItem = item;
    change.pszText = const_cast<char*>("D:\\");
    change.iImage = 1;
    ASSERT_TRUE(TreeView_SetItem(tree, &change));
    EXPECT_EQ(text_of(item), "D:\\");
    EXPECT_EQ(TreeView_GetCount(tree), 1u);
}

TEST_F(TreeViewTest, NavigationFollowsTheTree) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    HTREEITEM d = insert(TVI_ROOT, "D:\\");
    HTREEITEM windows = insert(c, "Windows");
    HTREEITEM temp = insert(c, "Temp");
    HTREEITEM first = insert(c, "AAA", TVI_FIRST);
    HTREEITEM middle = insert(c, "Middle", windows);
    EXPECT_EQ(TreeView_GetRoot(tree), c);
    EXPECT_EQ(TreeView_GetNextSibling(tree, c), d);
    EXPECT_EQ(TreeView_GetNextSibling(tree, d), nullptr);
    EXPECT_EQ(TreeView_GetPrevSibling(tree, d), c);
    EXPECT_EQ(TreeView_GetChild(tree, c), first);
    EXPECT_EQ(TreeView_GetChild(tree, TVI_ROOT), c);
    EXPECT_EQ(TreeView_GetNextSibling(tree, windows), middle);
    EXPECT_EQ(TreeView_GetNextSibling(tree, middle), temp);
    EXPECT_EQ(TreeView_GetParent(tree, temp), c);
    EXPECT_EQ(TreeView_GetParent(tree, c), nullptr);
    // Children of a collapsed item have no rows.
    EXPECT_EQ(TreeView_GetNextVisible(tree, c), d);
    EXPECT_EQ(TreeView_GetNextVisible(tree, windows), nullptr);
    EXPECT_EQ(TreeView_GetLastVisible(tree), d);
    EXPECT_EQ(rows(), "C:\\\nD:\\\n");
    // A parent that does not exist, or a sibling that is not under the parent, is refused.
    EXPECT_EQ(insert(reinterpret_cast<HTREEITEM>(INT_PTR(0x7777)), "x"), nullptr);
    EXPECT_EQ(insert(d, "x", windows), nullptr);
}

TEST_F(TreeViewTest, DeletingAnItemDeletesItsSubtree) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    HTREEITEM dir = insert(c, "Dir");
    HTREEITEM sub = insert(dir, "Sub");
    HTREEITEM other = insert(c, "Other");
    notices().clear();
    EXPECT_TRUE(TreeView_DeleteItem(tree, dir));
    std::vector<HTREEITEM> deleted;
    for (const Notice& notice : notices())
        if (notice.code == TVN_DELETEITEMA)
            deleted.push_back(notice.old_item);
    EXPECT_EQ(deleted, (std::vector<HTREEITEM>{dir, sub}));
    EXPECT_EQ(TreeView_GetCount(tree), 2u);
    EXPECT_EQ(TreeView_GetChild(tree, c), other);
    // The handles of deleted items no longer work.
    EXPECT_EQ(text_of(sub), "<none>");
    EXPECT_FALSE(TreeView_DeleteItem(tree, sub));
    EXPECT_TRUE(TreeView_DeleteAllItems(tree));
    EXPECT_EQ(TreeView_GetCount(tree), 0u);
    EXPECT_EQ(TreeView_GetRoot(tree), nullptr);
}

TEST_F(TreeViewTest, SelectingAnnouncesOldAndNewItems) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    HTREEITEM d = insert(TVI_ROOT, "D:\\");
    ASSERT_TRUE(TreeView_SelectItem(tree, c));
    ASSERT_EQ(codes(), kSelection);
    EXPECT_EQ(notices()[0].old_item, nullptr);
    EXPECT_EQ(notices()[0].new_item, c);
    EXPECT_EQ(notices()[1].action, UINT(TVC_UNKNOWN));
    EXPECT_EQ(TreeView_GetSelection(tree), c);
    EXPECT_TRUE(state_of(c) & TVIS_SELECTED);
    // Selecting the selected item again changes nothing and says nothing.
    notices().clear();
    EXPECT_TRUE(TreeView_SelectItem(tree, c));
    EXPECT_TRUE(codes().empty());
    TreeView_SelectItem(tree, d);
    ASSERT_EQ(codes(), kSelection);
    EXPECT_EQ(notices()[1].old_item, c);
    EXPECT_EQ(notices()[1].new_item, d);
    EXPECT_FALSE(state_of(c) & TVIS_SELECTED);
}

TEST_F(TreeViewTest, ParentCanRefuseASelectionChange) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    HTREEITEM d = insert(TVI_ROOT, "D:\\");
    TreeView_SelectItem(tree, c);
    responder() = [](const NMHDR& header) -> LRESULT { return header.code == TVN_SELCHANGINGA; };
    notices().clear();
    EXPECT_FALSE(TreeView_SelectItem(tree, d));
    EXPECT_EQ(codes(), std::vector<UINT>{TVN_SELCHANGINGA});
    EXPECT_EQ(TreeView_GetSelection(tree), c);
}

TEST_F(TreeViewTest, SelectingAHiddenItemExpandsItsParents) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    HTREEITEM dir = insert(c, "Dir");
    HTREEITEM sub = insert(dir, "Sub");
    TreeView_SelectItem(tree, sub);
    EXPECT_EQ(codes(), (std::vector<UINT>{TVN_SELCHANGINGA, TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA,
                                          TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA, TVN_SELCHANGEDA}));
    EXPECT_EQ(rows(), "C:\\\n  Dir\n    Sub\n");
}

TEST_F(TreeViewTest, DeletingTheSelectionSelectsANeighbour) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    HTREEITEM a = insert(c, "A");
    HTREEITEM b = insert(c, "B");
    HTREEITEM inner = insert(b, "Inner");
    TreeView_SelectItem(tree, inner);
    // The next sibling first, then the previous one, then the parent.
    TreeView_DeleteItem(tree, inner);
    EXPECT_EQ(TreeView_GetSelection(tree), b);
    TreeView_DeleteItem(tree, b);
    EXPECT_EQ(TreeView_GetSelection(tree), a);
    TreeView_DeleteItem(tree, a);
    EXPECT_EQ(TreeView_GetSelection(tree), c);
    TreeView_DeleteItem(tree, c);
    EXPECT_EQ(TreeView_GetSelection(tree), nullptr);
}

TEST_F(TreeViewTest, ExpandMessageAnnouncesOnlyTheFirstExpansion) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    insert(c, "Dir");
    HTREEITEM empty = insert(TVI_ROOT, "Empty");
    EXPECT_FALSE(TreeView_Expand(tree, empty, TVE_EXPAND)); // nothing to expand
    EXPECT_FALSE(TreeView_Expand(tree, c, TVE_COLLAPSE));   // already collapsed
    EXPECT_TRUE(codes().empty());
    EXPECT_TRUE(TreeView_Expand(tree, c, TVE_EXPAND));
    ASSERT_EQ(codes(), kExpansion);
    EXPECT_EQ(notices()[0].action, UINT(TVE_EXPAND));
    EXPECT_EQ(notices()[0].new_item, c);
    EXPECT_TRUE(TreeView_Expand(tree, c, TVE_EXPAND)); // already expanded: success
    EXPECT_TRUE(state_of(c) & TVIS_EXPANDEDONCE);
    notices().clear();
    EXPECT_TRUE(TreeView_Expand(tree, c, TVE_TOGGLE));
    EXPECT_FALSE(expanded(c));
    EXPECT_TRUE(TreeView_Expand(tree, c, TVE_EXPAND));
    EXPECT_TRUE(codes().empty());
    // Collapsing with a reset removes the children and announces itself again.
    EXPECT_TRUE(TreeView_Expand(tree, c, TVE_COLLAPSE | TVE_COLLAPSERESET));
    EXPECT_EQ(TreeView_GetChild(tree, c), nullptr);
    EXPECT_FALSE(state_of(c) & TVIS_EXPANDEDONCE);
}

TEST_F(TreeViewTest, ParentCanRefuseAnExpansion) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    insert(c, "Dir");
    responder() = [](const NMHDR& header) -> LRESULT { return header.code == TVN_ITEMEXPANDINGA; };
    EXPECT_FALSE(TreeView_Expand(tree, c, TVE_EXPAND));
    EXPECT_EQ(codes(), std::vector<UINT>{TVN_ITEMEXPANDINGA});
    EXPECT_FALSE(expanded(c));
    EXPECT_EQ(rows(), "C:\\\n");
}

// The installer's way: an item carries one empty placeholder child; expanding it replaces the
// placeholder with the real children, or refuses when there are none.
TEST_F(TreeViewTest, ChildrenFilledInWhileExpanding) {
    HTREEITEM full = insert(TVI_ROOT, "Full");
    insert(full, "");
    HTREEITEM bare = insert(TVI_ROOT, "Bare");
    insert(bare, "");
    HWND control = tree;
    responder() = [control, full](const NMHDR& header) -> LRESULT {
        if (header.code != TVN_ITEMEXPANDINGA)
            return 0;
        const auto& notice = reinterpret_cast<const NMTREEVIEWA&>(header);
        if (notice.action != TVE_EXPAND)
            return 0;
        HTREEITEM item = notice.itemNew.hItem;
        TreeView_DeleteItem(control, TreeView_GetChild(control, item));
        if (item != full)
            return TRUE;
        for (const char* name : {"One", "Two"}) {
            TVINSERTSTRUCTA insertion{};
            insertion.hParent = item;
            insertion.hInsertAfter = TVI_LAST;
            insertion.item.mask = TVIF_TEXT;
            insertion.item.pszText = const_cast<char*>(name);
            TreeView_InsertItem(control, &insertion);
        }
        return FALSE;
    };
    EXPECT_TRUE(TreeView_Expand(tree, full, TVE_EXPAND));
    EXPECT_FALSE(TreeView_Expand(tree, bare, TVE_EXPAND));
    EXPECT_EQ(rows(), "Full\n  One\n  Two\nBare\n");
    EXPECT_TRUE(expanded(full));
    EXPECT_FALSE(expanded(bare));
    EXPECT_EQ(TreeView_GetChild(tree, bare), nullptr);
}

TEST_F(TreeViewTest, ChildrenFlagAndCallbacksAskTheParent) {
    TVINSERTSTRUCTA insertion{};
    insertion.hParent = TVI_ROOT;
    insertion.hInsertAfter = TVI_LAST;
    insertion.item.mask = TVIF_TEXT | TVIF_CHILDREN;
    insertion.item.pszText = LPSTR_TEXTCALLBACKA;
    insertion.item.cChildren = 1;
    HTREEITEM item = TreeView_InsertItem(tree, &insertion);
    responder() = [](const NMHDR& header) -> LRESULT {
        if (header.code == TVN_GETDISPINFOA) {
            auto& info = const_cast<NMTVDISPINFOA&>(reinterpret_cast<const NMTVDISPINFOA&>(header));
            if (info.item.mask & TVIF_TEXT)
                lstrcpynA(info.item.pszText, "Asked", info.item.cchTextMax);
        }
        return 0;
    };
    EXPECT_EQ(text_of(item), "Asked");
    // Said to have children though it has none yet: it can be expanded.
    EXPECT_TRUE(TreeView_Expand(tree, item, TVE_EXPAND));
    EXPECT_EQ(codes(), kExpansion);
}

TEST_F(TreeViewTest, DestroyingTheControlDeletesEveryItem) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    insert(c, "Dir");
    TreeView_SelectItem(tree, insert(TVI_ROOT, "D:\\"));
    notices().clear();
    DestroyWindow(tree);
    tree = nullptr;
    EXPECT_EQ(codes(), std::vector<UINT>(3, TVN_DELETEITEMA));
}

TEST_F(TreeViewTest, SortingOrdersChildrenByText) {
    HTREEITEM root = insert(TVI_ROOT, "root");
    HTREEITEM beta = insert(root, "beta");
    insert(beta, "z");
    insert(beta, "Y");
    insert(root, "Alpha");
    insert(root, "gamma");
    insert(TVI_ROOT, "another");
    EXPECT_TRUE(TreeView_SortChildren(tree, root, FALSE));
    TreeView_Expand(tree, root, TVE_EXPAND);
    TreeView_Expand(tree, beta, TVE_EXPAND);
    EXPECT_EQ(rows(), "root\n  Alpha\n  beta\n    z\n    Y\n  gamma\nanother\n");
    EXPECT_TRUE(TreeView_SortChildren(tree, TVI_ROOT, TRUE));
    EXPECT_EQ(rows(), "another\nroot\n  Alpha\n  beta\n    Y\n    z\n  gamma\n");
    // Inserting with TVI_SORT puts the item in its place.
    insert(root, "delta", TVI_SORT);
    EXPECT_EQ(text_of(TreeView_GetNextSibling(tree, beta)), "delta");
}

} // namespace
