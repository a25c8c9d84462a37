#include "registry_tree.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace mullion {

std::string RegistryKey::fold(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        c = char(std::toupper((unsigned char)c));
    return folded;
}

std::shared_ptr<RegistryKey> RegistryKey::subkey(std::string_view name) const {
    auto it = m_subkeys.find(fold(name));
    return it == m_subkeys.end() ? nullptr : it->second;
}

std::shared_ptr<RegistryKey> RegistryKey::create_subkey(std::string_view name, bool& created) {
    auto& slot = m_subkeys[fold(name)];
    created = !slot;
    if (!slot)
        slot = std::make_shared<RegistryKey>(std::string(name));
    return slot;
}

bool RegistryKey::remove_subkey(std::string_view name) {
    auto it = m_subkeys.find(fold(name));
    if (it == m_subkeys.end() || !it->second->m_subkeys.empty())
        return false;
    it->second->m_deleted = true;
    m_subkeys.erase(it);
    return true;
}

std::vector<std::shared_ptr<RegistryKey>> RegistryKey::subkeys() const {
    std::vector<std::shared_ptr<RegistryKey>> keys;
    for (const auto& entry : m_subkeys)
        keys.push_back(entry.second);
    return keys;
}

const RegistryValue* RegistryKey::value(std::string_view name) const {
    const std::string folded = fold(name);
    for (const RegistryValue& value : m_values)
        if (fold(value.name) == folded)
            return &value;
    return nullptr;
}

void RegistryKey::set_value(RegistryValue value) {
    const std::string folded = fold(value.name);
    for (RegistryValue& existing : m_values) {
        if (fold(existing.name) == folded) {
            // The name keeps the case it was first created with.
            existing.type = value.type;
            existing.data = std::move(value.data);
            return;
        }
    }
    m_values.push_back(std::move(value));
}

bool RegistryKey::remove_value(std::string_view name) {
    const std::string folded = fold(name);
    return std::erase_if(m_values, [&](const RegistryValue& v) { return fold(v.name) == folded; }) >
           0;
}

std::shared_ptr<RegistryKey> RegistryKey::find_path(std::string_view path) const {
    std::shared_ptr<RegistryKey> key;
    const RegistryKey* current = this;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (!part.empty()) {
            key = current->subkey(part);
            if (!key)
                return nullptr;
            current = key.get();
        }
        start = end + 1;
    }
    return key;
}

std::shared_ptr<RegistryKey> RegistryRoots::root(const std::string& name) {
    auto& slot = roots[name];
    if (!slot)
        slot = std::make_shared<RegistryKey>(name);
    return slot;
}

namespace {

constexpr uint32_t type_sz = 1;
constexpr uint32_t type_binary = 3;
constexpr uint32_t type_dword = 4;

// Reads a quoted string starting at text[position] == '"'; escapes are \\ and \".
bool read_quoted(std::string_view text, size_t& position, std::string& out) {
    if (position >= text.size() || text[position] != '"')
        return false;
    ++position;
    out.clear();
    while (position < text.size()) {
        char c = text[position++];
        if (c == '"')
            return true;
        if (c == '\\' && position < text.size())
            c = text[position++];
        out += c;
    }
    return false;
}

// Where a value line's data begins (after its '='), or npos for other lines.
size_t value_data_start(std::string_view line) {
    size_t position = 0;
    if (line.starts_with("@")) {
        position = 1;
    } else {
        std::string name;
        if (!read_quoted(line, position, name))
            return std::string_view::npos;
    }
    return position < line.size() && line[position] == '=' ? position + 1 : std::string_view::npos;
}

// Joins hex data continued with a final "\" and splits the text into logical lines.
std::vector<std::string> logical_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!current.empty()) {
            const size_t first = line.find_first_not_of(" \t");
            line = first == std::string_view::npos ? std::string_view() : line.substr(first);
        }
        current += line;
        const size_t data = value_data_start(current);
        if (!current.empty() && current.back() == '\\' && data != std::string_view::npos &&
            std::string_view(current).substr(data).starts_with("hex")) {
            current.pop_back();
            continue;
        }
        lines.push_back(std::move(current));
        current.clear();
    }
    if (!current.empty())
        lines.push_back(std::move(current));
    return lines;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = char(std::tolower((unsigned char)c));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool parse_hex_bytes(std::string_view text, std::vector<uint8_t>& bytes) {
    bytes.clear();
    size_t position = 0;
    while (position < text.size()) {
        while (position < text.size() && (text[position] == ' ' || text[position] == '\t'))
            ++position;
        if (position == text.size())
            break;
        if (position + 1 >= text.size() || hex_digit(text[position]) < 0 ||
            hex_digit(text[position + 1]) < 0)
            return false;
        bytes.push_back(uint8_t(hex_digit(text[position]) * 16 + hex_digit(text[position + 1])));
        position += 2;
        while (position < text.size() && (text[position] == ' ' || text[position] == '\t'))
            ++position;
        if (position < text.size() && text[position] != ',')
            return false;
        ++position;
    }
    return true;
}

bool parse_data(std::string_view text, RegistryValue& value) {
    if (!text.empty() && text[0] == '"') {
        size_t position = 0;
        std::string string;
        if (!read_quoted(text, position, string) || position != text.size())
            return false;
        value.type = type_sz;
        value.data.assign(string.begin(), string.end());
        value.data.push_back(0);
        return true;
    }
    if (text.starts_with("dword:")) {
        const std::string_view digits = text.substr(6);
        if (digits.empty() || digits.size() > 8)
            return false;
        uint32_t number = 0;
        for (char c : digits) {
            const int digit = hex_digit(c);
            if (digit < 0)
                return false;
            number = number * 16 + uint32_t(digit);
        }
        value.type = type_dword;
        value.data = {uint8_t(number), uint8_t(number >> 8), uint8_t(number >> 16),
                      uint8_t(number >> 24)};
        return true;
    }
    if (text.starts_with("hex:")) {
        value.type = type_binary;
        return parse_hex_bytes(text.substr(4), value.data);
    }
    if (text.starts_with("hex(")) {
        const size_t close = text.find("):");
        if (close == std::string_view::npos || close == 4 || close > 12)
            return false;
        uint32_t type = 0;
        for (char c : text.substr(4, close - 4)) {
            const int digit = hex_digit(c);
            if (digit < 0)
                return false;
            type = type * 16 + uint32_t(digit);
        }
        value.type = type;
        return parse_hex_bytes(text.substr(close + 2), value.data);
    }
    return false;
}

// The key a "[ROOT\path]" header names, created if needed.
std::shared_ptr<RegistryKey> section_key(RegistryRoots& roots, std::string_view path, bool create) {
    const size_t slash = path.find('\\');
    const std::string root_name(path.substr(0, slash));
    if (!root_name.starts_with("HKEY_"))
        return nullptr;
    if (!create && !roots.roots.count(root_name))
        return nullptr;
    std::shared_ptr<RegistryKey> key = roots.root(root_name);
    if (slash == std::string_view::npos)
        return key;
    if (!create)
        return key->find_path(path.substr(slash + 1));
    size_t start = slash + 1;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start) {
            bool created;
            key = key->create_subkey(path.substr(start, end - start), created);
        }
        start = end + 1;
    }
    return key;
}

void remove_tree(RegistryKey& parent, const std::string& name) {
    auto key = parent.subkey(name);
    if (!key)
        return;
    for (const auto& child : key->subkeys())
        remove_tree(*key, child->name());
    parent.remove_subkey(name);
}

void write_quoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
}

// A string value is written as "text" when it reads back exactly so: one final NUL, no
// other NUL and no line breaks.
bool writable_as_string(const RegistryValue& value) {
    if (value.type != type_sz || value.data.empty() || value.data.back() != 0)
        return false;
    return std::none_of(value.data.begin(), value.data.end() - 1,
                        [](uint8_t b) { return b == 0 || b == '\n' || b == '\r'; });
}

void write_value(std::string& out, const RegistryValue& value) {
    if (value.name.empty())
        out += '@';
    else
        write_quoted(out, value.name);
    out += '=';
    if (writable_as_string(value)) {
        write_quoted(out, std::string_view(reinterpret_cast<const char*>(value.data.data()),
                                           value.data.size() - 1));
    } else if (value.type == type_dword && value.data.size() == 4) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%08x",
                      unsigned(value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                               uint32_t(value.data[3]) << 24));
        out += digits;
    } else {
        char prefix[24];
        if (value.type == type_binary)
            std::snprintf(prefix, sizeof prefix, "hex:");
        else
            std::snprintf(prefix, sizeof prefix, "hex(%x):", unsigned(value.type));
        out += prefix;
        for (size_t i = 0; i < value.data.size(); ++i) {
            char byte[4];
            std::snprintf(byte, sizeof byte, i ? ",%02x" : "%02x", value.data[i]);
            out += byte;
        }
    }
    out += '\n';
}

void write_key(std::string& out, const RegistryKey& key, const std::string& path) {
    if (!key.values().empty() || key.subkeys().empty()) {
        out += '[' + path + "]\n";
        for (const RegistryValue& value : key.values())
            write_value(out, value);
        out += '\n';
    }
    for (const auto& child : key.subkeys())
        write_key(out, *child, path + '\\' + child->name());
}

} // namespace

size_t parse_registry_file(std::string_view text, RegistryRoots& roots) {
    size_t skipped = 0;
    std::shared_ptr<RegistryKey> current;
    for (const std::string& line : logical_lines(text)) {
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == ';' || line.starts_with("REGEDIT4") ||
            line.starts_with("Windows Registry Editor"))
            continue;
        const std::string_view content = std::string_view(line).substr(first);
        if (content[0] == '[') {
            const size_t close = content.rfind(']');
            if (close == std::string_view::npos || close < 2) {
                current = nullptr;
                ++skipped;
                continue;
            }
            std::string_view path = content.substr(1, close - 1);
            if (path[0] == '-') {
                path.remove_prefix(1);
                const size_t slash = path.rfind('\\');
                auto parent = slash == std::string_view::npos
                                  ? nullptr
                                  : section_key(roots, path.substr(0, slash), false);
                if (parent)
                    remove_tree(*parent, std::string(path.substr(slash + 1)));
                current = nullptr;
                continue;
            }
            current = section_key(roots, path, true);
            if (!current)
                ++skipped;
            continue;
        }
        RegistryValue value;
        size_t position = 0;
        if (content[0] == '@') {
            position = 1;
        } else if (!read_quoted(content, position, value.name)) {
            ++skipped;
            continue;
        }
        if (!current || position >= content.size() || content[position] != '=') {
            ++skipped;
            continue;
        }
        const std::string_view data = content.substr(position + 1);
        if (data == "-") {
            current->remove_value(value.name);
            continue;
        }
        if (!parse_data(data, value)) {
            ++skipped;
            continue;
        }
        current->set_value(std::move(value));
    }
    return skipped;
}

std::string write_registry_file(const RegistryRoots& roots) {
    std::string out = "REGEDIT4\n\n";
    for (const auto& [name, root] : roots.roots)
        for (const auto& child : root->subkeys())
            write_key(out, *child, name + '\\' + child->name());
    return out;
}

} // namespace mullion
