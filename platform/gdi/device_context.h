#pragma once

#include "../kernel/handle_table.h"
#include "region.h"
#include "surface.h"
#include "windows.h"

#include <memory>
#include <vector>

namespace mullion {

class Pen;
class Brush;
class Font;
class Bitmap;
class Palette;

// The state of one device context. A context draws either on a display target (the screen,
// through a window) or on the bitmap selected into a memory context.
class DeviceContext : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::DeviceContext;
    ObjectKind kind() const override { return object_kind; }

    enum class Type { Display, Memory };

    struct State {
        std::shared_ptr<Pen> pen;
        std::shared_ptr<Brush> brush;
        std::shared_ptr<Font> font;
        std::shared_ptr<Bitmap> bitmap; // memory contexts
        std::shared_ptr<Palette> palette;
        HGDIOBJ pen_handle = nullptr;
        HGDIOBJ brush_handle = nullptr;
        HGDIOBJ font_handle = nullptr;
        HGDIOBJ bitmap_handle = nullptr;
        HGDIOBJ palette_handle = nullptr;
        bool palette_forced_background = false; // SelectPalette's bForceBackground
        COLORREF text_color = 0x000000;
        COLORREF background_color = 0xFFFFFF;
        int background_mode = OPAQUE;
        int rop2 = R2_COPYPEN;
        int stretch_mode = BLACKONWHITE;
        UINT text_align = TA_LEFT | TA_TOP | TA_NOUPDATECP;
        int text_character_extra = 0;
        POINT current_position{0, 0};
        POINT brush_origin{0, 0};
        int map_mode = MM_TEXT;
        POINT window_origin{0, 0};
        POINT viewport_origin{0, 0};
        SIZE window_extent{1, 1};
        SIZE viewport_extent{1, 1};
        bool has_clip_region = false;
        Region clip_region; // device coordinates, as set by SelectClipRgn and friends
    };

    Type type = Type::Memory;
    State state;
    std::vector<State> saved_states;

    // Display contexts: the target surface, the device origin on it and the visible region
    // (surface coordinates). Memory contexts draw on their selected bitmap's surface.
    Surface* display_surface = nullptr;
    POINT display_origin{0, 0};
    Region display_visible;
    HWND window = nullptr;

    // The surface drawing lands on (null for a memory context without a bitmap) and the
    // region of it drawing may touch, in surface coordinates: the visible region cut by the
    // context's own clip region.
    Surface* target_surface() const;
    POINT device_origin() const { return type == Type::Display ? display_origin : POINT{0, 0}; }
    Region effective_clip() const;

    POINT logical_to_device(POINT p) const;
    POINT device_to_logical(POINT p) const;
    // A logical rectangle in device coordinates, normalized so that left <= right and
    // top <= bottom (mapping modes with y up flip it).
    RECT logical_to_device(const RECT& r) const;
    RECT device_to_logical(const RECT& r) const;
    // A logical length along x in device pixels (pen widths).
    int logical_width_to_device(int width) const;

    // The selected bitmap of a memory context; null for display contexts.
    Bitmap* target_bitmap() const;
    // Whether the target keeps only black and white (a monochrome bitmap is selected).
    bool monochrome_target() const;
    // A colour with PALETTEINDEX and PALETTERGB forms resolved to plain RGB.
    COLORREF resolve_color(COLORREF color) const;
    // The pixel value a colour takes on the target surface (snapped to black or white on a
    // monochrome target, a system palette index on an 8-bit screen).
    uint32_t pixel_for(COLORREF color) const;
    // Whether the target keeps system palette indices (a display context on an 8-bit screen).
    bool indexed_target() const;
    // A 0x00RRGGBB colour as a target pixel, and a target pixel as a 0x00RRGGBB colour.
    uint32_t pixel_from_rgb(uint32_t rgb) const;
    uint32_t rgb_from_pixel(uint32_t pixel) const;
};

} // namespace mullion
