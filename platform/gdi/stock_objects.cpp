// GetStockObject and the default objects of a new device context.
#include "stock_objects.h"
#include "bitmap.h"
#include "brush.h"
#include "device_context.h"
#include "palette.h"
#include "pen.h"
#include "stock_font.h"

#include <array>

namespace mullion {

namespace {

// The stock objects other than fonts, created once and never freed.
struct StockObjects {
    std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1> handles{};

    StockObjects() {
        auto brush = [](COLORREF color) { return std::make_shared<Brush>(BS_SOLID, color); };
        auto pen = [](UINT style, COLORREF color) {
            return std::make_shared<Pen>(style, 0, color);
        };
        auto& table = HandleTable::instance();
        handles[WHITE_BRUSH] = table.insert_permanent(brush(RGB(255, 255, 255)));
        handles[LTGRAY_BRUSH] = table.insert_permanent(brush(RGB(192, 192, 192)));
        handles[GRAY_BRUSH] = table.insert_permanent(brush(RGB(128, 128, 128)));
        handles[DKGRAY_BRUSH] = table.insert_permanent(brush(RGB(64, 64, 64)));
        handles[BLACK_BRUSH] = table.insert_permanent(brush(RGB(0, 0, 0)));
        handles[NULL_BRUSH] = table.insert_permanent(std::make_shared<Brush>(BS_NULL, 0));
        handles[WHITE_PEN] = table.insert_permanent(pen(PS_SOLID, RGB(255, 255, 255)));
        handles[BLACK_PEN] = table.insert_permanent(pen(PS_SOLID, RGB(0, 0, 0)));
        handles[NULL_PEN] = table.insert_permanent(pen(PS_NULL, 0));
        handles[DEFAULT_PALETTE] =
            table.insert_permanent(std::make_shared<Palette>(Palette::default_entries()));
    }
};

const StockObjects& stock_objects() {
    static const StockObjects objects;
    return objects;
}

bool is_font_index(int index) {
    return (index >= OEM_FIXED_FONT && index <= DEVICE_DEFAULT_FONT) ||
           index == SYSTEM_FIXED_FONT || index == DEFAULT_GUI_FONT;
}

} // namespace

HGDIOBJ stock_object(int index) {
    if (is_font_index(index))
        return stock_font(index);
    if (index < 0 || index > DEFAULT_GUI_FONT)
        return nullptr;
    return stock_objects().handles[size_t(index)];
}

void initialize_default_state(DeviceContext& dc) {
    auto& table = HandleTable::instance();
    DeviceContext::State& state = dc.state;
    state.pen_handle = stock_object(BLACK_PEN);
    state.pen = table.get<Pen>(state.pen_handle);
    state.brush_handle = stock_object(WHITE_BRUSH);
    state.brush = table.get<Brush>(state.brush_handle);
    state.palette_handle = stock_object(DEFAULT_PALETTE);
    state.palette = table.get<Palette>(state.palette_handle);
    if (dc.type == DeviceContext::Type::Memory) {
        state.bitmap_handle = default_bitmap();
        state.bitmap = table.get<Bitmap>(state.bitmap_handle);
    }
}

} // namespace mullion

HGDIOBJ WINAPI GetStockObject(int i) {
    return mullion::stock_object(i);
}
