#pragma once

#include "tree_view_control.h"

#include "windows.h"

namespace mullion {

class TreeViewLayout;

// Whether TVM_EXPAND announces itself: only until the item has been expanded once.
enum class ExpandNotice { Always, UntilExpandedOnce };

// What a tree view does to its items and its view, whoever asks (a message, the keyboard, the
// mouse): each change is announced to the parent as Win32 does, and the parent may change the
// tree while it handles a notification, so items are looked up again by handle afterwards.
class TreeViewOperations {
public:
    TreeViewOperations(HWND hwnd, TreeViewState& state) : m_hwnd(hwnd), m_state(state) {}

    // A new item as TVM_INSERTITEM describes it; null when its parent or predecessor is unknown.
    HTREEITEM insert(const TVINSERTSTRUCTA* in);
    // Deletes the item and its subtree (every item for null or TVI_ROOT), announcing each with
    // TVN_DELETEITEM; a selection among them moves to the next sibling, the previous one or the
    // parent.
    bool remove(HTREEITEM handle);
    // Makes the item the selection (null: none), announced with TVN_SELCHANGING, which the
    // parent may refuse, and TVN_SELCHANGED; the item is brought into view.
    bool select(HTREEITEM handle, UINT action);
    // TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE (with TVE_COLLAPSERESET), between
    // TVN_ITEMEXPANDING, which the parent may refuse, and TVN_ITEMEXPANDED. `cause` is the
    // action a selection moved off the hidden children reports.
    bool expand(HTREEITEM handle, UINT code, UINT cause, ExpandNotice notice);
    // Expands collapsed ancestors and scrolls the item's row and label into the client area.
    // True when only scrolling was needed.
    bool ensure_visible(HTREEITEM handle);

    // The width of the widest shown row, from the left edge of the first column.
    int content_width(const TreeViewLayout& layout) const;
    bool has_children(const TreeItem& item) const;
    void scroll_to(int top);
    // Keeps the scroll positions in range, updates the scroll bars and redraws.
    void refresh();

    // Copies the members a TVITEMA's mask names into an item; selection and drop highlight are
    // the control's own and stay out.
    static void apply(const TVITEMA& in, TreeItem& item);

private:
    DWORD style() const;
    void set_scroll_bar(int bar, int count, int page, int position) const;
    void update_scrolling();

    HWND m_hwnd;
    TreeViewState& m_state;
};

} // namespace mullion
