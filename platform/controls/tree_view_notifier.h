#pragma once

#include "tree_view_model.h"

#include "windows.h"

#include <string>

namespace mullion {

// What an item shows: its own text, images and child count, or the parent's answers for those
// it asked to be called back for.
struct TreeItemDisplay {
    std::string text;
    int image = 0;
    int selected_image = 0;
    bool has_children = false;
};

// The WM_NOTIFY messages a tree view sends its parent. The parent may change the tree while it
// handles any of them, so callers look their items up again by handle afterwards.
class TreeViewNotifier {
public:
    explicit TreeViewNotifier(HWND hwnd) : m_hwnd(hwnd) {}

    // TVN_SELCHANGING; true when the parent refuses the change.
    bool selection_changing(const TreeItem* old_item, const TreeItem* new_item, UINT action) const;
    void selection_changed(const TreeItem* old_item, const TreeItem* new_item, UINT action) const;
    // TVN_ITEMEXPANDING; true when the parent refuses the expansion or collapse.
    bool item_expanding(const TreeItem* item, UINT action) const;
    void item_expanded(const TreeItem* item, UINT action) const;
    void item_deleted(const TreeItem* item) const;
    void key_down(WORD key, UINT flags) const;
    // NM_CLICK, NM_DBLCLK, NM_RCLICK, NM_SETFOCUS, NM_KILLFOCUS: the parent's answer.
    LRESULT simple(UINT code) const;

    TreeItemDisplay display(const TreeItem& item) const;

private:
    LRESULT send(NMHDR& header, UINT code) const;
    bool tree_view(UINT code, const TreeItem* old_item, const TreeItem* new_item,
                   UINT action) const;

    HWND m_hwnd;
};

} // namespace mullion
