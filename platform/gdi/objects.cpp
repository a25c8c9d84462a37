// Functions on any drawing object: SelectObject, GetCurrentObject, DeleteObject, GetObjectA,
// GetObjectType.
#include "bitmap.h"
#include "brush.h"
#include "device_context.h"
#include "font.h"
#include "palette.h"
#include "pen.h"
#include "region_object.h"

#include <algorithm>
#include <cstring>
#include <utility>

using namespace mullion;

namespace {

template <class T>
HGDIOBJ replace(std::shared_ptr<T>& selected, HGDIOBJ& selected_handle, HGDIOBJ handle) {
    auto object = HandleTable::instance().get<T>(handle);
    if (!object)
        return nullptr;
    selected = std::move(object);
    return std::exchange(selected_handle, handle);
}

int copy_out(const void* data, int size, int capacity, void* out) {
    if (!out)
        return size;
    if (capacity < size)
        return 0;
    std::memcpy(out, data, size_t(size));
    return size;
}

} // namespace

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    auto dc = HandleTable::instance().get<DeviceContext>(hdc);
    auto object = HandleTable::instance().lookup(h);
    if (!dc || !object)
        return nullptr;
    DeviceContext::State& state = dc->state;
    switch (object->kind()) {
    case ObjectKind::Pen:
        return replace(state.pen, state.pen_handle, h);
    case ObjectKind::Brush:
        return replace(state.brush, state.brush_handle, h);
    case ObjectKind::Font: {
        if (!state.font_handle) {
            // A context that never had a font selected draws with the system font.
            state.font = selected_font(*dc);
            state.font_handle = GetStockObject(SYSTEM_FONT);
        }
        return replace(state.font, state.font_handle, h);
    }
    case ObjectKind::Bitmap:
        if (dc->type != DeviceContext::Type::Memory)
            return nullptr;
        return replace(state.bitmap, state.bitmap_handle, h);
    case ObjectKind::Region:
        // Selecting a region sets a copy of it as the clip region; the result is its kind.
        return reinterpret_cast<HGDIOBJ>(
            static_cast<intptr_t>(SelectClipRgn(hdc, static_cast<HRGN>(h))));
    default:
        return nullptr;
    }
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
    auto dc = HandleTable::instance().get<DeviceContext>(hdc);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_PEN:
        return dc->state.pen_handle;
    case OBJ_BRUSH:
        return dc->state.brush_handle;
    case OBJ_PAL:
        return dc->state.palette_handle;
    case OBJ_FONT:
        return dc->state.font_handle ? dc->state.font_handle : GetStockObject(SYSTEM_FONT);
    case OBJ_BITMAP:
        return dc->state.bitmap_handle;
    default:
        return nullptr;
    }
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    auto& table = HandleTable::instance();
    auto object = table.lookup(ho);
    if (!object)
        return FALSE;
    switch (object->kind()) {
    case ObjectKind::Pen:
    case ObjectKind::Brush:
    case ObjectKind::Font:
    case ObjectKind::Bitmap:
    case ObjectKind::Palette:
    case ObjectKind::Region:
        break;
    default:
        return FALSE;
    }
    // Stock objects stay. A context that still has the object selected keeps it alive
    // through its own reference; only the handle dies.
    if (!table.is_permanent(ho))
        table.remove(ho);
    return TRUE;
}

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    auto object = HandleTable::instance().lookup(h);
    if (!object || c < 0)
        return 0;
    switch (object->kind()) {
    case ObjectKind::Pen: {
        const auto& pen = static_cast<const Pen&>(*object);
        const LOGPEN logpen{pen.style_flags(), POINT{pen.width(), 0}, pen.color()};
        return copy_out(&logpen, sizeof(logpen), c, pv);
    }
    case ObjectKind::Brush: {
        const auto& brush = static_cast<const Brush&>(*object);
        const LOGBRUSH logbrush{brush.style(), brush.color(), ULONG_PTR(brush.hatch())};
        return copy_out(&logbrush, sizeof(logbrush), c, pv);
    }
    case ObjectKind::Bitmap: {
        const BITMAP bitmap = static_cast<Bitmap&>(*object).describe();
        return copy_out(&bitmap, sizeof(bitmap), c, pv);
    }
    case ObjectKind::Palette: {
        const WORD count = WORD(static_cast<const Palette&>(*object).entries().size());
        return copy_out(&count, sizeof(count), std::min(c, int(sizeof(count))), pv);
    }
    case ObjectKind::Font:
        return get_font_object(static_cast<const Font&>(*object), c, pv);
    default:
        return 0;
    }
}

DWORD WINAPI GetObjectType(HGDIOBJ h) {
    auto object = HandleTable::instance().lookup(h);
    if (!object)
        return 0;
    switch (object->kind()) {
    case ObjectKind::Pen:
        return OBJ_PEN;
    case ObjectKind::Brush:
        return OBJ_BRUSH;
    case ObjectKind::Font:
        return OBJ_FONT;
    case ObjectKind::Bitmap:
        return OBJ_BITMAP;
    case ObjectKind::Palette:
        return OBJ_PAL;
    case ObjectKind::Region:
        return OBJ_REGION;
    case ObjectKind::DeviceContext:
        return static_cast<const DeviceContext&>(*object).type == DeviceContext::Type::Memory
                   ? OBJ_MEMDC
                   : OBJ_DC;
    default:
        return 0;
    }
}
