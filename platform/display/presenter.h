#pragma once

#include <string>

namespace mullion {

// A way of showing the screen: a small table of operations, one implementation per file.
struct Presenter {
    const char* name;
    // Starts presenting under the window title given; false (with the reason) when it cannot.
    bool (*start)(const std::string& title, std::string& error);
    // Stops presenting and releases everything start() took. Safe when start() failed.
    void (*stop)();
};

extern const Presenter headless_presenter;
extern const Presenter sdl_presenter;

// SDL when the host has a display (DISPLAY or WAYLAND_DISPLAY set) and MULLION_DISPLAY is not
// "headless"; headless otherwise. Null arguments stand for unset variables.
const Presenter& choose_presenter(const char* display, const char* wayland_display,
                                  const char* mullion_display);
const Presenter& choose_presenter_from_environment();

} // namespace mullion
