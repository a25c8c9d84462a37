// The tree view's item model: insertion positions among siblings, handles that stop working
// once their item is deleted, levels and ancestry, and the order of the rows that the expanded
// part of the tree shows.
#include "controls/tree_view_model.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using mullion::InsertPosition;
using mullion::TreeItem;
using mullion::TreeViewModel;

TreeItem named(const char* text) {
    TreeItem item;
    item.text = text;
    return item;
}

std::string texts(const std::vector<TreeItem*>& items) {
    std::string result;
    for (const TreeItem* item : items)
        result += (result.empty() ? "" : " ") + item->text;
    return result;
}

std::string children_of(const TreeItem* item) {
    std::string result;
    for (const auto& child : item->children)
        result += (result.empty() ? "" : " ") + child->text;
    return result;
}

TEST(TreeViewModelTest, InsertionPositionsAmongSiblings) {
    TreeViewModel model;
    TreeItem* b = model.insert(nullptr, InsertPosition::Last, nullptr, named("b"));
    model.insert(nullptr, InsertPosition::First, nullptr, named("a"));
    model.insert(nullptr, InsertPosition::Last, nullptr, named("d"));
    model.insert(nullptr, InsertPosition::After, b, named("c"));
    EXPECT_EQ(children_of(model.root()), "a b c d");
    // Sorting ignores case and puts an equal text after the ones already there.
    TreeItem* parent = model.insert(nullptr, InsertPosition::Last, nullptr, named("p"));
    for (const char* text : {"delta", "Alpha", "charlie", "bravo", "alpha"})
        model.insert(parent, InsertPosition::Sorted, nullptr, named(text));
    EXPECT_EQ(children_of(parent), "Alpha alpha bravo charlie delta");
    // "After" an item that is not a child of the parent is refused.
    EXPECT_EQ(model.insert(parent, InsertPosition::After, b, named("x")), nullptr);
    EXPECT_EQ(model.count(), 10u);
}

TEST(TreeViewModelTest, HandlesFindTheirItemsUntilDeleted) {
    TreeViewModel model;
    TreeItem* top = model.insert(nullptr, InsertPosition::Last, nullptr, named("top"));
    TreeItem* child = model.insert(top, InsertPosition::Last, nullptr, named("child"));
    const HTREEITEM top_handle = TreeViewModel::handle_of(top);
    const HTREEITEM child_handle = TreeViewModel::handle_of(child);
    EXPECT_NE(top_handle, child_handle);
    EXPECT_EQ(model.find(top_handle), top);
    EXPECT_EQ(model.find(TVI_ROOT), nullptr);
    EXPECT_EQ(model.find(nullptr), nullptr);
    EXPECT_EQ(texts(model.subtree(top)), "top child");
    model.remove(top);
    EXPECT_EQ(model.find(top_handle), nullptr);
    EXPECT_EQ(model.find(child_handle), nullptr);
    EXPECT_EQ(model.count(), 0u);
    // A new item never takes an old handle.
    TreeItem* again = model.insert(nullptr, InsertPosition::Last, nullptr, named("again"));
    EXPECT_NE(TreeViewModel::handle_of(again), top_handle);
    EXPECT_NE(TreeViewModel::handle_of(again), child_handle);
}

class TreeViewModelShape : public testing::Test {
protected:
    // a (b (c), d), e (f)
    void SetUp() override {
        a = model.insert(nullptr, InsertPosition::Last, nullptr, named("a"));
        b = model.insert(a, InsertPosition::Last, nullptr, named("b"));
        c = model.insert(b, InsertPosition::Last, nullptr, named("c"));
        d = model.insert(a, InsertPosition::Last, nullptr, named("d"));
        e = model.insert(nullptr, InsertPosition::Last, nullptr, named("e"));
        f = model.insert(e, InsertPosition::Last, nullptr, named("f"));
    }
    TreeViewModel model;
    TreeItem *a, *b, *c, *d, *e, *f;
};

TEST_F(TreeViewModelShape, LevelsSiblingsAndAncestry) {
    EXPECT_EQ(TreeViewModel::level(a), 0);
    EXPECT_EQ(TreeViewModel::level(c), 2);
    EXPECT_EQ(TreeViewModel::next_sibling(b), d);
    EXPECT_EQ(TreeViewModel::next_sibling(d), nullptr);
    EXPECT_EQ(TreeViewModel::previous_sibling(e), a);
    EXPECT_EQ(TreeViewModel::first_child(a), b);
    EXPECT_EQ(model.parent_of(a), nullptr);
    EXPECT_EQ(model.parent_of(c), b);
    EXPECT_TRUE(TreeViewModel::is_descendant(c, a));
    EXPECT_FALSE(TreeViewModel::is_descendant(a, a));
    EXPECT_FALSE(TreeViewModel::is_descendant(f, a));
}

TEST_F(TreeViewModelShape, RowsFollowExpansion) {
    EXPECT_EQ(texts(model.visible_items()), "a e");
    EXPECT_FALSE(model.is_shown(b));
    a->state |= TVIS_EXPANDED;
    EXPECT_EQ(texts(model.visible_items()), "a b d e");
    b->state |= TVIS_EXPANDED;
    e->state |= TVIS_EXPANDED;
    EXPECT_EQ(texts(model.visible_items()), "a b c d e f");
    EXPECT_EQ(model.next_visible(c), d);
    EXPECT_EQ(model.next_visible(d), e);
    EXPECT_EQ(model.previous_visible(e), d);
    EXPECT_EQ(model.previous_visible(d), c);
    EXPECT_EQ(model.previous_visible(b), a);
    EXPECT_EQ(model.previous_visible(a), nullptr);
    EXPECT_EQ(model.next_visible(f), nullptr);
    // Collapsing an ancestor hides the rows below it, expanded or not.
    a->state &= ~UINT(TVIS_EXPANDED);
    EXPECT_EQ(texts(model.visible_items()), "a e f");
    EXPECT_FALSE(model.is_shown(c));
}

TEST_F(TreeViewModelShape, RemovingAMiddleItemKeepsTheOthersInOrder) {
    a->state |= TVIS_EXPANDED;
    model.remove(b);
    EXPECT_EQ(children_of(a), "d");
    EXPECT_EQ(texts(model.visible_items()), "a d e");
    EXPECT_EQ(model.count(), 4u);
}

} // namespace
