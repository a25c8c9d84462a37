#pragma once

#include "windows.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mullion {

// A resource type or name: a 16-bit ordinal or a string (kept in UTF-8). Strings match without
// regard to ASCII case, as resource names do.
struct ResourceId {
    bool by_ordinal = true;
    uint16_t ordinal = 0;
    std::string name;

    static ResourceId from_ordinal(uint16_t value) { return {true, value, {}}; }
    static ResourceId from_name(std::string value) { return {false, 0, std::move(value)}; }
    // The form the API functions take: MAKEINTRESOURCE(n), "#n" for ordinal n, or a name.
    static ResourceId from_argument(LPCSTR argument);

    bool matches(const ResourceId& other) const;
};

// One resource of a .res image. The data points into the image's bytes.
struct ResourceEntry {
    ResourceId type;
    ResourceId name;
    uint16_t language = 0;
    uint16_t memory_flags = 0;
    std::span<const uint8_t> data;
};

// The directory of a 32-bit .res image: a sequence of resource headers (data size, header
// size, type, name, then version, flags, language and characteristics), each followed by its
// data, everything DWORD-aligned. The image's bytes are not copied: they must outlive it.
class ResourceImage {
public:
    ResourceImage() = default;

    // Parses the whole image; any inconsistency (a size running past the end, an unterminated
    // name, a header too small for its fields) rejects the image, describing why in *error.
    static std::optional<ResourceImage> parse(std::span<const uint8_t> bytes, std::string* error);

    const std::vector<ResourceEntry>& entries() const { return m_entries; }
    // The first resource of that type and name, whatever its language; null when none.
    const ResourceEntry* find(const ResourceId& type, const ResourceId& name) const;

private:
    std::vector<ResourceEntry> m_entries;
};

// UTF-16 text of resources to the UTF-8 the "A" functions use. Unpaired surrogates become
// U+FFFD.
std::string utf8_from_utf16(std::u16string_view text);
std::u16string utf16_from_utf8(std::string_view text);

} // namespace mullion
