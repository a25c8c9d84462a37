#pragma once

#include "windows.h"

#include <algorithm>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

// A window for message tests: it logs every message its procedure receives (from any
// thread) and answers chosen messages with handlers; the rest go to DefWindowProcA.
class MessageTestWindow {
public:
    struct Logged {
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
        DWORD thread_id;
    };
    using Handler = std::function<LRESULT(HWND, WPARAM, LPARAM)>;

    // A popup window at the screen rectangle, so that its client area is that rectangle.
    explicit MessageTestWindow(RECT rect = RECT{100, 100, 300, 200}, UINT class_style = 0,
                               DWORD style = WS_POPUP | WS_VISIBLE, HWND owner = nullptr) {
        const char* class_name = register_class(class_style);
        m_hwnd = CreateWindowExA(0, class_name, "test", style, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, owner, nullptr,
                                 GetModuleHandleA(nullptr), this);
    }
    ~MessageTestWindow() {
        if (IsWindow(m_hwnd))
            DestroyWindow(m_hwnd);
    }
    MessageTestWindow(const MessageTestWindow&) = delete;
    MessageTestWindow& operator=(const MessageTestWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }

    void on(UINT message, Handler handler) {
        std::lock_guard lock(m_mutex);
        m_handlers[message] = std::move(handler);
    }
    // The logged messages whose number is in the list (all when it is empty).
    std::vector<Logged> received(std::vector<UINT> only = {}) const {
        std::lock_guard lock(m_mutex);
        std::vector<Logged> result;
        for (const Logged& logged : m_log) {
            if (only.empty() || std::find(only.begin(), only.end(), logged.message) != only.end())
                result.push_back(logged);
        }
        return result;
    }
    std::vector<UINT> received_numbers(std::vector<UINT> only = {}) const {
        std::vector<UINT> numbers;
        for (const Logged& logged : received(std::move(only)))
            numbers.push_back(logged.message);
        return numbers;
    }
    void clear_log() {
        std::lock_guard lock(m_mutex);
        m_log.clear();
    }

private:
    static const char* register_class(UINT class_style) {
        const char* name = class_style & CS_DBLCLKS ? "MessageTestDoubleClicks" : "MessageTest";
        WNDCLASSA description{};
        if (!GetClassInfoA(GetModuleHandleA(nullptr), name, &description)) {
            description.style = class_style;
            description.lpfnWndProc = procedure;
            description.hInstance = GetModuleHandleA(nullptr);
            description.lpszClassName = name;
            RegisterClassA(&description);
        }
        return name;
    }

    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<MessageTestWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (!self)
            return DefWindowProcA(hwnd, message, wparam, lparam);
        Handler handler;
        {
            std::lock_guard lock(self->m_mutex);
            self->m_log.push_back(Logged{message, wparam, lparam, GetCurrentThreadId()});
            auto found = self->m_handlers.find(message);
            if (found != self->m_handlers.end())
                handler = found->second;
        }
        if (handler)
            return handler(hwnd, wparam, lparam);
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }

    HWND m_hwnd = nullptr;
    mutable std::mutex m_mutex;
    std::vector<Logged> m_log;
    std::map<UINT, Handler> m_handlers;
};

// Retrieves and dispatches everything the calling thread's queue holds now.
inline void drain_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT)
            DispatchMessageA(&message);
    }
}
