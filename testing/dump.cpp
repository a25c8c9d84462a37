#include "dump.h"

#include <fstream>
#include <stdexcept>

namespace mullion::testing {

Dump Dump::load(const std::filesystem::path& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("no dump at " + path.string());
    Dump dump;
    dump.m_json = nlohmann::json::parse(in);
    return dump;
}

const nlohmann::json* Dump::top_level(const std::string& text) const {
    for (const auto& window : m_json["windows"])
        if (window["text"] == text)
            return &window;
    return nullptr;
}

const nlohmann::json* Dump::child_with_text(const nlohmann::json& window, const std::string& text) {
    for (const auto& child : window["children"]) {
        if (child["text"] == text)
            return &child;
        if (auto found = child_with_text(child, text))
            return found;
    }
    return nullptr;
}

const nlohmann::json* Dump::child_with_id(const nlohmann::json& window, int id) {
    for (const auto& child : window["children"]) {
        if (child["id"] == id)
            return &child;
        if (auto found = child_with_id(child, id))
            return found;
    }
    return nullptr;
}

const nlohmann::json* Dump::menu_bar(const std::string& title) const {
    for (const auto& menu : m_json["menus"])
        if (menu["window"] == title)
            return &menu;
    return nullptr;
}

namespace {

void collect_tree_rows(const nlohmann::json& items, std::vector<std::string>& rows) {
    if (!items.is_array())
        return;
    for (const auto& item : items) {
        rows.push_back(std::string(size_t(2 * item.value("level", 0)), ' ') +
                       item.value("text", std::string()));
        if (item.contains("items"))
            collect_tree_rows(item["items"], rows);
    }
}

} // namespace

std::vector<std::string> Dump::tree_rows(const nlohmann::json& tree) {
    std::vector<std::string> rows;
    if (tree.contains("items"))
        collect_tree_rows(tree["items"], rows);
    return rows;
}

DumpRect Dump::to_rect(const nlohmann::json& value) {
    return {value.at(0).get<int>(), value.at(1).get<int>(), value.at(2).get<int>(),
            value.at(3).get<int>()};
}

} // namespace mullion::testing
