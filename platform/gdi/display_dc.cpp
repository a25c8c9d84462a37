// Device contexts that draw on the screen for a window.
#include "display_dc.h"
#include "device_context.h"
#include "stock_objects.h"

namespace mullion {

namespace {

void apply_target(DeviceContext& dc, const DisplayTarget& target) {
    dc.display_surface = target.surface;
    dc.display_origin = target.origin;
    dc.display_visible = target.visible;
    dc.window = target.window;
}

} // namespace

HDC create_display_dc(const DisplayTarget& target) {
    auto dc = std::make_shared<DeviceContext>();
    dc->type = DeviceContext::Type::Display;
    apply_target(*dc, target);
    initialize_default_state(*dc);
    return static_cast<HDC>(HandleTable::instance().insert(dc));
}

void retarget_display_dc(HDC hdc, const DisplayTarget& target) {
    auto dc = HandleTable::instance().get<DeviceContext>(hdc);
    if (dc && dc->type == DeviceContext::Type::Display)
        apply_target(*dc, target);
}

HWND display_dc_window(HDC hdc) {
    auto dc = HandleTable::instance().get<DeviceContext>(hdc);
    return dc && dc->type == DeviceContext::Type::Display ? dc->window : nullptr;
}

} // namespace mullion
