#include "dialog_template.h"

namespace mullion {

namespace {

// Reads a template's little-endian fields, failing (and from then on returning zeros) instead
// of stepping past the end.
class TemplateReader {
public:
    explicit TemplateReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    bool ok() const { return m_ok; }
    size_t offset() const { return m_offset; }
    const uint8_t* here() const { return m_bytes.data() + m_offset; }

    uint8_t byte() {
        if (!require(1))
            return 0;
        return m_bytes[m_offset++];
    }
    uint16_t word() {
        const uint16_t low = byte();
        return uint16_t(low | (byte() << 8));
    }
    uint32_t dword() {
        const uint32_t low = word();
        return low | (uint32_t(word()) << 16);
    }
    short coordinate() { return static_cast<short>(word()); }
    std::string string() {
        std::u16string text;
        for (uint16_t unit = word(); m_ok && unit != 0; unit = word())
            text.push_back(char16_t(unit));
        return utf8_from_utf16(text);
    }
    // A menu or class field: 0x0000 for none, 0xFFFF and an ordinal, or a string.
    std::optional<ResourceId> optional_id() {
        const uint16_t first = word();
        if (first == 0)
            return std::nullopt;
        if (first == 0xFFFF)
            return ResourceId::from_ordinal(word());
        m_offset -= 2;
        return ResourceId::from_name(string());
    }
    // An item's class or title: 0xFFFF and an ordinal, or a string (possibly empty).
    ResourceId id() {
        if (auto value = optional_id())
            return *value;
        return ResourceId::from_name("");
    }
    void skip(size_t count) {
        if (require(count))
            m_offset += count;
    }
    void align(size_t alignment) {
        const size_t misalignment = m_offset % alignment;
        if (misalignment)
            skip(alignment - misalignment);
    }

private:
    bool require(size_t count) {
        if (!m_ok || m_bytes.size() - m_offset < count)
            m_ok = false;
        return m_ok;
    }

    std::span<const uint8_t> m_bytes;
    size_t m_offset = 0;
    bool m_ok = true;
};

} // namespace

std::string DialogItemTemplate::class_name() const {
    if (!window_class.by_ordinal)
        return window_class.name;
    switch (window_class.ordinal) {
    case 0x0080:
        return "Button";
    case 0x0081:
        return "Edit";
    case 0x0082:
        return "Static";
    case 0x0083:
        return "ListBox";
    case 0x0084:
        return "ScrollBar";
    case 0x0085:
        return "ComboBox";
    default:
        return "#" + std::to_string(window_class.ordinal);
    }
}

std::optional<DialogTemplate> DialogTemplate::parse(std::span<const uint8_t> bytes) {
    TemplateReader reader(bytes);
    DialogTemplate dialog;
    // An extended template starts with version 1 and the signature 0xFFFF.
    const uint16_t version = reader.word();
    const uint16_t signature = reader.word();
    dialog.extended = version == 1 && signature == 0xFFFF;
    size_t item_count = 0;
    if (dialog.extended) {
        dialog.help_id = reader.dword();
        dialog.ex_style = reader.dword();
        dialog.style = reader.dword();
    } else {
        dialog.style = version | (DWORD(signature) << 16);
        dialog.ex_style = reader.dword();
    }
    item_count = reader.word();
    dialog.x = reader.coordinate();
    dialog.y = reader.coordinate();
    dialog.cx = reader.coordinate();
    dialog.cy = reader.coordinate();
    dialog.menu = reader.optional_id();
    dialog.window_class = reader.optional_id();
    dialog.title = reader.string();
    if (dialog.style & DS_SETFONT) {
        dialog.has_font = true;
        dialog.point_size = reader.word();
        if (dialog.extended) {
            dialog.weight = reader.word();
            dialog.italic = reader.byte() != 0;
            dialog.charset = reader.byte();
        }
        dialog.face = reader.string();
    }
    if (!reader.ok())
        return std::nullopt;

    for (size_t i = 0; i < item_count; ++i) {
        reader.align(4);
        DialogItemTemplate item;
        if (dialog.extended) {
            item.help_id = reader.dword();
            item.ex_style = reader.dword();
            item.style = reader.dword();
        } else {
            item.style = reader.dword();
            item.ex_style = reader.dword();
        }
        item.x = reader.coordinate();
        item.y = reader.coordinate();
        item.cx = reader.coordinate();
        item.cy = reader.coordinate();
        item.id = dialog.extended ? reader.dword() : reader.word();
        item.window_class = reader.id();
        item.title = reader.id();
        // Classic templates count the size word in the creation data's size; extended ones
        // count only the bytes after it.
        const uint8_t* creation = reader.here();
        const uint16_t creation_size = reader.word();
        if (creation_size != 0) {
            item.creation_data = creation;
            reader.skip(dialog.extended ? creation_size
                                        : (creation_size >= 2 ? creation_size - 2 : 0));
        }
        if (!reader.ok())
            return std::nullopt;
        dialog.items.push_back(std::move(item));
    }
    return dialog;
}

} // namespace mullion
