// CTreeCtrl and CImageList over the platform's tree view and image lists: the insertion
// overloads, walking and reading items, long texts through CString, selection and expansion,
// and an image list that the tree uses but does not own.
#include "framework.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class TreeCtrlTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "Tree parent", WS_POPUP, 0, 0, 300,
                                      300, nullptr, nullptr));
        ASSERT_TRUE(m_tree.Create(WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                                  CRect(0, 0, 200, 200), &m_parent, 1016));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    CWnd m_parent;
    CTreeCtrl m_tree;
};

TEST_F(TreeCtrlTest, InsertedItemsCanBeWalkedAndRead) {
    char name[32] = {};
    GetClassNameA(m_tree, name, sizeof name);
    EXPECT_STREQ(name, "SysTreeView32");
    EXPECT_EQ(GetWindowLongA(m_tree, GWL_STYLE) & WS_CHILD, LONG(WS_CHILD));

    HTREEITEM c = m_tree.InsertItem("C:\\", 0, 0);
    HTREEITEM dir = m_tree.InsertItem("Dir", 3, 4, c);
    HTREEITEM placeholder = m_tree.InsertItem("", 3, 3, dir);
    HTREEITEM d = m_tree.InsertItem("D:\\");
    EXPECT_EQ(m_tree.GetCount(), 4u);
    EXPECT_EQ(m_tree.GetRootItem(), c);
    EXPECT_EQ(m_tree.GetNextSiblingItem(c), d);
    EXPECT_EQ(m_tree.GetChildItem(c), dir);
    EXPECT_EQ(m_tree.GetParentItem(placeholder), dir);
    EXPECT_EQ(m_tree.GetParentItem(c), nullptr);
    EXPECT_STREQ(m_tree.GetItemText(dir), "Dir");
    EXPECT_TRUE(m_tree.GetItemText(placeholder).IsEmpty());
    int image = -1, selected = -1;
    ASSERT_TRUE(m_tree.GetItemImage(dir, image, selected));
    EXPECT_EQ(image, 3);
    EXPECT_EQ(selected, 4);
    EXPECT_TRUE(m_tree.ItemHasChildren(c));
    EXPECT_FALSE(m_tree.ItemHasChildren(d));

    EXPECT_TRUE(m_tree.DeleteItem(placeholder));
    EXPECT_FALSE(m_tree.ItemHasChildren(dir));
    EXPECT_TRUE(m_tree.DeleteItem(c));
    EXPECT_EQ(m_tree.GetCount(), 1u);
}

TEST_F(TreeCtrlTest, LongTextsComeBackWhole) {
    const std::string long_name(700, 'x');
    HTREEITEM item = m_tree.InsertItem(long_name.c_str());
    EXPECT_EQ(std::string(static_cast<LPCTSTR>(m_tree.GetItemText(item))), long_name);
    EXPECT_TRUE(m_tree.SetItemText(item, "short"));
    EXPECT_STREQ(m_tree.GetItemText(item), "short");
}

TEST_F(TreeCtrlTest, SelectionAndExpansion) {
    HTREEITEM c = m_tree.InsertItem("C:\\");
    HTREEITEM dir = m_tree.InsertItem("Dir", c);
    EXPECT_EQ(m_tree.GetSelectedItem(), nullptr);
    // Selecting a hidden item expands its parent.
    EXPECT_TRUE(m_tree.SelectItem(dir));
    EXPECT_EQ(m_tree.GetSelectedItem(), dir);
    EXPECT_TRUE(m_tree.GetItemState(c, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(m_tree.Expand(c, TVE_COLLAPSE));
    EXPECT_FALSE(m_tree.GetItemState(c, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(m_tree.GetSelectedItem(), c);
    EXPECT_FALSE(m_tree.Expand(dir, TVE_EXPAND)); // no children
    EXPECT_TRUE(m_tree.SetItemData(dir, 77));
    EXPECT_EQ(m_tree.GetItemData(dir), DWORD_PTR(77));
}

TEST_F(TreeCtrlTest, ImageListIsLentToTheTree) {
    CImageList images;
    ASSERT_TRUE(images.Create(16, 15, ILC_COLOR | ILC_MASK, 5, 1));
    CBitmap strip;
    CClientDC screen(nullptr);
    ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 80, 15));
    EXPECT_EQ(images.Add(&strip, RGB(255, 0, 255)), 0);
    EXPECT_EQ(images.GetImageCount(), 5);
    EXPECT_EQ(m_tree.SetImageList(&images, TVSIL_NORMAL), nullptr);
    CImageList* lent = m_tree.GetImageList(TVSIL_NORMAL);
    ASSERT_NE(lent, nullptr);
    EXPECT_EQ(lent->GetSafeHandle(), images.GetSafeHandle());
    EXPECT_EQ(m_tree.SetImageList(nullptr, TVSIL_NORMAL)->GetSafeHandle(), images.m_hImageList);

    // The object destroys its list; a detached list outlives it.
    HIMAGELIST handle = images.m_hImageList;
    EXPECT_TRUE(images.DeleteImageList());
    EXPECT_EQ(images.GetSafeHandle(), nullptr);
    EXPECT_EQ(ImageList_GetImageCount(handle), 0);
    int cx = 0, cy = 0;
    EXPECT_FALSE(ImageList_GetIconSize(handle, &cx, &cy));
    EXPECT_FALSE(images.Create(999, 16, 1, RGB(255, 0, 255))); // no such bitmap
}

TEST(ImageListObjectTest, DrawsThroughTheDeviceContext) {
    CImageList images;
    ASSERT_TRUE(images.Create(8, 8, ILC_COLOR | ILC_MASK, 1, 1));
    CClientDC screen(nullptr);
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap picture;
    picture.CreateCompatibleBitmap(&screen, 8, 8);
    CBitmap* previous = memory.SelectObject(&picture);
    memory.FillSolidRect(0, 0, 8, 8, RGB(255, 0, 255));
    memory.FillSolidRect(2, 2, 4, 4, RGB(0, 0, 255));
    memory.SelectObject(previous);
    ASSERT_EQ(images.Add(&picture, RGB(255, 0, 255)), 0);

    CBitmap target;
    target.CreateCompatibleBitmap(&screen, 8, 8);
    previous = memory.SelectObject(&target);
    memory.FillSolidRect(0, 0, 8, 8, RGB(0, 128, 0));
    EXPECT_TRUE(images.Draw(&memory, 0, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_EQ(memory.GetPixel(3, 3), RGB(0, 0, 255));
    EXPECT_EQ(memory.GetPixel(0, 0), RGB(0, 128, 0));
    memory.SelectObject(previous);
}

} // namespace
