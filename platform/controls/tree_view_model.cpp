#include "tree_view_model.h"

#include <algorithm>
#include <strings.h>

namespace mullion {

TreeViewModel::TreeViewModel() : m_root(std::make_unique<TreeItem>()) {
    m_root->state = TVIS_EXPANDED;
}

TreeItem* TreeViewModel::find(HTREEITEM handle) const {
    if (!handle || handle == TVI_ROOT)
        return nullptr;
    const auto found = m_items.find(reinterpret_cast<uintptr_t>(handle));
    return found == m_items.end() ? nullptr : found->second;
}

HTREEITEM TreeViewModel::handle_of(const TreeItem* item) {
    return item ? reinterpret_cast<HTREEITEM>(item->id) : nullptr;
}

size_t TreeViewModel::insertion_index(const TreeItem* parent, InsertPosition position,
                                      const TreeItem* after, const std::string& text) const {
    const auto& siblings = parent->children;
    switch (position) {
    case InsertPosition::First:
        return 0;
    case InsertPosition::Last:
        return siblings.size();
    case InsertPosition::Sorted: {
        // After every sibling whose text sorts before or equal to the new one, ignoring case.
        size_t index = 0;
        while (index < siblings.size() &&
               strcasecmp(siblings[index]->text.c_str(), text.c_str()) <= 0)
            ++index;
        return index;
    }
    case InsertPosition::After:
        for (size_t index = 0; index < siblings.size(); ++index)
            if (siblings[index].get() == after)
                return index + 1;
        break;
    }
    return siblings.size() + 1;
}

TreeItem* TreeViewModel::insert(TreeItem* parent, InsertPosition position, const TreeItem* after,
                                TreeItem item) {
    if (!parent)
        parent = m_root.get();
    const size_t index = insertion_index(parent, position, after, item.text);
    if (index > parent->children.size())
        return nullptr;
    auto owned = std::make_unique<TreeItem>(std::move(item));
    owned->id = m_next_id++;
    owned->parent = parent;
    owned->children.clear();
    TreeItem* inserted = owned.get();
    parent->children.insert(parent->children.begin() + ptrdiff_t(index), std::move(owned));
    m_items.emplace(inserted->id, inserted);
    return inserted;
}

void TreeViewModel::forget(TreeItem* item) {
    for (const auto& child : item->children)
        forget(child.get());
    m_items.erase(item->id);
}

void TreeViewModel::remove(TreeItem* item) {
    if (!item || item == m_root.get())
        return;
    forget(item);
    auto& siblings = item->parent->children;
    const auto at = std::find_if(siblings.begin(), siblings.end(),
                                 [item](const auto& sibling) { return sibling.get() == item; });
    if (at != siblings.end())
        siblings.erase(at);
}

void TreeViewModel::sort_children(TreeItem* parent, bool recursive) {
    if (!parent)
        parent = m_root.get();
    std::stable_sort(parent->children.begin(), parent->children.end(),
                     [](const auto& a, const auto& b) {
                         return strcasecmp(a->text.c_str(), b->text.c_str()) < 0;
                     });
    if (recursive)
        for (const auto& child : parent->children)
            sort_children(child.get(), true);
}

std::vector<TreeItem*> TreeViewModel::subtree(TreeItem* item) const {
    std::vector<TreeItem*> items;
    std::vector<TreeItem*> pending{item};
    while (!pending.empty()) {
        TreeItem* next = pending.back();
        pending.pop_back();
        items.push_back(next);
        for (auto child = next->children.rbegin(); child != next->children.rend(); ++child)
            pending.push_back(child->get());
    }
    return items;
}

TreeItem* TreeViewModel::first_child(const TreeItem* item) {
    return item && !item->children.empty() ? item->children.front().get() : nullptr;
}

TreeItem* TreeViewModel::next_sibling(const TreeItem* item) {
    if (!item || !item->parent)
        return nullptr;
    const auto& siblings = item->parent->children;
    for (size_t index = 0; index + 1 < siblings.size(); ++index)
        if (siblings[index].get() == item)
            return siblings[index + 1].get();
    return nullptr;
}

TreeItem* TreeViewModel::previous_sibling(const TreeItem* item) {
    if (!item || !item->parent)
        return nullptr;
    const auto& siblings = item->parent->children;
    for (size_t index = 1; index < siblings.size(); ++index)
        if (siblings[index].get() == item)
            return siblings[index - 1].get();
    return nullptr;
}

TreeItem* TreeViewModel::parent_of(const TreeItem* item) const {
    if (!item || item->parent == m_root.get())
        return nullptr;
    return item->parent;
}

int TreeViewModel::level(const TreeItem* item) {
    int depth = -1;
    for (const TreeItem* at = item ? item->parent : nullptr; at; at = at->parent)
        ++depth;
    return depth;
}

bool TreeViewModel::is_descendant(const TreeItem* item, const TreeItem* ancestor) {
    for (const TreeItem* at = item ? item->parent : nullptr; at; at = at->parent)
        if (at == ancestor)
            return true;
    return false;
}

bool TreeViewModel::is_shown(const TreeItem* item) const {
    if (!item)
        return false;
    for (const TreeItem* at = item->parent; at && at != m_root.get(); at = at->parent)
        if (!at->expanded())
            return false;
    return true;
}

namespace {

void append_rows(const TreeItem& parent, std::vector<TreeItem*>& rows) {
    for (const auto& child : parent.children) {
        rows.push_back(child.get());
        if (child->expanded())
            append_rows(*child, rows);
    }
}

} // namespace

std::vector<TreeItem*> TreeViewModel::visible_items() const {
    std::vector<TreeItem*> rows;
    append_rows(*m_root, rows);
    return rows;
}

int TreeViewModel::row_of(const TreeItem* item) const {
    const std::vector<TreeItem*> rows = visible_items();
    const auto at = std::find(rows.begin(), rows.end(), item);
    return at == rows.end() ? -1 : int(at - rows.begin());
}

TreeItem* TreeViewModel::next_visible(const TreeItem* item) const {
    if (!item)
        return nullptr;
    if (item->expanded() && !item->children.empty())
        return item->children.front().get();
    for (const TreeItem* at = item; at && at != m_root.get(); at = at->parent)
        if (TreeItem* sibling = next_sibling(at))
            return sibling;
    return nullptr;
}

TreeItem* TreeViewModel::previous_visible(const TreeItem* item) const {
    if (!item)
        return nullptr;
    TreeItem* previous = previous_sibling(item);
    if (!previous)
        return parent_of(item);
    while (previous->expanded() && !previous->children.empty())
        previous = previous->children.back().get();
    return previous;
}

} // namespace mullion
