// The scripted driver's dump shows a tree view's rows as a person sees them: each shown item
// with its text, level, expansion and selection, children only under expanded items, and the
// selected item's text as the control's selection.
#include "tree_view_test_parent.h"

#include "display/window_dump.h"

namespace {

using namespace tree_view_test;

// The dump of the test's parent window, from its own entry to the next top-level window.
std::string parent_dump() {
    const std::string all = mullion::dump_windows_json();
    const size_t start = all.find("\"TreeViewTestParent\"");
    return start == std::string::npos ? std::string() : all.substr(start);
}

size_t count_of(const std::string& text, const std::string& wanted) {
    size_t count = 0;
    for (size_t at = text.find(wanted); at != std::string::npos; at = text.find(wanted, at + 1))
        ++count;
    return count;
}

TEST_F(TreeViewTest, DumpListsTheShownItems) {
    HTREEITEM c = insert(TVI_ROOT, "C:\\");
    HTREEITEM dir = insert(c, "Dir");
    insert(dir, "Hidden");
    insert(TVI_ROOT, "D:\\");
    TreeView_Expand(tree, c, TVE_EXPAND);
    TreeView_SelectItem(tree, dir);
    const std::string dump = parent_dump();
    ASSERT_FALSE(dump.empty());
    EXPECT_NE(dump.find("\"class\": \"SysTreeView32\""), std::string::npos);
    EXPECT_NE(dump.find("\"selection\": \"Dir\""), std::string::npos);
    EXPECT_EQ(count_of(dump, "\"text\": \"C:\\\\\""), 1u);
    EXPECT_EQ(count_of(dump, "\"text\": \"Dir\""), 1u);
    // Dir is collapsed: its child has no row.
    EXPECT_EQ(count_of(dump, "Hidden"), 0u);
    EXPECT_EQ(count_of(dump, "\"level\": 1"), 1u);
    EXPECT_EQ(count_of(dump, "\"level\": 0"), 2u);
    EXPECT_EQ(count_of(dump, "\"selected\": true"), 1u);
    EXPECT_EQ(count_of(dump, "\"expanded\": true"), 1u);
}

} // namespace
