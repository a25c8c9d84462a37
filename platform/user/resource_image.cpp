#include "resource_image.h"

#include <cstdlib>

namespace mullion {

namespace {

char ascii_upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// Reads the little-endian fields of an image without ever stepping outside [begin, end).
class Reader {
public:
    Reader(std::span<const uint8_t> bytes, size_t offset, size_t end)
        : m_bytes(bytes), m_offset(offset), m_end(end) {}

    size_t offset() const { return m_offset; }
    bool ok() const { return m_ok; }

    uint16_t word() {
        if (!require(2))
            return 0;
        const uint16_t value = uint16_t(m_bytes[m_offset] | (m_bytes[m_offset + 1] << 8));
        m_offset += 2;
        return value;
    }
    uint32_t dword() {
        const uint32_t low = word();
        return low | (uint32_t(word()) << 16);
    }
    // A type or name field: 0xFFFF and an ordinal, or a zero-terminated UTF-16 string.
    ResourceId id() {
        const uint16_t first = word();
        if (first == 0xFFFF)
            return ResourceId::from_ordinal(word());
        std::u16string text;
        for (uint16_t unit = first; m_ok && unit != 0; unit = word())
            text.push_back(char16_t(unit));
        return ResourceId::from_name(utf8_from_utf16(text));
    }
    void align_dword(size_t origin) {
        const size_t misalignment = (m_offset - origin) % 4;
        if (misalignment)
            skip(4 - misalignment);
    }
    void skip(size_t count) {
        if (require(count))
            m_offset += count;
    }

private:
    bool require(size_t count) {
        if (!m_ok || m_end - m_offset < count)
            m_ok = false;
        return m_ok;
    }

    std::span<const uint8_t> m_bytes;
    size_t m_offset;
    size_t m_end;
    bool m_ok = true;
};

} // namespace

ResourceId ResourceId::from_argument(LPCSTR argument) {
    if (IS_INTRESOURCE(argument))
        return from_ordinal(uint16_t(reinterpret_cast<uintptr_t>(argument)));
    if (argument[0] == '#') {
        char* end = nullptr;
        const unsigned long value = std::strtoul(argument + 1, &end, 10);
        if (end != argument + 1 && *end == '\0' && value <= 0xFFFF)
            return from_ordinal(uint16_t(value));
    }
    return from_name(argument);
}

bool ResourceId::matches(const ResourceId& other) const {
    if (by_ordinal || other.by_ordinal)
        return by_ordinal == other.by_ordinal && ordinal == other.ordinal;
    if (name.size() != other.name.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (ascii_upper(name[i]) != ascii_upper(other.name[i]))
            return false;
    return true;
}

std::optional<ResourceImage> ResourceImage::parse(std::span<const uint8_t> bytes,
                                                  std::string* error) {
    auto fail = [&](size_t offset, const char* why) -> std::optional<ResourceImage> {
        if (error)
            *error = std::string(why) + " at offset " + std::to_string(offset);
        return std::nullopt;
    };
    // The fixed part after the type and name: DataVersion, MemoryFlags, LanguageId, Version,
    // Characteristics.
    constexpr size_t trailer_size = 16;

    ResourceImage image;
    size_t offset = 0;
    while (bytes.size() - offset >= 8) {
        Reader sizes(bytes, offset, bytes.size());
        const uint64_t data_size = sizes.dword();
        const uint64_t header_size = sizes.dword();
        if (header_size < 8 + 4 + 4 + trailer_size || header_size > bytes.size() - offset)
            return fail(offset, "resource header size out of range");
        if (data_size > bytes.size() - offset - header_size)
            return fail(offset, "resource data runs past the end of the image");

        Reader header(bytes, offset + 8, offset + header_size);
        ResourceEntry entry;
        entry.type = header.id();
        entry.name = header.id();
        header.align_dword(offset);
        header.skip(4); // DataVersion
        entry.memory_flags = header.word();
        entry.language = header.word();
        if (!header.ok())
            return fail(offset, "resource header truncated");

        entry.data = bytes.subspan(offset + header_size, data_size);
        // The image begins with an empty entry (type 0) that only marks the format.
        if (!(entry.type.by_ordinal && entry.type.ordinal == 0))
            image.m_entries.push_back(std::move(entry));

        const uint64_t next = (offset + header_size + data_size + 3) & ~uint64_t(3);
        offset = next < bytes.size() ? size_t(next) : bytes.size();
    }
    for (; offset < bytes.size(); ++offset)
        if (bytes[offset] != 0)
            return fail(offset, "trailing bytes after the last resource");
    return image;
}

const ResourceEntry* ResourceImage::find(const ResourceId& type, const ResourceId& name) const {
    for (const ResourceEntry& entry : m_entries)
        if (entry.type.matches(type) && entry.name.matches(name))
            return &entry;
    return nullptr;
}

std::string utf8_from_utf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out.push_back(char(code));
        } else if (code < 0x800) {
            out.push_back(char(0xC0 | (code >> 6)));
            out.push_back(char(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(char(0xE0 | (code >> 12)));
            out.push_back(char(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(char(0x80 | (code & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (code >> 18)));
            out.push_back(char(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(char(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

std::u16string utf16_from_utf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80       ? 1
                              : lead >> 5 == 6  ? 2
                              : lead >> 4 == 14 ? 3
                              : lead >> 3 == 30 ? 4
                                                : 0;
        uint32_t code = lead;
        bool valid = length == 1;
        if (length > 1 && i + length <= text.size()) {
            valid = true;
            code = lead & (0x7F >> length);
            for (size_t k = 1; k < length && valid; ++k) {
                const auto next = static_cast<unsigned char>(text[i + k]);
                valid = (next & 0xC0) == 0x80;
                code = (code << 6) | (next & 0x3F);
            }
        }
        if (!valid)
            code = 0xFFFD;
        i += valid ? length : 1;
        if (code >= 0x10000) {
            out.push_back(char16_t(0xD800 + ((code - 0x10000) >> 10)));
            out.push_back(char16_t(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            out.push_back(char16_t(code));
        }
    }
    return out;
}

} // namespace mullion
