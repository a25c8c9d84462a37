#pragma once

// A parent window for tree-view tests: it records the WM_NOTIFY notifications the tree sends
// (copying what they describe, since the structures live only during the call) and answers
// them through a test's own responder, which may refuse a change or fill in children.
#include "windows.h"

#include "commctrl.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tree_view_test {

struct Notice {
    UINT code = 0;
    UINT action = 0;
    HTREEITEM old_item = nullptr;
    HTREEITEM new_item = nullptr;
    UINT new_state = 0;
    WORD key = 0;
};

inline std::vector<Notice>& notices() {
    static std::vector<Notice> log;
    return log;
}

// Answers a notification; the default answers 0 to everything.
inline std::function<LRESULT(const NMHDR&)>& responder() {
    static std::function<LRESULT(const NMHDR&)> answer;
    return answer;
}

inline bool is_tree_view_code(UINT code) {
    return code == TVN_SELCHANGINGA || code == TVN_SELCHANGEDA || code == TVN_ITEMEXPANDINGA ||
           code == TVN_ITEMEXPANDEDA || code == TVN_DELETEITEMA;
}

inline LRESULT CALLBACK parent_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_NOTIFY)
        return DefWindowProcA(hwnd, message, wparam, lparam);
    const auto* header = reinterpret_cast<const NMHDR*>(lparam);
    EXPECT_EQ(wparam, header->idFrom);
    Notice notice;
    notice.code = header->code;
    if (is_tree_view_code(header->code)) {
        const auto* tree = reinterpret_cast<const NMTREEVIEWA*>(lparam);
        notice.action = tree->action;
        notice.old_item = tree->itemOld.hItem;
        notice.new_item = tree->itemNew.hItem;
        notice.new_state = tree->itemNew.state;
    } else if (header->code == TVN_KEYDOWN) {
        notice.key = reinterpret_cast<const NMTVKEYDOWN*>(lparam)->wVKey;
    }
    if (header->code != TVN_GETDISPINFOA)
        notices().push_back(notice);
    return responder() ? responder()(*header) : 0;
}

constexpr int kTreeId = 1016;

// A parent with one tree view of the given style, the font set to 8-point "MS Sans Serif".
class TreeViewTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA description{};
        description.lpfnWndProc = parent_proc;
        description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        description.lpszClassName = "TreeViewTestParent";
        if (!GetClassInfoA(nullptr, description.lpszClassName, &description))
            RegisterClassA(&description);
        parent = CreateWindowExA(0, "TreeViewTestParent", "Parent", WS_POPUP | WS_VISIBLE, 20, 20,
                                 400, 320, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent, nullptr);
        font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
        create_tree(TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT);
        notices().clear();
        responder() = nullptr;
    }
    void TearDown() override {
        responder() = nullptr;
        DestroyWindow(parent);
        DeleteObject(font);
        notices().clear();
    }

    void create_tree(DWORD style, int width = 200, int height = 150) {
        if (tree)
            DestroyWindow(tree);
        tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10,
                               10, width, height, parent, reinterpret_cast<HMENU>(INT_PTR(kTreeId)),
                               nullptr, nullptr);
        ASSERT_NE(tree, nullptr);
        SendMessageA(tree, WM_SETFONT, WPARAM(font), FALSE);
        notices().clear();
    }

    HTREEITEM insert(HTREEITEM under, const char* text, HTREEITEM after = TVI_LAST, int image = 0,
                     int selected_image = 0) {
        TVINSERTSTRUCTA insertion{};
        insertion.hParent = under;
        insertion.hInsertAfter = after;
        insertion.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insertion.item.pszText = const_cast<char*>(text);
        insertion.item.iImage = image;
        insertion.item.iSelectedImage = selected_image;
        return TreeView_InsertItem(tree, &insertion);
    }

    std::string text_of(HTREEITEM item) const {
        char buffer[256] = {};
        TVITEMA query{};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        query.pszText = buffer;
        query.cchTextMax = sizeof buffer;
        return TreeView_GetItem(tree, &query) ? buffer : "<none>";
    }

    UINT state_of(HTREEITEM item) const {
        TVITEMA query{};
        query.mask = TVIF_STATE;
        query.hItem = item;
        query.stateMask = 0xFFFF;
        TreeView_GetItem(tree, &query);
        return query.state;
    }

    bool expanded(HTREEITEM item) const { return (state_of(item) & TVIS_EXPANDED) != 0; }

    // The notification codes received, in order, without focus and click notices.
    std::vector<UINT> codes() const {
        std::vector<UINT> result;
        for (const Notice& notice : notices())
            if (is_tree_view_code(notice.code) || notice.code == NM_DBLCLK)
                result.push_back(notice.code);
        return result;
    }

    // The texts of the rows, top to bottom, with two spaces per level.
    std::string rows() const {
        std::string result;
        for (HTREEITEM item = TreeView_GetRoot(tree); item;
             item = TreeView_GetNextVisible(tree, item)) {
            int level = 0;
            for (HTREEITEM up = TreeView_GetParent(tree, item); up;
                 up = TreeView_GetParent(tree, up))
                ++level;
            result += std::string(size_t(2 * level), ' ') + text_of(item) + "\n";
        }
        return result;
    }

    RECT item_rect(HTREEITEM item, bool label_only) const {
        RECT rect{};
        EXPECT_TRUE(TreeView_GetItemRect(tree, item, &rect, label_only));
        return rect;
    }

    int text_width(const char* text) const {
        HDC dc = GetDC(tree);
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32A(dc, text, int(strlen(text)), &size);
        SelectObject(dc, previous);
        ReleaseDC(tree, dc);
        return size.cx;
    }

    int font_height() const {
        HDC dc = GetDC(tree);
        HGDIOBJ previous = SelectObject(dc, font);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(tree, dc);
        return metrics.tmHeight;
    }

    HWND parent = nullptr;
    HWND tree = nullptr;
    HFONT font = nullptr;
};

} // namespace tree_view_test
