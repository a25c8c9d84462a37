// Where the tree view puts things: rows as high as the font's character cell plus a pixel above
// and below (or the images, if taller), one indent per level with a column for the top level's
// lines and buttons under TVS_LINESATROOT, labels as wide as their text plus a margin of 2 on
// each side, hit testing of those parts, and the vertical scroll bar with the selection kept
// in view.
#include "tree_view_test_parent.h"

namespace {

using namespace tree_view_test;

constexpr int kDefaultIndent = 19;

TEST_F(TreeViewTest, RowHeightFollowsTheFontAndTheImages) {
    EXPECT_EQ(TreeView_GetItemHeight(tree), font_height() + 2);
    HFONT large = CreateFontA(-24, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, "Arial");
    SendMessageA(tree, WM_SETFONT, WPARAM(large), TRUE);
    HDC dc = GetDC(tree);
    HGDIOBJ previous = SelectObject(dc, large);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(tree, dc);
    EXPECT_EQ(TreeView_GetItemHeight(tree), metrics.tmHeight + 2);
    SendMessageA(tree, WM_SETFONT, WPARAM(font), TRUE);
    DeleteObject(large);

    HIMAGELIST tall = ImageList_Create(16, 40, ILC_COLOR, 1, 1);
    TreeView_SetImageList(tree, tall, TVSIL_NORMAL);
    EXPECT_EQ(TreeView_GetImageList(tree, TVSIL_NORMAL), tall);
    EXPECT_EQ(TreeView_GetItemHeight(tree), 40);
    // A height set by the program wins until it is reset with -1; odd heights are rounded
    // down to even ones, and heights below 1 become 1.
    EXPECT_EQ(TreeView_SetItemHeight(tree, 25), 40);
    EXPECT_EQ(TreeView_GetItemHeight(tree), 24);
    TreeView_SetItemHeight(tree, -5);
    EXPECT_EQ(TreeView_GetItemHeight(tree), 1);
    TreeView_SetItemHeight(tree, -1);
    EXPECT_EQ(TreeView_GetItemHeight(tree), 40);
    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) | TVS_NONEVENHEIGHT);
    TreeView_SetItemHeight(tree, 25);
    EXPECT_EQ(TreeView_GetItemHeight(tree), 25);
    TreeView_SetImageList(tree, nullptr, TVSIL_NORMAL);
    ImageList_Destroy(tall);
}

TEST_F(TreeViewTest, EachLevelMovesOneIndentRight) {
    EXPECT_EQ(TreeView_GetIndent(tree), UINT(kDefaultIndent));
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    HTREEITEM dir = insert(c, "Dir");
    HTREEITEM sub = insert(dir, "Sub");
    TreeView_SelectItem(tree, sub);
    const int height = TreeView_GetItemHeight(tree);
    // With TVS_LINESATROOT the top level has a column of its own before its label.
    const RECT root = item_rect(c, TRUE);
    EXPECT_EQ(root.left, kDefaultIndent);
    EXPECT_EQ(root.right - root.left, text_width("C:\\") + 4);
    EXPECT_EQ(root.top, 0);
    EXPECT_EQ(root.bottom, height);
    EXPECT_EQ(item_rect(dir, TRUE).left, 2 * kDefaultIndent);
    const RECT deepest = item_rect(sub, TRUE);
    EXPECT_EQ(deepest.left, 3 * kDefaultIndent);
    EXPECT_EQ(deepest.top, 2 * height);
    // The whole row spans the client area.
    RECT client{};
    GetClientRect(tree, &client);
    const RECT row = item_rect(sub, FALSE);
    EXPECT_EQ(row.left, 0);
    EXPECT_EQ(row.right, client.right);
    EXPECT_EQ(row.top, 2 * height);

    TreeView_SetIndent(tree, 30);
    EXPECT_EQ(item_rect(sub, TRUE).left, 3 * 30);
    // A hidden item has no rectangle.
    TreeView_Expand(tree, c, TVE_COLLAPSE);
    RECT hidden{};
    EXPECT_FALSE(TreeView_GetItemRect(tree, sub, &hidden, TRUE));
}

TEST_F(TreeViewTest, WithoutLinesAtRootTopLevelStartsAtTheEdge) {
    create_tree(TVS_HASLINES | TVS_HASBUTTONS);
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    HTREEITEM dir = insert(c, "Dir");
    TreeView_Expand(tree, c, TVE_EXPAND);
    EXPECT_EQ(item_rect(c, TRUE).left, 0);
    EXPECT_EQ(item_rect(dir, TRUE).left, kDefaultIndent);
}

TEST_F(TreeViewTest, ImagesComeBeforeTheLabel) {
    HIMAGELIST images = ImageList_Create(16, 15, ILC_COLOR | ILC_MASK, 5, 1);
    TreeView_SetImageList(tree, images, TVSIL_NORMAL);
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    // Image, a gap of 3 pixels, then the label.
    EXPECT_EQ(item_rect(c, TRUE).left, kDefaultIndent + 16 + 3);
    TreeView_SetImageList(tree, nullptr, TVSIL_NORMAL);
    ImageList_Destroy(images);
}

TEST_F(TreeViewTest, HitTestNamesThePartUnderThePoint) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    insert(c, "Dir");
    HTREEITEM d = insert(TVI_ROOT, "D:\\");
    const int height = TreeView_GetItemHeight(tree);
    const RECT label = item_rect(c, TRUE);
    const auto hit = [this](int x, int y) {
        TVHITTESTINFO info{};
        info.pt = POINT{x, y};
        HTREEITEM item = TreeView_HitTest(tree, &info);
        EXPECT_EQ(item, info.hItem);
        return info;
    };
    TVHITTESTINFO info = hit(kDefaultIndent / 2, height / 2);
    EXPECT_EQ(info.hItem, c);
    EXPECT_EQ(info.flags, UINT(TVHT_ONITEMBUTTON));
    // D: has no children, so its column is only indentation.
    info = hit(kDefaultIndent / 2, height + height / 2);
    EXPECT_EQ(info.hItem, d);
    EXPECT_EQ(info.flags, UINT(TVHT_ONITEMINDENT));
    info = hit(label.left + 3, height / 2);
    EXPECT_EQ(info.flags, UINT(TVHT_ONITEMLABEL));
    info = hit(label.right + 5, height / 2);
    EXPECT_EQ(info.hItem, c);
    EXPECT_EQ(info.flags, UINT(TVHT_ONITEMRIGHT));
    info = hit(5, 3 * height);
    EXPECT_EQ(info.hItem, nullptr);
    EXPECT_EQ(info.flags, UINT(TVHT_NOWHERE));
    info = hit(5, -3);
    EXPECT_EQ(info.flags, UINT(TVHT_ABOVE));
}

TEST_F(TreeViewTest, ScrollBarAppearsWhenRowsOverflowAndSelectionStaysInView) {
    EXPECT_FALSE(GetWindowLongA(tree, GWL_STYLE) & WS_VSCROLL);
    std::vector<HTREEITEM> items;
    for (int i = 0; i < 30; ++i)
        items.push_back(insert(TVI_ROOT, ("Item " + std::to_string(i)).c_str()));
    RECT client{};
    GetClientRect(tree, &client);
    const int page = client.bottom / TreeView_GetItemHeight(tree);
    ASSERT_LT(page, 30);
    EXPECT_EQ(TreeView_GetVisibleCount(tree), UINT(page));
    EXPECT_TRUE(GetWindowLongA(tree, GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL};
    ASSERT_TRUE(GetScrollInfo(tree, SB_VERT, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 29);
    EXPECT_EQ(info.nPage, UINT(page));
    EXPECT_EQ(info.nPos, 0);

    TreeView_SelectItem(tree, items[29]);
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[size_t(30 - page)]);
    GetScrollInfo(tree, SB_VERT, &info);
    EXPECT_EQ(info.nPos, 30 - page);
    TreeView_SelectItem(tree, items[2]);
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[2]);
    SendMessageA(tree, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[3]);
    SendMessageA(tree, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[size_t(30 - page)]);
    // Rows scrolled away lie above the client area.
    EXPECT_LT(item_rect(items[0], TRUE).top, 0);

    // Fewer rows than the page: the bar goes away and the top row comes back.
    for (size_t i = 5; i < items.size(); ++i)
        TreeView_DeleteItem(tree, items[i]);
    EXPECT_FALSE(GetWindowLongA(tree, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[0]);
}

TEST_F(TreeViewTest, WideRowsScrollSideways) {
    create_tree(TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, 120, 150);
    const char* long_name = "A rather long directory name";
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    HTREEITEM dir = insert(c, "Dir");
    HTREEITEM deep = insert(dir, long_name);
    EXPECT_FALSE(GetWindowLongA(tree, GWL_STYLE) & WS_HSCROLL);
    TreeView_Expand(tree, c, TVE_EXPAND);
    TreeView_Expand(tree, dir, TVE_EXPAND);
    EXPECT_TRUE(GetWindowLongA(tree, GWL_STYLE) & WS_HSCROLL);
    // The range is the widest row: three columns, then the label.
    const int widest = 3 * kDefaultIndent + text_width(long_name) + 4;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL};
    ASSERT_TRUE(GetScrollInfo(tree, SB_HORZ, &info));
    EXPECT_EQ(info.nMax + 1, widest);
    RECT client{};
    GetClientRect(tree, &client);
    EXPECT_EQ(info.nPage, UINT(client.right));
    EXPECT_EQ(info.nPos, 0);

    // Selecting the wide item brings its label into view.
    TreeView_SelectItem(tree, deep);
    const RECT label = item_rect(deep, TRUE);
    GetScrollInfo(tree, SB_HORZ, &info);
    EXPECT_GT(info.nPos, 0);
    EXPECT_EQ(label.left, 3 * kDefaultIndent - info.nPos);
    EXPECT_TRUE(label.right <= client.right || label.left == 0);
    SendMessageA(tree, WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(item_rect(deep, TRUE).left, 3 * kDefaultIndent);
    // Selecting a top-level item scrolls back to show it.
    SendMessageA(tree, WM_HSCROLL, SB_RIGHT, 0);
    TreeView_SelectItem(tree, c);
    EXPECT_GE(item_rect(c, TRUE).left, 0);
}

} // namespace
