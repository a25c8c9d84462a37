// LoadMenuA and LoadMenuIndirectA: menus from standard and extended menu templates, whose
// strings are null-terminated UTF-16 and become UTF-8 items.
#include "menu_template.h"

#include "menu.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace mullion {
namespace {

// Extended template item flags.
constexpr WORD ex_item_has_submenu = 0x01;
constexpr WORD ex_item_is_last = 0x80;

class TemplateReader {
public:
    TemplateReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool word(WORD& value) { return read(&value, sizeof value); }
    bool dword(DWORD& value) { return read(&value, sizeof value); }
    bool skip(size_t count) {
        if (m_size - m_offset < count)
            return false;
        m_offset += count;
        return true;
    }
    void align_dword() { m_offset = std::min(m_size, (m_offset + 3) & ~size_t(3)); }

    // A null-terminated UTF-16 string, converted to UTF-8 (unpaired surrogates become U+FFFD).
    bool string(std::string& text) {
        text.clear();
        for (;;) {
            WORD unit = 0;
            if (!word(unit))
                return false;
            if (unit == 0)
                return true;
            uint32_t code = unit;
            if (unit >= 0xD800 && unit < 0xDC00) {
                WORD low = 0;
                size_t saved = m_offset;
                if (word(low) && low >= 0xDC00 && low < 0xE000) {
                    code = 0x10000 + ((uint32_t(unit) - 0xD800) << 10) + (low - 0xDC00);
                } else {
                    m_offset = saved;
                    code = 0xFFFD;
                }
            } else if (unit >= 0xDC00 && unit < 0xE000) {
                code = 0xFFFD;
            }
            append_utf8(text, code);
        }
    }

private:
    bool read(void* value, size_t count) {
        if (m_size - m_offset < count)
            return false;
        std::memcpy(value, m_data + m_offset, count);
        m_offset += count;
        return true;
    }
    static void append_utf8(std::string& text, uint32_t code) {
        if (code < 0x80) {
            text += char(code);
        } else if (code < 0x800) {
            text += char(0xC0 | (code >> 6));
            text += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            text += char(0xE0 | (code >> 12));
            text += char(0x80 | ((code >> 6) & 0x3F));
            text += char(0x80 | (code & 0x3F));
        } else {
            text += char(0xF0 | (code >> 18));
            text += char(0x80 | ((code >> 12) & 0x3F));
            text += char(0x80 | ((code >> 6) & 0x3F));
            text += char(0x80 | (code & 0x3F));
        }
    }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_offset = 0;
};

constexpr int max_nesting = 32;

// Standard items: WORD flags, then a WORD id unless MF_POPUP, then the text. MF_END marks the
// last item of each level; an item without text, id or flags is a separator.
bool read_standard_items(TemplateReader& reader, HMENU menu, int depth) {
    if (depth > max_nesting)
        return false;
    for (;;) {
        WORD flags = 0;
        WORD id = 0;
        std::string text;
        if (!reader.word(flags))
            return false;
        if (!(flags & MF_POPUP) && !reader.word(id))
            return false;
        if (!reader.string(text))
            return false;
        UINT item_flags = flags & ~UINT(MF_END | MF_POPUP);
        if (flags & MF_POPUP) {
            HMENU submenu = CreatePopupMenu();
            AppendMenuA(menu, item_flags | MF_POPUP, UINT_PTR(submenu), text.c_str());
            if (!read_standard_items(reader, submenu, depth + 1))
                return false;
        } else if (text.empty() && id == 0 && item_flags == 0) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(menu, item_flags, id, text.c_str());
        }
        if (flags & MF_END)
            return true;
    }
}

// Extended items: DWORD type, DWORD state, DWORD id, WORD flags, text, padding to a DWORD,
// and for a submenu a DWORD help id followed by the submenu's items.
bool read_extended_items(TemplateReader& reader, HMENU menu, int depth) {
    if (depth > max_nesting)
        return false;
    for (;;) {
        DWORD type = 0, state = 0, id = 0, help_id = 0;
        WORD flags = 0;
        std::string text;
        if (!reader.dword(type) || !reader.dword(state) || !reader.dword(id) ||
            !reader.word(flags) || !reader.string(text))
            return false;
        reader.align_dword();
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
        info.fType = type;
        info.fState = state;
        info.wID = id;
        if (!(type & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW))) {
            info.fMask |= MIIM_STRING;
            info.dwTypeData = text.data();
        }
        HMENU submenu = nullptr;
        if (flags & ex_item_has_submenu) {
            if (!reader.dword(help_id))
                return false;
            submenu = CreatePopupMenu();
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu;
        }
        InsertMenuItemA(menu, UINT(-1), TRUE, &info);
        if (submenu && !read_extended_items(reader, submenu, depth + 1))
            return false;
        if (flags & ex_item_is_last)
            return true;
    }
}

} // namespace

HMENU load_menu_template(const void* data, size_t size) {
    if (!data)
        return nullptr;
    TemplateReader reader(static_cast<const uint8_t*>(data), size);
    WORD version = 0, header_size = 0;
    if (!reader.word(version) || !reader.word(header_size))
        return nullptr;
    HMENU menu = CreateMenu();
    bool complete = false;
    if (version == 0) {
        complete = reader.skip(header_size) && read_standard_items(reader, menu, 0);
    } else if (version == 1) {
        // The offset counts from the end of the offset field to the first item.
        complete = reader.skip(header_size) && read_extended_items(reader, menu, 0);
    }
    if (!complete) {
        DestroyMenu(menu);
        return nullptr;
    }
    return menu;
}

} // namespace mullion

using namespace mullion;

HMENU WINAPI LoadMenuIndirectA(const void* lpMenuTemplate) {
    // Without a size the template is trusted to be well formed, as Win32 trusts it.
    return load_menu_template(lpMenuTemplate,
                              SIZE_MAX - reinterpret_cast<uintptr_t>(lpMenuTemplate));
}

HMENU WINAPI LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName) {
    HRSRC info = FindResourceA(hInstance, lpMenuName, RT_MENU);
    if (!info)
        return nullptr;
    HGLOBAL loaded = LoadResource(hInstance, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return data ? load_menu_template(data, SizeofResource(hInstance, info)) : nullptr;
}
