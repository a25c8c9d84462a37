#include "tree_view_notifier.h"

#include "commctrl.h"

#include <cstring>

namespace mullion {

namespace {

// The item as notifications describe it: handle, state, parameter, images and text.
TVITEMA describe(const TreeItem* item, std::string& text_storage) {
    TVITEMA out{};
    if (!item)
        return out;
    out.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    out.hItem = TreeViewModel::handle_of(item);
    out.state = item->state;
    out.stateMask = 0xFFFF;
    out.lParam = item->param;
    out.iImage = item->image;
    out.iSelectedImage = item->selected_image;
    if (!item->text_callback) {
        text_storage = item->text;
        out.mask |= TVIF_TEXT;
        out.pszText = text_storage.data();
        out.cchTextMax = int(text_storage.size() + 1);
    }
    return out;
}

} // namespace

LRESULT TreeViewNotifier::send(NMHDR& header, UINT code) const {
    HWND parent = GetParent(m_hwnd);
    if (!parent)
        return 0;
    header.hwndFrom = m_hwnd;
    header.idFrom = UINT_PTR(GetDlgCtrlID(m_hwnd));
    header.code = code;
    return SendMessageA(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

bool TreeViewNotifier::tree_view(UINT code, const TreeItem* old_item, const TreeItem* new_item,
                                 UINT action) const {
    std::string old_text, new_text;
    NMTREEVIEWA notification{};
    notification.action = action;
    notification.itemOld = describe(old_item, old_text);
    notification.itemNew = describe(new_item, new_text);
    GetCursorPos(&notification.ptDrag);
    ScreenToClient(m_hwnd, &notification.ptDrag);
    return send(notification.hdr, code) != 0;
}

bool TreeViewNotifier::selection_changing(const TreeItem* old_item, const TreeItem* new_item,
                                          UINT action) const {
    return tree_view(TVN_SELCHANGINGA, old_item, new_item, action);
}

void TreeViewNotifier::selection_changed(const TreeItem* old_item, const TreeItem* new_item,
                                         UINT action) const {
    tree_view(TVN_SELCHANGEDA, old_item, new_item, action);
}

bool TreeViewNotifier::item_expanding(const TreeItem* item, UINT action) const {
    return tree_view(TVN_ITEMEXPANDINGA, nullptr, item, action);
}

void TreeViewNotifier::item_expanded(const TreeItem* item, UINT action) const {
    tree_view(TVN_ITEMEXPANDEDA, nullptr, item, action);
}

void TreeViewNotifier::item_deleted(const TreeItem* item) const {
    tree_view(TVN_DELETEITEMA, item, nullptr, 0);
}

void TreeViewNotifier::key_down(WORD key, UINT flags) const {
    NMTVKEYDOWN notification{};
    notification.wVKey = key;
    notification.flags = flags;
    send(notification.hdr, TVN_KEYDOWN);
}

LRESULT TreeViewNotifier::simple(UINT code) const {
    NMHDR header{};
    return send(header, code);
}

TreeItemDisplay TreeViewNotifier::display(const TreeItem& item) const {
    TreeItemDisplay shown{item.text, item.image, item.selected_image,
                          item.children_flag ? *item.children_flag != 0 : !item.children.empty()};
    UINT asked = 0;
    if (item.text_callback)
        asked |= TVIF_TEXT;
    if (item.image == I_IMAGECALLBACK)
        asked |= TVIF_IMAGE;
    if (item.selected_image == I_IMAGECALLBACK)
        asked |= TVIF_SELECTEDIMAGE;
    if (item.children_flag == I_CHILDRENCALLBACK)
        asked |= TVIF_CHILDREN;
    if (!asked)
        return shown;
    char buffer[260] = {};
    NMTVDISPINFOA request{};
    request.item.mask = asked;
    request.item.hItem = TreeViewModel::handle_of(&item);
    request.item.state = item.state;
    request.item.lParam = item.param;
    request.item.pszText = buffer;
    request.item.cchTextMax = int(sizeof buffer);
    send(request.hdr, TVN_GETDISPINFOA);
    if (asked & TVIF_TEXT) {
        // The parent may fill the buffer or point at text of its own.
        const char* text = request.item.pszText ? request.item.pszText : "";
        shown.text.assign(text, strnlen(text, text == buffer ? sizeof buffer - 1 : 4096));
    }
    if (asked & TVIF_IMAGE)
        shown.image = request.item.iImage;
    if (asked & TVIF_SELECTEDIMAGE)
        shown.selected_image = request.item.iSelectedImage;
    if (asked & TVIF_CHILDREN)
        shown.has_children = request.item.cChildren != 0;
    return shown;
}

} // namespace mullion
