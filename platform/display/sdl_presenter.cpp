// The presenter of a host with a display: one SDL window the size of the screen. Every SDL
// call happens on the presenter's own thread, which sleeps in SDL_WaitEvent until the host or
// the screen has something new.
#include "presenter.h"

#include "key_stroke.h"
#include "screen.h"
#include "sdl_key_map.h"
#include "../user/clipboard.h"
#include "../user/input.h"

#include <SDL.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <future>
#include <thread>
#include <vector>

namespace mullion {

namespace {

enum class PresenterRequest : Sint32 { ShowChanges, Stop, SetClipboard };

struct SdlState {
    std::thread thread;
    Uint32 request_event = 0;
    // Set while a ShowChanges request waits in SDL's queue, so that a burst of drawing queues
    // only one.
    std::atomic<bool> changes_pending{false};
    std::atomic<bool> running{false};
    // The text this presenter last gave the host clipboard, so that the update SDL reports for
    // it is not taken for a copy on the host. Used on the presenter's thread only.
    std::string exported_clipboard;
};

SdlState& state() {
    static SdlState sdl;
    return sdl;
}

void push_request(PresenterRequest request) {
    SDL_Event event{};
    event.type = state().request_event;
    event.user.code = Sint32(request);
    SDL_PushEvent(&event);
}

// A program put text on the clipboard: the host gets it on the presenter's thread, which owns
// every SDL call. The event carries its own copy of the text.
void export_clipboard_text(const std::string& host_text) {
    SDL_Event event{};
    event.type = state().request_event;
    event.user.code = Sint32(PresenterRequest::SetClipboard);
    event.user.data1 = new std::string(host_text);
    if (SDL_PushEvent(&event) != 1)
        delete static_cast<std::string*>(event.user.data1);
}

void set_host_clipboard(std::string* host_text) {
    state().exported_clipboard = *host_text;
    SDL_SetClipboardText(host_text->c_str());
    delete host_text;
}

void import_host_clipboard() {
    char* host_text = SDL_GetClipboardText();
    if (!host_text)
        return;
    if (host_text != state().exported_clipboard)
        set_clipboard_text_from_host(host_text);
    SDL_free(host_text);
}

void screen_changed() {
    if (!state().changes_pending.exchange(true))
        push_request(PresenterRequest::ShowChanges);
}

struct Window {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;

    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window() {
        if (texture)
            SDL_DestroyTexture(texture);
        if (renderer)
            SDL_DestroyRenderer(renderer);
        if (window)
            SDL_DestroyWindow(window);
    }
};

bool open_window(Window& window, const std::string& title, std::string& error) {
    Screen& screen = Screen::instance();
    window.window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                     screen.width(), screen.height(), 0);
    if (window.window)
        window.renderer = SDL_CreateRenderer(window.window, -1, 0);
    if (window.renderer)
        window.texture =
            SDL_CreateTexture(window.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                              screen.width(), screen.height());
    if (!window.texture) {
        error = SDL_GetError();
        if (error.empty())
            error = "cannot create the SDL window";
        return false;
    }
    return true;
}

void show_changes(Window& window, bool everything) {
    Screen& screen = Screen::instance();
    RECT changed = screen.take_changes();
    if (everything)
        changed = RECT{0, 0, screen.width(), screen.height()};
    if (changed.right > changed.left && changed.bottom > changed.top) {
        SDL_Rect area{int(changed.left), int(changed.top), int(changed.right - changed.left),
                      int(changed.bottom - changed.top)};
        // The shown colours (an 8-bit screen's indices through its palette) of the area.
        std::vector<uint32_t> pixels(size_t(area.w) * size_t(area.h));
        screen.copy_shown(changed, pixels.data(), area.w);
        SDL_UpdateTexture(window.texture, &area, pixels.data(), area.w * 4);
    }
    SDL_RenderCopy(window.renderer, window.texture, nullptr, nullptr);
    SDL_RenderPresent(window.renderer);
}

void inject_mouse(InputEvent::Type type, int x, int y, Uint8 sdl_button) {
    InputEvent event;
    event.type = type;
    event.position = POINT{x, y};
    switch (sdl_button) {
    case SDL_BUTTON_LEFT:
        event.button = InputEvent::Button::Left;
        break;
    case SDL_BUTTON_RIGHT:
        event.button = InputEvent::Button::Right;
        break;
    case SDL_BUTTON_MIDDLE:
        event.button = InputEvent::Button::Middle;
        break;
    default:
        if (type != InputEvent::Type::MouseMove)
            return;
    }
    inject_input(event);
}

void inject_key(InputEvent::Type type, SDL_Keycode keycode) {
    InputEvent event;
    event.type = type;
    event.virtual_key = virtual_key_from_sdl(keycode);
    if (event.virtual_key)
        inject_input(event);
}

void inject_text(const char* text) {
    for (std::string_view character : split_utf8_characters(text)) {
        InputEvent event;
        event.type = InputEvent::Type::Text;
        character.copy(event.text, sizeof(event.text) - 1);
        inject_input(event);
    }
}

BOOL CALLBACK post_close(HWND window, LPARAM) {
    if (IsWindowVisible(window))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Closing the host window asks every visible top-level window to close; the program decides.
void request_close() {
    EnumWindows(post_close, 0);
}

// Returns false when the presenter was asked to stop.
bool handle_event(Window& window, const SDL_Event& event) {
    switch (event.type) {
    case SDL_MOUSEMOTION:
        inject_mouse(InputEvent::Type::MouseMove, event.motion.x, event.motion.y, 0);
        break;
    case SDL_MOUSEBUTTONDOWN:
        inject_mouse(InputEvent::Type::ButtonDown, event.button.x, event.button.y,
                     event.button.button);
        break;
    case SDL_MOUSEBUTTONUP:
        inject_mouse(InputEvent::Type::ButtonUp, event.button.x, event.button.y,
                     event.button.button);
        break;
    case SDL_KEYDOWN:
        inject_key(InputEvent::Type::KeyDown, event.key.keysym.sym);
        break;
    case SDL_KEYUP:
        inject_key(InputEvent::Type::KeyUp, event.key.keysym.sym);
        break;
    case SDL_TEXTINPUT:
        inject_text(event.text.text);
        break;
    case SDL_CLIPBOARDUPDATE:
        import_host_clipboard();
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE)
            request_close();
        else if (event.window.event == SDL_WINDOWEVENT_EXPOSED)
            show_changes(window, false);
        break;
    default:
        if (event.type == state().request_event) {
            if (PresenterRequest(event.user.code) == PresenterRequest::Stop)
                return false;
            if (PresenterRequest(event.user.code) == PresenterRequest::SetClipboard) {
                set_host_clipboard(static_cast<std::string*>(event.user.data1));
                break;
            }
            state().changes_pending = false;
            show_changes(window, false);
        }
        break;
    }
    return true;
}

void run_presenter(const std::string& title, std::promise<std::string>& started) {
    Window window;
    std::string error;
    state().request_event = SDL_RegisterEvents(1);
    if (state().request_event == Uint32(-1) || !open_window(window, title, error)) {
        started.set_value(error.empty() ? "cannot register SDL events" : error);
        return;
    }
    SDL_StartTextInput();
    show_changes(window, true);
    Screen::instance().set_change_callback(screen_changed);
    // The clipboard is the host's too.
    if (SDL_HasClipboardText())
        import_host_clipboard();
    set_clipboard_text_listener(export_clipboard_text);
    started.set_value({});

    SDL_Event event;
    while (SDL_WaitEvent(&event) && handle_event(window, event)) {
    }
    set_clipboard_text_listener(nullptr);
    Screen::instance().set_change_callback(nullptr);
}

void presenter_thread(std::string title, std::promise<std::string> started) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::string error = SDL_GetError();
        started.set_value(error.empty() ? "SDL_Init failed" : error);
        return;
    }
    // Unable to reach the host's display, SDL falls back to drawing off screen: that shows
    // nothing, so it counts as a failure unless SDL_VIDEODRIVER asked for it.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!std::getenv("SDL_VIDEODRIVER") && driver && std::strcmp(driver, "offscreen") == 0)
        started.set_value("the host display cannot be opened");
    else
        run_presenter(title, started);
    SDL_Quit();
}

bool start_sdl(const std::string& title, std::string& error) {
    std::promise<std::string> started;
    std::future<std::string> result = started.get_future();
    state().thread = std::thread(presenter_thread, title, std::move(started));
    error = result.get();
    if (!error.empty()) {
        state().thread.join();
        return false;
    }
    state().running = true;
    return true;
}

void stop_sdl() {
    if (!state().running.exchange(false))
        return;
    push_request(PresenterRequest::Stop);
    state().thread.join();
}

} // namespace

const Presenter sdl_presenter{"SDL", start_sdl, stop_sdl};

} // namespace mullion
