#pragma once

#include "resource_image.h"
#include "windows.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mullion {

// One control of a dialog template, in dialog units.
struct DialogItemTemplate {
    DWORD style = 0;
    DWORD ex_style = 0;
    DWORD help_id = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    // The window class: an ordinal of a predefined control (0x0080 Button .. 0x0085 ComboBox)
    // or a registered class name.
    ResourceId window_class;
    // The text, or by ordinal the resource id of an icon or bitmap (SS_ICON, SS_BITMAP).
    ResourceId title;
    // The creation data handed to WM_CREATE, starting with its size word; null when none.
    const void* creation_data = nullptr;

    // The class name CreateWindowExA takes ("Button", "Edit", ... or the template's name).
    std::string class_name() const;
};

// A dialog template, classic (DLGTEMPLATE) or extended (DLGTEMPLATEEX), in dialog units.
struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD ex_style = 0;
    DWORD help_id = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::optional<ResourceId> menu;
    std::optional<ResourceId> window_class; // absent: the dialog class "#32770"
    std::string title;
    // With DS_SETFONT: the font's size in points, weight, italic flag, character set, face.
    bool has_font = false;
    WORD point_size = 0;
    WORD weight = FW_NORMAL;
    bool italic = false;
    BYTE charset = DEFAULT_CHARSET;
    std::string face;
    std::vector<DialogItemTemplate> items;

    // Reads a template; nullopt when it runs past the bytes or is otherwise malformed. The
    // bytes must be DWORD-aligned in memory, as templates are, and stay valid while the
    // creation data pointers are used.
    static std::optional<DialogTemplate> parse(std::span<const uint8_t> bytes);
};

} // namespace mullion
