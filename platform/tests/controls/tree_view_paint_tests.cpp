// The tree view's pixels, painted through WM_PRINTCLIENT into a memory bitmap: the window
// background, the dotted lines (dots where x + y is even, y counted from the first row), the
// boxed plus and minus of the buttons, the items' images with their transparent parts, and the
// selected label in the highlight colour with the focus, in the 3-D face colour without it
// under TVS_SHOWSELALWAYS, and not at all otherwise.
#include "tree_view_test_parent.h"
#include "control_picture.h"

namespace {

using namespace tree_view_test;

class TreeViewPaintTest : public TreeViewTest {
protected:
    COLORREF window = GetSysColor(COLOR_WINDOW);
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    int indent() const { return int(TreeView_GetIndent(tree)); }
    int height() const { return TreeView_GetItemHeight(tree); }
    // The inside of a label, clear of its focus rectangle.
    static RECT inside(RECT label) {
        InflateRect(&label, -1, -1);
        return label;
    }
};

TEST_F(TreeViewPaintTest, ButtonsShowPlusWhileCollapsedAndMinusWhileExpanded) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    insert(c, "Dir");
    const int x = indent() / 2;
    const int y = height() / 2;
    {
        const ControlPicture picture(tree);
        // The 9 x 9 frame in the shadow colour, white inside, a plus in the text colour.
        EXPECT_EQ(picture.at(x - 4, y - 4), shadow);
        EXPECT_EQ(picture.at(x + 4, y + 4), shadow);
        EXPECT_EQ(picture.at(x - 4, y), shadow);
        EXPECT_EQ(picture.at(x - 3, y - 3), window);
        EXPECT_EQ(picture.at(x - 2, y), text);
        EXPECT_EQ(picture.at(x + 2, y), text);
        EXPECT_EQ(picture.at(x, y - 2), text);
        EXPECT_EQ(picture.at(x, y + 2), text);
    }
    TreeView_Expand(tree, c, TVE_EXPAND);
    const ControlPicture picture(tree);
    EXPECT_EQ(picture.at(x - 2, y), text);
    EXPECT_EQ(picture.at(x, y - 2), window);
    EXPECT_EQ(picture.at(x, y + 2), window);
}

TEST_F(TreeViewPaintTest, DottedLinesJoinChildrenToTheirParent) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    insert(c, "One");
    insert(c, "Two");
    TreeView_Expand(tree, c, TVE_EXPAND);
    const ControlPicture picture(tree);
    const int h = height();
    // The children's column: a vertical line down from row 1's top through row 1 (a sibling
    // follows) to the middle of row 2, the last child.
    const int column_x = indent() + indent() / 2;
    for (int y = h; y < 2 * h + h / 2; ++y)
        EXPECT_EQ(picture.at(column_x, y), (column_x + y) % 2 == 0 ? shadow : window) << y;
    for (int y = 2 * h + h / 2 + 1; y < 3 * h; ++y)
        EXPECT_EQ(picture.at(column_x, y), window) << y;
    // Across to the child's label, in the middle of its row.
    const int middle = h + h / 2;
    for (int x = column_x; x < 2 * indent(); ++x)
        EXPECT_EQ(picture.at(x, middle), (x + middle) % 2 == 0 ? shadow : window) << x;
    // The top-level item's line starts at its middle and continues down to its children.
    const int root_x = indent() / 2;
    EXPECT_EQ(picture.at(root_x, 0), window);
    EXPECT_EQ(picture.at(root_x, 1), window);
}

TEST_F(TreeViewPaintTest, NoLinesWithoutTheStyle) {
    create_tree(TVS_HASBUTTONS | TVS_LINESATROOT);
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    insert(c, "One");
    insert(c, "Two");
    TreeView_Expand(tree, c, TVE_EXPAND);
    const ControlPicture picture(tree);
    // Rows 1 and 2 hold nothing before their labels.
    EXPECT_EQ(picture.count_in(RECT{0, height(), 2 * indent(), 3 * height()}, shadow), 0);
}

TEST_F(TreeViewPaintTest, ImagesAreDrawnWithTheirTransparentPartsLeftAlone) {
    // Two 16 x 16 images on magenta: 0 a red square in the middle, 1 a blue square there.
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR | ILC_MASK, 2, 1);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP strip = CreateCompatibleBitmap(screen, 32, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, strip);
    const auto fill = [dc](RECT area, COLORREF color) {
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    };
    fill(RECT{0, 0, 32, 16}, RGB(255, 0, 255));
    fill(RECT{4, 4, 12, 12}, RGB(255, 0, 0));
    fill(RECT{20, 4, 28, 12}, RGB(0, 0, 255));
    SelectObject(dc, previous);
    DeleteDC(dc);
    ASSERT_EQ(ImageList_AddMasked(images, strip, RGB(255, 0, 255)), 0);
    DeleteObject(strip);
    TreeView_SetImageList(tree, images, TVSIL_NORMAL);
    insert(TVI_ROOT, "C:\\", TVI_LAST, 0, 1);
    HTREEITEM d = insert(TVI_ROOT, "D:\\", TVI_LAST, 0, 1);
    TreeView_SelectItem(tree, d);
    const ControlPicture picture(tree);
    const int h = height();
    const int left = indent();
    const int top_of_c = (h - 16) / 2;
    EXPECT_EQ(picture.at(left + 8, top_of_c + 8), RGB(255, 0, 0));
    EXPECT_EQ(picture.at(left + 1, top_of_c + 1), window);
    // The selected item shows its selected image.
    EXPECT_EQ(picture.at(left + 8, h + top_of_c + 8), RGB(0, 0, 255));
    TreeView_SetImageList(tree, nullptr, TVSIL_NORMAL);
    ImageList_Destroy(images);
}

TEST_F(TreeViewPaintTest, SelectionIsHighlightedWhileFocused) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    HTREEITEM d = insert(TVI_ROOT, "Data");
    TreeView_SelectItem(tree, d);
    SetActiveWindow(parent);
    SetFocus(tree);
    ASSERT_EQ(GetFocus(), tree);
    const ControlPicture picture(tree);
    const RECT selected = inside(item_rect(d, TRUE));
    const int area = (selected.right - selected.left) * (selected.bottom - selected.top);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const int filled = picture.count_in(selected, highlight);
    const int lettered = picture.count_in(selected, GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_GT(lettered, 0);
    EXPECT_EQ(filled + lettered, area);
    // The other label is plain text on the window colour.
    const RECT plain = item_rect(c, TRUE);
    EXPECT_EQ(picture.count_in(plain, highlight), 0);
    EXPECT_GT(picture.count_in(plain, text), 0);
}

TEST_F(TreeViewPaintTest, UnfocusedSelectionShowsOnlyWhenAskedTo) {
    HTREEITEM d = insert(TVI_ROOT, "Data");
    TreeView_SelectItem(tree, d);
    SetFocus(parent);
    const RECT label = inside(item_rect(d, TRUE));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    {
        const ControlPicture picture(tree);
        EXPECT_EQ(picture.count_in(label, GetSysColor(COLOR_HIGHLIGHT)), 0);
        EXPECT_EQ(picture.count_in(label, face), 0);
    }
    create_tree(TVS_HASLINES | TVS_SHOWSELALWAYS);
    HTREEITEM again = insert(TVI_ROOT, "Data");
    TreeView_SelectItem(tree, again);
    const ControlPicture picture(tree);
    const RECT kept = inside(item_rect(again, TRUE));
    const int area = (kept.right - kept.left) * (kept.bottom - kept.top);
    EXPECT_EQ(picture.count_in(kept, face) + picture.count_in(kept, text), area);
    EXPECT_GT(picture.count_in(kept, face), area / 2);
}

TEST_F(TreeViewPaintTest, ProgramColoursReplaceTheSystemOnes) {
    EXPECT_EQ(TreeView_GetBkColor(tree), COLORREF(-1));
    EXPECT_EQ(TreeView_SetBkColor(tree, RGB(0, 0, 128)), COLORREF(-1));
    TreeView_SetTextColor(tree, RGB(255, 255, 0));
    EXPECT_EQ(TreeView_GetTextColor(tree), RGB(255, 255, 0));
    HTREEITEM item = insert(TVI_ROOT, "Data");
    const ControlPicture picture(tree);
    const RECT label = item_rect(item, TRUE);
    const int area = (label.right - label.left) * (label.bottom - label.top);
    const int back = picture.count_in(label, RGB(0, 0, 128));
    const int letters = picture.count_in(label, RGB(255, 255, 0));
    EXPECT_GT(letters, 0);
    EXPECT_EQ(back + letters, area);
    EXPECT_EQ(picture.at(150, 100), RGB(0, 0, 128));
    // -1 goes back to the system colour.
    TreeView_SetBkColor(tree, COLORREF(-1));
    const ControlPicture restored(tree);
    EXPECT_EQ(restored.at(150, 100), window);
}

} // namespace
