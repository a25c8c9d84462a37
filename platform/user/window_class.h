#pragma once

#include "windows.h"

#include <memory>
#include <string>
#include <vector>

namespace mullion {

// A registered window class. Classes live in a registry behind window_manager_lock(); windows
// hold a shared pointer to theirs, so an unregistered class stays valid for windows that still
// use it (UnregisterClassA refuses that case anyway).
class WindowClass {
public:
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    int class_extra_bytes = 0;
    int window_extra_bytes = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON small_icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    // The menu resource: a name, or an integer identifier kept in menu_id.
    std::string menu_name;
    ULONG_PTR menu_id = 0;
    std::vector<BYTE> extra;
    // Registered by the platform itself (desktop, dialogs, menus, controls): found whatever
    // module asks for it.
    bool system = false;
    int window_count = 0;

    // The menu as lpszMenuName would give it: the name, MAKEINTRESOURCE(id) or null.
    LPCSTR menu_resource() const;
    void set_menu_resource(LPCSTR menu);
};

// Registers the system classes (every area's, and the desktop's) once, the first time a class
// is looked up. Call without holding window_manager_lock().
void ensure_system_classes();

// The caller holds window_manager_lock() for these.
// Finds a class by name (case-insensitive) or by atom (MAKEINTATOM): first a class of the
// module, then a CS_GLOBALCLASS class, then a system class.
std::shared_ptr<WindowClass> find_window_class(LPCSTR name, HINSTANCE instance);
ATOM register_window_class(const WNDCLASSEXA& description, bool system);

} // namespace mullion
