#pragma once

#include <nlohmann/json.hpp>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mullion::testing {

// A rectangle of a dump: left, top, right, bottom in screen pixels.
struct DumpRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// What the scripted driver's `dump` step wrote: the windows a person would see, and the menus.
class Dump {
public:
    static Dump load(const std::filesystem::path& path);

    const nlohmann::json& json() const { return m_json; }
    // The top-level window with this title, or null.
    const nlohmann::json* top_level(const std::string& text) const;
    // The first window (at any depth) of this top-level whose text or id matches.
    static const nlohmann::json* child_with_text(const nlohmann::json& window,
                                                 const std::string& text);
    static const nlohmann::json* child_with_id(const nlohmann::json& window, int id);
    static DumpRect rect(const nlohmann::json& window) { return to_rect(window["rect"]); }
    static DumpRect client(const nlohmann::json& window) { return to_rect(window["client"]); }
    // The menu bar of the top-level window with this title.
    const nlohmann::json* menu_bar(const std::string& title) const;
    // A tree view's shown rows, top to bottom, each its text indented by two spaces per level.
    static std::vector<std::string> tree_rows(const nlohmann::json& tree);

private:
    static DumpRect to_rect(const nlohmann::json& value);
    nlohmann::json m_json;
};

} // namespace mullion::testing
