#include "presenter.h"

#include <cstdlib>
#include <cstring>

namespace mullion {

const Presenter& choose_presenter(const char* display, const char* wayland_display,
                                  const char* mullion_display) {
    auto is_set = [](const char* value) { return value && *value; };
    if (mullion_display && std::strcmp(mullion_display, "headless") == 0)
        return headless_presenter;
    if (is_set(display) || is_set(wayland_display))
        return sdl_presenter;
    return headless_presenter;
}

const Presenter& choose_presenter_from_environment() {
    return choose_presenter(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                            std::getenv("MULLION_DISPLAY"));
}

} // namespace mullion
