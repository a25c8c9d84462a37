#pragma once

#include "windows.h"

#include "commctrl.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace mullion {

// One item of a tree view. Its handle is a number the model hands out once, so that a handle
// of a deleted item is refused instead of reaching freed memory.
struct TreeItem {
    uintptr_t id = 0;
    std::string text;
    // The text, images or child count come from the parent (TVN_GETDISPINFO) when asked.
    bool text_callback = false;
    int image = 0;
    int selected_image = 0;
    // TVIF_CHILDREN: 0 or 1 says whether the item has children regardless of the items it
    // holds, I_CHILDRENCALLBACK asks the parent; unset means "look at the children".
    std::optional<int> children_flag;
    LPARAM param = 0;
    // TVIS_ bits kept per item; the selection is the tree view's own (its caret).
    UINT state = 0;
    TreeItem* parent = nullptr;
    std::vector<std::unique_ptr<TreeItem>> children;
    // The width of the text in the font it was measured with, kept because every change of the
    // tree measures all shown rows; -1 until measured.
    mutable int measured_width = -1;
    mutable HFONT measured_font = nullptr;

    bool expanded() const { return (state & TVIS_EXPANDED) != 0; }
};

// Where a new item goes among its siblings.
enum class InsertPosition { First, Last, Sorted, After };

// The items of a tree view: an ordered tree below an invisible root, handles for items, and
// the order in which the expanded part of the tree shows (the "visible" items, row by row).
class TreeViewModel {
public:
    TreeViewModel();

    // Null for a null handle, TVI_ROOT or an unknown handle.
    TreeItem* find(HTREEITEM handle) const;
    static HTREEITEM handle_of(const TreeItem* item);
    // The invisible item whose children are the top-level items.
    TreeItem* root() const { return m_root.get(); }
    size_t count() const { return m_items.size(); }

    // Inserts a new item under `parent` (the root for null); `after` names the sibling to follow
    // for InsertPosition::After and must be a child of `parent`. Null when it is not.
    TreeItem* insert(TreeItem* parent, InsertPosition position, const TreeItem* after,
                     TreeItem item);
    // Removes the item and its subtree; the items are gone once this returns.
    void remove(TreeItem* item);
    // Orders the item's children (the top-level items for the root) by their texts, ignoring
    // case and keeping equal texts in their order; with `recursive`, every level below too.
    void sort_children(TreeItem* parent, bool recursive);
    // The item and every item below it, the item first and each parent before its children.
    std::vector<TreeItem*> subtree(TreeItem* item) const;

    static TreeItem* first_child(const TreeItem* item);
    static TreeItem* next_sibling(const TreeItem* item);
    static TreeItem* previous_sibling(const TreeItem* item);
    // Null for top-level items.
    TreeItem* parent_of(const TreeItem* item) const;
    // 0 for a top-level item.
    static int level(const TreeItem* item);
    // True when `item` lies below `ancestor` (not when they are the same).
    static bool is_descendant(const TreeItem* item, const TreeItem* ancestor);
    // Whether every ancestor is expanded, so the item has a row.
    bool is_shown(const TreeItem* item) const;

    // The items that have rows, top to bottom.
    std::vector<TreeItem*> visible_items() const;
    // The item's row counted from the first, or -1 while a collapsed ancestor hides it.
    int row_of(const TreeItem* item) const;
    // The next and previous rows' items; null past either end.
    TreeItem* next_visible(const TreeItem* item) const;
    TreeItem* previous_visible(const TreeItem* item) const;

private:
    // Where among `parent`'s children a new item with this text goes for each position.
    size_t insertion_index(const TreeItem* parent, InsertPosition position, const TreeItem* after,
                           const std::string& text) const;
    void forget(TreeItem* item);

    std::unique_ptr<TreeItem> m_root;
    std::unordered_map<uintptr_t, TreeItem*> m_items;
    uintptr_t m_next_id = 1;
};

} // namespace mullion
