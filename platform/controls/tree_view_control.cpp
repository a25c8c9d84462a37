// The tree-view control ("SysTreeView32"): items inserted, changed and deleted by TVM_
// messages; expansion by the program (TVM_EXPAND), the mouse (the button, a double click) and
// the keyboard, announced with TVN_ITEMEXPANDING (which the parent may refuse, and during which
// it may fill in the children) and TVN_ITEMEXPANDED; one selected item, changed with
// TVN_SELCHANGING (refusable) and TVN_SELCHANGED, moved by the arrows and paging keys or by
// typing an item's first letter; and scrolling both ways that keeps the selection in view.
#include "tree_view_control.h"

#include "control_class.h"
#include "tree_view_layout.h"
#include "tree_view_notifier.h"
#include "tree_view_operations.h"
#include "tree_view_painter.h"

#include "../user/system_classes.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace mullion {

namespace {

DWORD style_of(HWND hwnd) {
    return DWORD(GetWindowLongA(hwnd, GWL_STYLE));
}

LRESULT get_item(HWND hwnd, const TreeViewState& state, TVITEMA* out) {
    const TreeItem* item = out ? state.model.find(out->hItem) : nullptr;
    if (!item)
        return FALSE;
    if (out->mask & TVIF_TEXT) {
        if (out->pszText && out->cchTextMax > 0) {
            const std::string text = TreeViewNotifier(hwnd).display(*item).text;
            const size_t copied = std::min(text.size(), size_t(out->cchTextMax - 1));
            std::memcpy(out->pszText, text.data(), copied);
            out->pszText[copied] = '\0';
        }
    }
    if (out->mask & TVIF_IMAGE)
        out->iImage = item->image;
    if (out->mask & TVIF_SELECTEDIMAGE)
        out->iSelectedImage = item->selected_image;
    if (out->mask & TVIF_PARAM)
        out->lParam = item->param;
    if (out->mask & TVIF_STATE)
        out->state = item->state & out->stateMask;
    if (out->mask & TVIF_CHILDREN)
        out->cChildren = item->children_flag ? *item->children_flag : !item->children.empty();
    return TRUE;
}

LRESULT set_item(HWND hwnd, TreeViewState& state, const TVITEMA* in) {
    TreeItem* item = in ? state.model.find(in->hItem) : nullptr;
    if (!item)
        return FALSE;
    TreeViewOperations::apply(*in, *item);
    TreeViewOperations(hwnd, state).refresh();
    return TRUE;
}

TreeItem* last_visible(const TreeViewState& state) {
    const std::vector<TreeItem*> rows = state.model.visible_items();
    return rows.empty() ? nullptr : rows.back();
}

LRESULT get_next_item(const TreeViewState& state, WPARAM code, HTREEITEM handle) {
    const TreeItem* item = state.model.find(handle);
    const TreeItem* found = nullptr;
    switch (code) {
    case TVGN_ROOT:
        found = TreeViewModel::first_child(state.model.root());
        break;
    case TVGN_CARET:
        found = state.selected;
        break;
    case TVGN_DROPHILITE:
        found = state.drop_target;
        break;
    case TVGN_FIRSTVISIBLE: {
        const std::vector<TreeItem*> rows = state.model.visible_items();
        found = state.top < int(rows.size()) ? rows[size_t(state.top)] : nullptr;
        break;
    }
    case TVGN_LASTVISIBLE:
        found = last_visible(state);
        break;
    case TVGN_CHILD:
        found =
            TreeViewModel::first_child(!handle || handle == TVI_ROOT ? state.model.root() : item);
        break;
    case TVGN_NEXT:
        found = TreeViewModel::next_sibling(item);
        break;
    case TVGN_PREVIOUS:
        found = TreeViewModel::previous_sibling(item);
        break;
    case TVGN_PARENT:
        found = state.model.parent_of(item);
        break;
    case TVGN_NEXTVISIBLE:
        found = state.model.is_shown(item) ? state.model.next_visible(item) : nullptr;
        break;
    case TVGN_PREVIOUSVISIBLE:
        found = state.model.is_shown(item) ? state.model.previous_visible(item) : nullptr;
        break;
    default:
        break;
    }
    return reinterpret_cast<LRESULT>(TreeViewModel::handle_of(found));
}

// TVM_GETITEMRECT: the item's whole row, or only its label; FALSE while a collapsed ancestor
// hides it.
LRESULT get_item_rect(HWND hwnd, const TreeViewState& state, bool label_only, RECT* rect) {
    if (!rect)
        return FALSE;
    HTREEITEM handle;
    std::memcpy(&handle, rect, sizeof handle);
    const TreeItem* item = state.model.find(handle);
    const int row = state.model.row_of(item);
    if (row < 0)
        return FALSE;
    const TreeViewLayout layout(hwnd, state);
    *rect = label_only ? layout.label_rect(*item, row, TreeViewNotifier(hwnd).display(*item).text)
                       : layout.row_rect(row);
    return TRUE;
}

struct Hit {
    TreeItem* item = nullptr;
    UINT flags = TVHT_NOWHERE;
};

Hit hit_test(HWND hwnd, const TreeViewState& state, POINT point) {
    const TreeViewLayout layout(hwnd, state);
    const RECT& client = layout.client();
    Hit hit;
    UINT outside = 0;
    if (point.y < client.top)
        outside |= TVHT_ABOVE;
    if (point.y >= client.bottom)
        outside |= TVHT_BELOW;
    if (point.x < client.left)
        outside |= TVHT_TOLEFT;
    if (point.x >= client.right)
        outside |= TVHT_TORIGHT;
    if (outside) {
        hit.flags = outside;
        return hit;
    }
    const std::vector<TreeItem*> rows = state.model.visible_items();
    const int row = state.top + point.y / layout.item_height();
    if (row >= int(rows.size()))
        return hit;
    hit.item = rows[size_t(row)];
    const TreeItemDisplay shown = TreeViewNotifier(hwnd).display(*hit.item);
    const int column = layout.button_column(*hit.item);
    const int content = layout.content_left(*hit.item);
    if (point.x < content) {
        const bool on_button = (style_of(hwnd) & TVS_HASBUTTONS) && column >= 0 &&
                               point.x >= layout.column_left(column) && shown.has_children;
        hit.flags = on_button ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    } else if (layout.has_images() && point.x < content + layout.image_width()) {
        hit.flags = TVHT_ONITEMICON;
    } else if (point.x < layout.label_rect(*hit.item, row, shown.text).right) {
        hit.flags = TVHT_ONITEMLABEL;
    } else {
        hit.flags = TVHT_ONITEMRIGHT;
    }
    return hit;
}

LRESULT hit_test_message(HWND hwnd, const TreeViewState& state, TVHITTESTINFO* info) {
    if (!info)
        return 0;
    const Hit hit = hit_test(hwnd, state, info->pt);
    info->flags = hit.flags;
    info->hItem = TreeViewModel::handle_of(hit.item);
    return reinterpret_cast<LRESULT>(info->hItem);
}

// "*": the item and everything below it, children filled in as each expands.
void expand_all(HWND hwnd, TreeViewState& state, HTREEITEM handle) {
    TreeViewOperations(hwnd, state)
        .expand(handle, TVE_EXPAND, TVC_BYKEYBOARD, ExpandNotice::Always);
    const TreeItem* item = state.model.find(handle);
    if (!item || !item->expanded())
        return;
    std::vector<HTREEITEM> children;
    for (const auto& child : item->children)
        children.push_back(TreeViewModel::handle_of(child.get()));
    for (const HTREEITEM child : children)
        expand_all(hwnd, state, child);
}

void handle_key(HWND hwnd, TreeViewState& state, WPARAM key, LPARAM flags) {
    TreeViewOperations operations(hwnd, state);
    TreeViewNotifier(hwnd).key_down(WORD(key), UINT(flags));
    // A parent that closes its window on a key may have destroyed the control with it.
    if (!IsWindow(hwnd))
        return;
    const std::vector<TreeItem*> rows = state.model.visible_items();
    if (rows.empty())
        return;
    TreeItem* current = state.selected;
    const int row = state.model.row_of(current);
    const HTREEITEM current_handle = TreeViewModel::handle_of(current);
    const int page = TreeViewLayout(hwnd, state).rows_per_page();
    const int step = std::max(1, page - 1);
    TreeItem* target = nullptr;
    switch (key) {
    case VK_UP:
        target = row < 0 ? rows.front() : state.model.previous_visible(current);
        break;
    case VK_DOWN:
        target = row < 0 ? rows.front() : state.model.next_visible(current);
        break;
    case VK_HOME:
        target = rows.front();
        break;
    case VK_END:
        target = rows.back();
        break;
    case VK_PRIOR:
        target = rows[size_t(std::max(0, row - step))];
        break;
    case VK_NEXT:
        target = rows[size_t(std::min(int(rows.size()) - 1, std::max(row, 0) + step))];
        break;
    case VK_LEFT:
        if (current && current->expanded() && operations.has_children(*current))
            TreeViewOperations(hwnd, state)
                .expand(current_handle, TVE_COLLAPSE, TVC_BYKEYBOARD, ExpandNotice::Always);
        else
            target = state.model.parent_of(current);
        break;
    case VK_RIGHT:
        if (current && operations.has_children(*current)) {
            if (!current->expanded())
                TreeViewOperations(hwnd, state)
                    .expand(current_handle, TVE_EXPAND, TVC_BYKEYBOARD, ExpandNotice::Always);
            else
                target = TreeViewModel::first_child(current);
        }
        break;
    case VK_ADD:
        TreeViewOperations(hwnd, state)
            .expand(current_handle, TVE_EXPAND, TVC_BYKEYBOARD, ExpandNotice::Always);
        break;
    case VK_SUBTRACT:
        TreeViewOperations(hwnd, state)
            .expand(current_handle, TVE_COLLAPSE, TVC_BYKEYBOARD, ExpandNotice::Always);
        break;
    case VK_MULTIPLY:
        if (current)
            expand_all(hwnd, state, current_handle);
        break;
    case VK_BACK:
        target = state.model.parent_of(current);
        break;
    default:
        break;
    }
    if (target)
        operations.select(TreeViewModel::handle_of(target), TVC_BYKEYBOARD);
}

// A typed character selects the next row, going round past the last, whose text starts with
// it (ignoring case).
void select_by_initial(HWND hwnd, TreeViewState& state, WPARAM character) {
    if (character < 0x20 || character == 0x7F)
        return;
    const std::vector<TreeItem*> rows = state.model.visible_items();
    const int count = int(rows.size());
    const int start = state.model.row_of(state.selected);
    const TreeViewNotifier notifier(hwnd);
    const auto wanted = char(std::toupper(int(character & 0xFF)));
    for (int step = 1; step <= count; ++step) {
        TreeItem* candidate = rows[size_t((start + step + count) % count)];
        const std::string text = notifier.display(*candidate).text;
        if (!text.empty() && std::toupper(static_cast<unsigned char>(text[0])) == wanted) {
            TreeViewOperations(hwnd, state)
                .select(TreeViewModel::handle_of(candidate), TVC_BYKEYBOARD);
            return;
        }
    }
}

POINT point_of(LPARAM lparam) {
    return POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
}

void button_down(HWND hwnd, TreeViewState& state, LPARAM lparam) {
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    if (!IsWindow(hwnd))
        return;
    const Hit hit = hit_test(hwnd, state, point_of(lparam));
    const HTREEITEM handle = TreeViewModel::handle_of(hit.item);
    const bool full_row = (style_of(hwnd) & TVS_FULLROWSELECT) != 0;
    if (hit.flags & TVHT_ONITEMBUTTON)
        TreeViewOperations(hwnd, state)
            .expand(handle, TVE_TOGGLE, TVC_BYMOUSE, ExpandNotice::Always);
    else if ((hit.flags & TVHT_ONITEM) || (full_row && hit.item))
        TreeViewOperations(hwnd, state).select(handle, TVC_BYMOUSE);
}

// A double click on an item toggles its expansion unless the parent handles NM_DBLCLK; on the
// button it counts as another click.
void double_click(HWND hwnd, TreeViewState& state, LPARAM lparam) {
    const Hit hit = hit_test(hwnd, state, point_of(lparam));
    const HTREEITEM handle = TreeViewModel::handle_of(hit.item);
    if (hit.flags & TVHT_ONITEMBUTTON) {
        TreeViewOperations(hwnd, state)
            .expand(handle, TVE_TOGGLE, TVC_BYMOUSE, ExpandNotice::Always);
        return;
    }
    if (TreeViewNotifier(hwnd).simple(NM_DBLCLK) != 0 || !IsWindow(hwnd) ||
        !(hit.flags & TVHT_ONITEM))
        return;
    TreeViewOperations(hwnd, state).expand(handle, TVE_TOGGLE, TVC_BYMOUSE, ExpandNotice::Always);
}

void scroll_sideways_to(HWND hwnd, TreeViewState& state, int left) {
    state.left = left;
    TreeViewOperations(hwnd, state).refresh();
}

void handle_horizontal_scroll(HWND hwnd, TreeViewState& state, WPARAM wparam) {
    const TreeViewLayout layout(hwnd, state);
    const int page = int(layout.client().right);
    const int line = layout.indent();
    switch (LOWORD(wparam)) {
    case SB_LINELEFT:
        scroll_sideways_to(hwnd, state, state.left - line);
        break;
    case SB_LINERIGHT:
        scroll_sideways_to(hwnd, state, state.left + line);
        break;
    case SB_PAGELEFT:
        scroll_sideways_to(hwnd, state, state.left - page);
        break;
    case SB_PAGERIGHT:
        scroll_sideways_to(hwnd, state, state.left + page);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        scroll_sideways_to(hwnd, state, HIWORD(wparam));
        break;
    case SB_LEFT:
        scroll_sideways_to(hwnd, state, 0);
        break;
    case SB_RIGHT:
        scroll_sideways_to(hwnd, state, TreeViewOperations(hwnd, state).content_width(layout));
        break;
    default:
        break;
    }
}

void handle_scroll(HWND hwnd, TreeViewState& state, WPARAM wparam) {
    TreeViewOperations operations(hwnd, state);
    const int page = TreeViewLayout(hwnd, state).rows_per_page();
    switch (LOWORD(wparam)) {
    case SB_LINEUP:
        operations.scroll_to(state.top - 1);
        break;
    case SB_LINEDOWN:
        operations.scroll_to(state.top + 1);
        break;
    case SB_PAGEUP:
        operations.scroll_to(state.top - page);
        break;
    case SB_PAGEDOWN:
        operations.scroll_to(state.top + page);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        operations.scroll_to(HIWORD(wparam));
        break;
    case SB_TOP:
        operations.scroll_to(0);
        break;
    case SB_BOTTOM:
        operations.scroll_to(int(state.model.count()));
        break;
    default:
        break;
    }
}

// TVM_SETITEMHEIGHT: -1 goes back to the font's height (0 here); other heights are at least 1
// and even unless TVS_NONEVENHEIGHT allows odd ones.
int fixed_item_height(HWND hwnd, int asked) {
    if (asked == -1)
        return 0;
    int height = std::max(asked, 1);
    if (!(style_of(hwnd) & TVS_NONEVENHEIGHT) && height > 1)
        height &= ~1;
    return height;
}

HIMAGELIST set_image_list(HWND hwnd, TreeViewState& state, WPARAM which, HIMAGELIST list) {
    HIMAGELIST& slot = which == TVSIL_STATE ? state.state_images : state.normal_images;
    HIMAGELIST previous = slot;
    slot = list;
    TreeViewOperations(hwnd, state).refresh();
    return previous;
}

void paint(HWND hwnd, const TreeViewState& state, HDC dc) {
    TreeViewPainter(hwnd, state).paint(dc);
}

LRESULT handle_message(HWND hwnd, TreeViewState& state, UINT message, WPARAM wparam,
                       LPARAM lparam) {
    switch (message) {
    case TVM_INSERTITEMA:
        return reinterpret_cast<LRESULT>(
            TreeViewOperations(hwnd, state)
                .insert(reinterpret_cast<const TVINSERTSTRUCTA*>(lparam)));
    case TVM_DELETEITEM:
        return TreeViewOperations(hwnd, state).remove(reinterpret_cast<HTREEITEM>(lparam));
    case TVM_EXPAND:
        return TreeViewOperations(hwnd, state)
            .expand(reinterpret_cast<HTREEITEM>(lparam), UINT(wparam), TVC_UNKNOWN,
                    ExpandNotice::UntilExpandedOnce);
    case TVM_GETITEMRECT:
        return get_item_rect(hwnd, state, wparam != 0, reinterpret_cast<RECT*>(lparam));
    case TVM_GETCOUNT:
        return LRESULT(state.model.count());
    case TVM_GETINDENT:
        return TreeViewLayout(hwnd, state).indent();
    case TVM_SETINDENT:
        state.indent = std::max(int(wparam), TreeViewLayout::minimum_indent);
        TreeViewOperations(hwnd, state).refresh();
        return TRUE;
    case TVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(wparam == TVSIL_STATE ? state.state_images
                                                               : state.normal_images);
    case TVM_SETIMAGELIST:
        return reinterpret_cast<LRESULT>(
            set_image_list(hwnd, state, wparam, reinterpret_cast<HIMAGELIST>(lparam)));
    case TVM_GETNEXTITEM:
        return get_next_item(state, wparam, reinterpret_cast<HTREEITEM>(lparam));
    case TVM_SELECTITEM: {
        const auto handle = reinterpret_cast<HTREEITEM>(lparam);
        if (wparam == TVGN_CARET)
            return TreeViewOperations(hwnd, state).select(handle, TVC_UNKNOWN);
        if (wparam == TVGN_DROPHILITE) {
            if (state.drop_target)
                state.drop_target->state &= ~UINT(TVIS_DROPHILITED);
            state.drop_target = state.model.find(handle);
            if (state.drop_target)
                state.drop_target->state |= TVIS_DROPHILITED;
            TreeViewOperations(hwnd, state).refresh();
            return TRUE;
        }
        if (wparam == TVGN_FIRSTVISIBLE) {
            TreeViewOperations(hwnd, state).ensure_visible(handle);
            const int row = state.model.row_of(state.model.find(handle));
            if (row < 0)
                return FALSE;
            TreeViewOperations(hwnd, state).scroll_to(row);
            return TRUE;
        }
        return FALSE;
    }
    case TVM_GETITEMA:
        return get_item(hwnd, state, reinterpret_cast<TVITEMA*>(lparam));
    case TVM_SETITEMA:
        return set_item(hwnd, state, reinterpret_cast<const TVITEMA*>(lparam));
    case TVM_GETVISIBLECOUNT:
        return TreeViewLayout(hwnd, state).rows_per_page();
    case TVM_HITTEST:
        return hit_test_message(hwnd, state, reinterpret_cast<TVHITTESTINFO*>(lparam));
    case TVM_ENSUREVISIBLE:
        return TreeViewOperations(hwnd, state).ensure_visible(reinterpret_cast<HTREEITEM>(lparam));
    case TVM_SETITEMHEIGHT: {
        const int previous = TreeViewLayout(hwnd, state).item_height();
        state.fixed_item_height = fixed_item_height(hwnd, int(INT_PTR(wparam)));
        TreeViewOperations(hwnd, state).refresh();
        return previous;
    }
    case TVM_GETITEMHEIGHT:
        return TreeViewLayout(hwnd, state).item_height();
    case TVM_SORTCHILDREN: {
        const auto handle = reinterpret_cast<HTREEITEM>(lparam);
        TreeItem* parent = state.model.find(handle);
        if (handle && handle != TVI_ROOT && !parent)
            return FALSE;
        state.model.sort_children(parent, wparam != 0);
        TreeViewOperations(hwnd, state).refresh();
        return TRUE;
    }
    case TVM_SETBKCOLOR:
    case TVM_SETTEXTCOLOR: {
        COLORREF& color = message == TVM_SETBKCOLOR ? state.background : state.text_color;
        const COLORREF previous = color;
        color = COLORREF(lparam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return LRESULT(LONG(previous));
    }
    case TVM_GETBKCOLOR:
        return LRESULT(LONG(state.background));
    case TVM_GETTEXTCOLOR:
        return LRESULT(LONG(state.text_color));
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        paint(hwnd, state, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(hwnd, state, reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
    case WM_STYLECHANGED:
    case WM_ENABLE:
        TreeViewOperations(hwnd, state).refresh();
        return 0;
    case WM_SETFONT:
        state.font = reinterpret_cast<HFONT>(wparam);
        TreeViewOperations(hwnd, state).refresh();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        state.focused = message == WM_SETFOCUS;
        InvalidateRect(hwnd, nullptr, TRUE);
        TreeViewNotifier(hwnd).simple(state.focused ? NM_SETFOCUS : NM_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
        button_down(hwnd, state, lparam);
        return 0;
    case WM_LBUTTONDBLCLK:
        double_click(hwnd, state, lparam);
        return 0;
    case WM_LBUTTONUP:
        TreeViewNotifier(hwnd).simple(NM_CLICK);
        return 0;
    case WM_RBUTTONUP:
        TreeViewNotifier(hwnd).simple(NM_RCLICK);
        return 0;
    case WM_KEYDOWN:
        handle_key(hwnd, state, wparam, lparam);
        return 0;
    case WM_CHAR:
        select_by_initial(hwnd, state, wparam);
        return 0;
    case WM_VSCROLL:
        handle_scroll(hwnd, state, wparam);
        return 0;
    case WM_HSCROLL:
        handle_horizontal_scroll(hwnd, state, wparam);
        return 0;
    case WM_MOUSEWHEEL: {
        const int notches = short(HIWORD(wparam)) / WHEEL_DELTA;
        TreeViewOperations(hwnd, state).scroll_to(state.top - 3 * notches);
        return 0;
    }
    case WM_DESTROY:
        // The parent hears of every item's end while it still exists, without the selection
        // wandering from item to item on the way.
        if (state.selected)
            state.selected->state &= ~UINT(TVIS_SELECTED);
        state.selected = nullptr;
        TreeViewOperations(hwnd, state).remove(TVI_ROOT);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

} // namespace

HFONT tree_view_font(const TreeViewState& state) {
    return state.font ? state.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

LRESULT CALLBACK tree_view_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return control_window_proc<TreeViewState, handle_message>(hwnd, message, wparam, lparam);
}

void register_tree_view_class() {
    register_control_class(WC_TREEVIEWA, tree_view_window_proc);
}

} // namespace mullion
