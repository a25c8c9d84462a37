#include "tree_view_operations.h"

#include "tree_view_layout.h"
#include "tree_view_notifier.h"

#include <algorithm>

namespace mullion {

namespace {

constexpr UINT kept_out_of_item_state = TVIS_SELECTED | TVIS_DROPHILITED;

bool in_subtree(const TreeItem* item, const TreeItem* top) {
    return item && (item == top || TreeViewModel::is_descendant(item, top));
}

} // namespace

DWORD TreeViewOperations::style() const {
    return DWORD(GetWindowLongA(m_hwnd, GWL_STYLE));
}

int TreeViewOperations::content_width(const TreeViewLayout& layout) const {
    const std::vector<TreeItem*> rows = m_state.model.visible_items();
    const TreeViewNotifier notifier(m_hwnd);
    int widest = 0;
    for (size_t row = 0; row < rows.size(); ++row) {
        const RECT label =
            layout.label_rect(*rows[row], int(row), notifier.display(*rows[row]).text);
        widest = std::max(widest, int(label.right) + m_state.left);
    }
    return widest;
}

void TreeViewOperations::set_scroll_bar(int bar, int count, int page, int position) const {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, count - 1);
    info.nPage = UINT(std::max(page, 1));
    info.nPos = position;
    SetScrollInfo(m_hwnd, bar, &info, TRUE);
}

// Keeps the scroll positions in range and the scroll bars up to date. Showing or hiding one bar
// changes the room for the other, so each bar is set from the geometry of the moment.
void TreeViewOperations::update_scrolling() {
    const DWORD current_style = style();
    const int rows = int(m_state.model.visible_items().size());
    const auto vertical = [&] {
        const int page = TreeViewLayout(m_hwnd, m_state).rows_per_page();
        m_state.top = std::clamp(m_state.top, 0, std::max(0, rows - page));
        if (!(current_style & TVS_NOSCROLL))
            set_scroll_bar(SB_VERT, rows, page, m_state.top);
    };
    vertical();
    const TreeViewLayout layout(m_hwnd, m_state);
    const int width = content_width(layout);
    const int page = int(layout.client().right - layout.client().left);
    m_state.left = std::clamp(m_state.left, 0, std::max(0, width - page));
    if (!(current_style & (TVS_NOSCROLL | TVS_NOHSCROLL))) {
        set_scroll_bar(SB_HORZ, width, page, m_state.left);
        vertical();
    }
}

void TreeViewOperations::refresh() {
    update_scrolling();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void TreeViewOperations::scroll_to(int top) {
    m_state.top = top;
    refresh();
}

bool TreeViewOperations::has_children(const TreeItem& item) const {
    return TreeViewNotifier(m_hwnd).display(item).has_children;
}

bool TreeViewOperations::expand(HTREEITEM handle, UINT code, UINT cause, ExpandNotice notice) {
    TreeItem* item = m_state.model.find(handle);
    if (!item)
        return false;
    UINT action = code & TVE_TOGGLE;
    if (action == TVE_TOGGLE)
        action = item->expanded() ? TVE_COLLAPSE : TVE_EXPAND;
    if (action == 0 || !has_children(*item))
        return false;
    if (action == TVE_EXPAND && item->expanded())
        return true;
    const bool reset = action == TVE_COLLAPSE && (code & TVE_COLLAPSERESET);
    if (action == TVE_COLLAPSE && !item->expanded() && !reset)
        return false;
    // A selection about to be hidden moves up to the item being collapsed.
    if (action == TVE_COLLAPSE && TreeViewModel::is_descendant(m_state.selected, item)) {
        select(handle, cause);
        item = m_state.model.find(handle);
        if (!item)
            return false;
    }
    const bool notify =
        notice == ExpandNotice::Always || !(item->state & TVIS_EXPANDEDONCE) || reset;
    const TreeViewNotifier notifier(m_hwnd);
    if (notify && notifier.item_expanding(item, action))
        return false;
    item = m_state.model.find(handle);
    if (!item)
        return false;
    if (action == TVE_EXPAND) {
        if (!has_children(*item))
            return false;
        item->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    } else {
        item->state &= ~UINT(TVIS_EXPANDED);
        if (reset) {
            item->state &= ~UINT(TVIS_EXPANDEDONCE);
            while (TreeItem* child = TreeViewModel::first_child(item)) {
                const HTREEITEM child_handle = TreeViewModel::handle_of(child);
                remove(child_handle);
                item = m_state.model.find(handle);
                if (!item || m_state.model.find(child_handle))
                    break;
            }
        }
    }
    refresh();
    item = m_state.model.find(handle);
    if (notify && item)
        notifier.item_expanded(item, action);
    return true;
}

bool TreeViewOperations::ensure_visible(HTREEITEM handle) {
    TreeItem* item = m_state.model.find(handle);
    if (!item)
        return false;
    bool expanded_any = false;
    std::vector<HTREEITEM> ancestors;
    for (TreeItem* at = m_state.model.parent_of(item); at; at = m_state.model.parent_of(at))
        ancestors.push_back(TreeViewModel::handle_of(at));
    for (auto at = ancestors.rbegin(); at != ancestors.rend(); ++at) {
        const TreeItem* ancestor = m_state.model.find(*at);
        if (ancestor && !ancestor->expanded()) {
            expand(*at, TVE_EXPAND, TVC_UNKNOWN, ExpandNotice::Always);
            expanded_any = true;
        }
    }
    item = m_state.model.find(handle);
    const int row = m_state.model.row_of(item);
    if (row < 0)
        return false;
    const TreeViewLayout layout(m_hwnd, m_state);
    const int page = layout.rows_per_page();
    if (row < m_state.top)
        m_state.top = row;
    else if (row >= m_state.top + page)
        m_state.top = row - page + 1;
    // Sideways, the label comes into view, its start first when it is wider than the window.
    const RECT label = layout.label_rect(*item, row, TreeViewNotifier(m_hwnd).display(*item).text);
    const int width = int(layout.client().right);
    if (label.right > width)
        m_state.left += std::min(int(label.right) - width, int(label.left));
    else if (label.left < 0)
        m_state.left += label.left;
    refresh();
    return !expanded_any;
}

bool TreeViewOperations::select(HTREEITEM handle, UINT action) {
    TreeItem* item = m_state.model.find(handle);
    if (handle && !item)
        return false;
    if (item == m_state.selected) {
        if (item)
            ensure_visible(handle);
        return true;
    }
    const TreeViewNotifier notifier(m_hwnd);
    const HTREEITEM old_handle = TreeViewModel::handle_of(m_state.selected);
    if (notifier.selection_changing(m_state.selected, item, action))
        return false;
    item = m_state.model.find(handle);
    if (handle && !item)
        return false;
    if (m_state.selected)
        m_state.selected->state &= ~UINT(TVIS_SELECTED);
    m_state.selected = item;
    if (item) {
        item->state |= TVIS_SELECTED;
        ensure_visible(handle);
    }
    refresh();
    notifier.selection_changed(m_state.model.find(old_handle), m_state.selected, action);
    return true;
}

bool TreeViewOperations::remove(HTREEITEM handle) {
    if (!handle || handle == TVI_ROOT) {
        while (TreeItem* first = TreeViewModel::first_child(m_state.model.root())) {
            const HTREEITEM first_handle = TreeViewModel::handle_of(first);
            remove(first_handle);
            if (m_state.model.find(first_handle))
                return false;
        }
        return true;
    }
    TreeItem* item = m_state.model.find(handle);
    if (!item)
        return false;
    // The selection leaves the doomed items for the next sibling, the previous one or the
    // parent, in that order of preference.
    if (in_subtree(m_state.selected, item)) {
        TreeItem* replacement = TreeViewModel::next_sibling(item);
        if (!replacement)
            replacement = TreeViewModel::previous_sibling(item);
        if (!replacement)
            replacement = m_state.model.parent_of(item);
        select(TreeViewModel::handle_of(replacement), TVC_UNKNOWN);
        item = m_state.model.find(handle);
        if (!item)
            return true;
    }
    const TreeViewNotifier notifier(m_hwnd);
    std::vector<HTREEITEM> doomed;
    for (const TreeItem* at : m_state.model.subtree(item))
        doomed.push_back(TreeViewModel::handle_of(at));
    for (const HTREEITEM at : doomed)
        if (const TreeItem* going = m_state.model.find(at))
            notifier.item_deleted(going);
    item = m_state.model.find(handle);
    if (!item)
        return true;
    if (in_subtree(m_state.selected, item))
        m_state.selected = nullptr;
    if (in_subtree(m_state.drop_target, item))
        m_state.drop_target = nullptr;
    TreeItem* parent = item->parent;
    m_state.model.remove(item);
    // An item whose last child went away has nothing left to show expanded.
    if (parent != m_state.model.root() && parent->children.empty())
        parent->state &= ~UINT(TVIS_EXPANDED);
    refresh();
    return true;
}

void TreeViewOperations::apply(const TVITEMA& in, TreeItem& item) {
    if (in.mask & TVIF_TEXT) {
        item.text_callback = in.pszText == LPSTR_TEXTCALLBACKA;
        item.text = in.pszText && !item.text_callback ? in.pszText : "";
        item.measured_width = -1;
    }
    if (in.mask & TVIF_IMAGE)
        item.image = in.iImage;
    if (in.mask & TVIF_SELECTEDIMAGE)
        item.selected_image = in.iSelectedImage;
    if (in.mask & TVIF_PARAM)
        item.param = in.lParam;
    if (in.mask & TVIF_STATE) {
        const UINT mask = in.stateMask & ~kept_out_of_item_state;
        item.state = (item.state & ~mask) | (in.state & mask);
    }
    if (in.mask & TVIF_CHILDREN)
        item.children_flag =
            in.cChildren == I_CHILDRENCALLBACK ? I_CHILDRENCALLBACK : (in.cChildren ? 1 : 0);
}

HTREEITEM TreeViewOperations::insert(const TVINSERTSTRUCTA* in) {
    if (!in)
        return nullptr;
    TreeItem* parent = nullptr;
    if (in->hParent && in->hParent != TVI_ROOT) {
        parent = m_state.model.find(in->hParent);
        if (!parent)
            return nullptr;
    }
    InsertPosition position = InsertPosition::After;
    const TreeItem* after = nullptr;
    if (in->hInsertAfter == TVI_FIRST)
        position = InsertPosition::First;
    else if (!in->hInsertAfter || in->hInsertAfter == TVI_LAST)
        position = InsertPosition::Last;
    else if (in->hInsertAfter == TVI_SORT)
        position = InsertPosition::Sorted;
    else if (!(after = m_state.model.find(in->hInsertAfter)))
        return nullptr;
    TreeItem item;
    apply(in->item, item);
    TreeItem* inserted = m_state.model.insert(parent, position, after, std::move(item));
    if (!inserted)
        return nullptr;
    refresh();
    return TreeViewModel::handle_of(inserted);
}

} // namespace mullion
