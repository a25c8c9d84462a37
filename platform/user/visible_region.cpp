#include "visible_region.h"

namespace mullion {

namespace {
// Whether the window's visible siblings above it cut into its drawing area.
bool clipped_by_siblings(const Window* window) {
    return window->is_top_level() || (window->style & WS_CLIPSIBLINGS);
}

Region minus_siblings_above(Region region, const Window* window) {
    for (const auto& sibling : window->parent->children) {
        if (sibling.get() == window)
            break;
        if (sibling->style & WS_VISIBLE)
            region = region.subtracted(window_rect_on_screen(sibling.get()));
    }
    return region;
}
} // namespace

Region visible_region(const Window* window, VisibleArea area) {
    if (!is_visible(window))
        return {};
    Region region(area == VisibleArea::Client ? client_rect_on_screen(window)
                                              : window_rect_on_screen(window));
    for (const Window* w = window; w->parent; w = w->parent) {
        if (clipped_by_siblings(w))
            region = minus_siblings_above(region, w);
        region = region.intersected(client_rect_on_screen(w->parent));
        if (region.empty())
            return region;
    }
    if ((window->style & WS_CLIPCHILDREN) || window->is_desktop()) {
        for (const auto& child : window->children) {
            if (child->style & WS_VISIBLE)
                region = region.subtracted(window_rect_on_screen(child.get()));
        }
    }
    return region;
}

} // namespace mullion
