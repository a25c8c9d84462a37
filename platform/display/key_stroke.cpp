#include "key_stroke.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace mullion {

namespace {

struct LayoutKey {
    UINT virtual_key;
    char plain;
    char shifted;
};

// The printable keys of a US keyboard other than the letters.
constexpr std::array<LayoutKey, 22> us_layout_keys{{
    {'0', '0', ')'},           {'1', '1', '!'},          {'2', '2', '@'},
    {'3', '3', '#'},           {'4', '4', '$'},          {'5', '5', '%'},
    {'6', '6', '^'},           {'7', '7', '&'},          {'8', '8', '*'},
    {'9', '9', '('},           {VK_SPACE, ' ', ' '},     {VK_OEM_1, ';', ':'},
    {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},     {VK_OEM_3, '`', '~'},
    {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},    {VK_OEM_6, ']', '}'},
    {VK_OEM_7, '\'', '"'},
}};

struct NamedKey {
    std::string_view name;
    UINT virtual_key;
};

constexpr std::array<NamedKey, 33> named_keys{{
    {"enter", VK_RETURN},    {"return", VK_RETURN},
    {"esc", VK_ESCAPE},      {"escape", VK_ESCAPE},
    {"space", VK_SPACE},     {"tab", VK_TAB},
    {"backspace", VK_BACK},  {"back", VK_BACK},
    {"del", VK_DELETE},      {"delete", VK_DELETE},
    {"ins", VK_INSERT},      {"insert", VK_INSERT},
    {"home", VK_HOME},       {"end", VK_END},
    {"pgup", VK_PRIOR},      {"pageup", VK_PRIOR},
    {"prior", VK_PRIOR},     {"pgdn", VK_NEXT},
    {"pagedown", VK_NEXT},   {"next", VK_NEXT},
    {"left", VK_LEFT},       {"right", VK_RIGHT},
    {"up", VK_UP},           {"down", VK_DOWN},
    {"ctrl", VK_CONTROL},    {"control", VK_CONTROL},
    {"shift", VK_SHIFT},     {"alt", VK_MENU},
    {"menu", VK_MENU},       {"apps", VK_APPS},
    {"pause", VK_PAUSE},     {"capslock", VK_CAPITAL},
    {"numlock", VK_NUMLOCK},
}};

bool is_modifier(UINT virtual_key) {
    return virtual_key == VK_CONTROL || virtual_key == VK_SHIFT || virtual_key == VK_MENU;
}

std::string lowercase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

// One key of a spec: a name, a letter, a digit, a function key or a punctuation character.
std::optional<UINT> parse_key_name(std::string_view name) {
    if (name.size() == 1) {
        unsigned char c = static_cast<unsigned char>(name.front());
        if (std::isalpha(c))
            return UINT(std::toupper(c));
        for (const LayoutKey& key : us_layout_keys)
            if (key.plain == char(c) || key.shifted == char(c))
                return key.virtual_key;
        return std::nullopt;
    }
    std::string lower = lowercase(name);
    for (const NamedKey& key : named_keys)
        if (key.name == lower)
            return key.virtual_key;
    if (lower.size() >= 2 && lower.front() == 'f') {
        int number = 0;
        auto [end, error] = std::from_chars(lower.data() + 1, lower.data() + lower.size(), number);
        if (error == std::errc() && end == lower.data() + lower.size() && number >= 1 &&
            number <= 24)
            return UINT(VK_F1 + number - 1);
    }
    return std::nullopt;
}

} // namespace

char us_layout_character(UINT virtual_key, bool shifted) {
    if (virtual_key >= 'A' && virtual_key <= 'Z')
        return shifted ? char(virtual_key) : char(virtual_key - 'A' + 'a');
    for (const LayoutKey& key : us_layout_keys)
        if (key.virtual_key == virtual_key)
            return shifted ? key.shifted : key.plain;
    return 0;
}

std::vector<InputEvent> KeyStroke::events() const {
    std::vector<InputEvent> events;
    auto key_event = [](InputEvent::Type type, UINT virtual_key) {
        InputEvent event;
        event.type = type;
        event.virtual_key = virtual_key;
        return event;
    };
    for (UINT modifier : modifiers)
        events.push_back(key_event(InputEvent::Type::KeyDown, modifier));
    if (virtual_key)
        events.push_back(key_event(InputEvent::Type::KeyDown, virtual_key));
    if (!text.empty()) {
        InputEvent typed;
        typed.type = InputEvent::Type::Text;
        std::copy_n(text.begin(), std::min(text.size(), sizeof(typed.text) - 1), typed.text);
        events.push_back(typed);
    }
    if (virtual_key)
        events.push_back(key_event(InputEvent::Type::KeyUp, virtual_key));
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier)
        events.push_back(key_event(InputEvent::Type::KeyUp, *modifier));
    return events;
}

std::optional<KeyStroke> parse_key_spec(std::string_view spec) {
    KeyStroke stroke;
    // A '+' right after a separator (or first) is the key itself: "Ctrl++", "+".
    while (!spec.empty()) {
        size_t plus = spec.find('+', 1);
        std::string_view part = spec.substr(0, plus);
        if (plus != std::string_view::npos && plus + 1 == spec.size())
            return std::nullopt;
        spec.remove_prefix(plus == std::string_view::npos ? spec.size() : plus + 1);
        auto key = parse_key_name(part);
        if (!key)
            return std::nullopt;
        if (!spec.empty()) {
            if (!is_modifier(*key))
                return std::nullopt;
            stroke.modifiers.push_back(*key);
            continue;
        }
        stroke.virtual_key = *key;
        // A shifted punctuation character ("?") is Shift and its key.
        if (part.size() == 1 && !std::isalnum(static_cast<unsigned char>(part.front())) &&
            us_layout_character(*key, false) != part.front())
            stroke.modifiers.push_back(VK_SHIFT);
    }
    if (!stroke.virtual_key)
        return std::nullopt;
    auto held = [&](UINT modifier) {
        return std::find(stroke.modifiers.begin(), stroke.modifiers.end(), modifier) !=
               stroke.modifiers.end();
    };
    if (!held(VK_CONTROL) && !held(VK_MENU)) {
        if (char typed = us_layout_character(stroke.virtual_key, held(VK_SHIFT)))
            stroke.text = std::string(1, typed);
    }
    return stroke;
}

KeyStroke key_stroke_for_character(std::string_view character) {
    KeyStroke stroke;
    if (character == "\n" || character == "\r") {
        stroke.virtual_key = VK_RETURN;
        return stroke;
    }
    if (character == "\t") {
        stroke.virtual_key = VK_TAB;
        return stroke;
    }
    stroke.text = std::string(character);
    if (character.size() != 1)
        return stroke;
    char c = character.front();
    if (c >= 'a' && c <= 'z') {
        stroke.virtual_key = UINT(c - 'a' + 'A');
    } else if (c >= 'A' && c <= 'Z') {
        stroke.modifiers.push_back(VK_SHIFT);
        stroke.virtual_key = UINT(c);
    } else {
        for (const LayoutKey& key : us_layout_keys) {
            if (key.plain == c) {
                stroke.virtual_key = key.virtual_key;
                break;
            }
            if (key.shifted == c) {
                stroke.modifiers.push_back(VK_SHIFT);
                stroke.virtual_key = key.virtual_key;
                break;
            }
        }
    }
    return stroke;
}

std::vector<std::string_view> split_utf8_characters(std::string_view text) {
    std::vector<std::string_view> characters;
    size_t i = 0;
    while (i < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80           ? 1
                        : (lead >> 5) == 0x6  ? 2
                        : (lead >> 4) == 0xE  ? 3
                        : (lead >> 3) == 0x1E ? 4
                                              : 1;
        if (i + length > text.size())
            length = 1;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                length = 1;
        characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

} // namespace mullion
