#include "window_class.h"

#include "system_classes.h"
#include "window.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <strings.h>

namespace mullion {

namespace {
constexpr ATOM first_class_atom = 0xC000;

std::vector<std::shared_ptr<WindowClass>>& class_registry() {
    static std::vector<std::shared_ptr<WindowClass>> classes;
    return classes;
}

bool names_class(const WindowClass& window_class, LPCSTR name) {
    if (IS_INTRESOURCE(name))
        return window_class.atom == ATOM(reinterpret_cast<ULONG_PTR>(name));
    return strcasecmp(window_class.name.c_str(), name) == 0;
}

bool valid_class_name(LPCSTR name) {
    return name && (IS_INTRESOURCE(name) ? reinterpret_cast<ULONG_PTR>(name) != 0 : *name != 0);
}

// Registration of the system classes runs on one thread; its RegisterClassA calls are marked.
thread_local bool registering_system_classes = false;
} // namespace

LPCSTR WindowClass::menu_resource() const {
    if (menu_id)
        return MAKEINTRESOURCEA(menu_id);
    return menu_name.empty() ? nullptr : menu_name.c_str();
}

void WindowClass::set_menu_resource(LPCSTR menu) {
    menu_id = 0;
    menu_name.clear();
    if (menu && IS_INTRESOURCE(menu))
        menu_id = reinterpret_cast<ULONG_PTR>(menu);
    else if (menu)
        menu_name = menu;
}

void ensure_system_classes() {
    static std::once_flag once;
    if (registering_system_classes)
        return;
    std::call_once(once, [] {
        registering_system_classes = true;
        {
            std::lock_guard lock(window_manager_lock());
            desktop_window();
        }
        register_system_classes();
        registering_system_classes = false;
    });
}

std::shared_ptr<WindowClass> find_window_class(LPCSTR name, HINSTANCE instance) {
    if (!valid_class_name(name))
        return nullptr;
    std::shared_ptr<WindowClass> global;
    std::shared_ptr<WindowClass> system;
    std::shared_ptr<WindowClass> any;
    for (const auto& window_class : class_registry()) {
        if (!names_class(*window_class, name))
            continue;
        if (window_class->system)
            system = system ? system : window_class;
        else if (window_class->instance == instance)
            return window_class;
        else if (window_class->style & CS_GLOBALCLASS)
            global = global ? global : window_class;
        else
            any = any ? any : window_class;
    }
    // A program has one module here: a class registered under another instance handle than
    // the one a window is created with is still the program's own.
    return global ? global : system ? system : any;
}

ATOM register_window_class(const WNDCLASSEXA& description, bool system) {
    if (!valid_class_name(description.lpszClassName) || description.cbClsExtra < 0 ||
        description.cbWndExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    system = system || registering_system_classes;
    for (const auto& existing : class_registry()) {
        if (names_class(*existing, description.lpszClassName) && existing->system == system &&
            (system || existing->instance == description.hInstance ||
             (existing->style & CS_GLOBALCLASS))) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    auto window_class = std::make_shared<WindowClass>();
    static ATOM next_atom = first_class_atom;
    if (IS_INTRESOURCE(description.lpszClassName)) {
        window_class->atom = ATOM(reinterpret_cast<ULONG_PTR>(description.lpszClassName));
        window_class->name = "#" + std::to_string(window_class->atom);
    } else {
        window_class->name = description.lpszClassName;
        // Classes of the same name share their atom, as names in an atom table do.
        for (const auto& existing : class_registry()) {
            if (strcasecmp(existing->name.c_str(), window_class->name.c_str()) == 0)
                window_class->atom = existing->atom;
        }
        if (!window_class->atom)
            window_class->atom = next_atom++;
    }
    window_class->style = description.style;
    window_class->procedure = description.lpfnWndProc;
    window_class->class_extra_bytes = description.cbClsExtra;
    window_class->window_extra_bytes = description.cbWndExtra;
    window_class->instance = description.hInstance;
    window_class->icon = description.hIcon;
    window_class->small_icon = description.hIconSm;
    window_class->cursor = description.hCursor;
    window_class->background = description.hbrBackground;
    window_class->set_menu_resource(description.lpszMenuName);
    window_class->extra.assign(size_t(description.cbClsExtra), 0);
    window_class->system = system;
    class_registry().push_back(window_class);
    return window_class->atom;
}

namespace {
std::shared_ptr<WindowClass> class_of_window(HWND hwnd) {
    Window* window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return window->window_class;
}

bool extra_bytes_in_range(const WindowClass& window_class, int index, size_t size) {
    if (index < 0 || size_t(index) + size > window_class.extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return false;
    }
    return true;
}

void fill_class_info(const WindowClass& window_class, WNDCLASSEXA& info) {
    info.style = window_class.style;
    info.lpfnWndProc = window_class.procedure;
    info.cbClsExtra = window_class.class_extra_bytes;
    info.cbWndExtra = window_class.window_extra_bytes;
    info.hInstance = window_class.instance;
    info.hIcon = window_class.icon;
    info.hCursor = window_class.cursor;
    info.hbrBackground = window_class.background;
    info.lpszMenuName = window_class.menu_resource();
    info.lpszClassName = window_class.name.c_str();
    info.hIconSm = window_class.small_icon;
}
} // namespace

} // namespace mullion

using namespace mullion;

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* lpwcx) {
    if (!lpwcx || lpwcx->cbSize != sizeof(WNDCLASSEXA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::lock_guard lock(window_manager_lock());
    return register_window_class(*lpwcx, false);
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
    if (!lpWndClass) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEXA description{};
    description.cbSize = sizeof(description);
    description.style = lpWndClass->style;
    description.lpfnWndProc = lpWndClass->lpfnWndProc;
    description.cbClsExtra = lpWndClass->cbClsExtra;
    description.cbWndExtra = lpWndClass->cbWndExtra;
    description.hInstance = lpWndClass->hInstance;
    description.hIcon = lpWndClass->hIcon;
    description.hCursor = lpWndClass->hCursor;
    description.hbrBackground = lpWndClass->hbrBackground;
    description.lpszMenuName = lpWndClass->lpszMenuName;
    description.lpszClassName = lpWndClass->lpszClassName;
    std::lock_guard lock(window_manager_lock());
    return register_window_class(description, false);
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance) {
    ensure_system_classes();
    std::lock_guard lock(window_manager_lock());
    auto& classes = class_registry();
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        const auto& window_class = *it;
        if (window_class->system || !names_class(*window_class, lpClassName) ||
            (window_class->instance != hInstance && !(window_class->style & CS_GLOBALCLASS)))
            continue;
        if (window_class->window_count > 0) {
            SetLastError(ERROR_CLASS_HAS_WINDOWS);
            return FALSE;
        }
        classes.erase(it);
        return TRUE;
    }
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
}

BOOL WINAPI GetClassInfoExA(HINSTANCE hInstance, LPCSTR lpszClass, LPWNDCLASSEXA lpwcx) {
    ensure_system_classes();
    std::lock_guard lock(window_manager_lock());
    auto window_class = find_window_class(lpszClass, hInstance);
    if (!window_class || !lpwcx) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    fill_class_info(*window_class, *lpwcx);
    return window_class->atom;
}

BOOL WINAPI GetClassInfoA(HINSTANCE hInstance, LPCSTR lpClassName, LPWNDCLASSA lpWndClass) {
    WNDCLASSEXA info{};
    info.cbSize = sizeof(info);
    const BOOL atom = GetClassInfoExA(hInstance, lpClassName, &info);
    if (!atom || !lpWndClass)
        return FALSE;
    lpWndClass->style = info.style;
    lpWndClass->lpfnWndProc = info.lpfnWndProc;
    lpWndClass->cbClsExtra = info.cbClsExtra;
    lpWndClass->cbWndExtra = info.cbWndExtra;
    lpWndClass->hInstance = info.hInstance;
    lpWndClass->hIcon = info.hIcon;
    lpWndClass->hCursor = info.hCursor;
    lpWndClass->hbrBackground = info.hbrBackground;
    lpWndClass->lpszMenuName = info.lpszMenuName;
    lpWndClass->lpszClassName = info.lpszClassName;
    return atom;
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
    std::lock_guard lock(window_manager_lock());
    auto window_class = class_of_window(hWnd);
    if (!window_class || !lpClassName || nMaxCount <= 0)
        return 0;
    const size_t count = std::min(window_class->name.size(), size_t(nMaxCount - 1));
    std::memcpy(lpClassName, window_class->name.data(), count);
    lpClassName[count] = 0;
    return int(count);
}

ULONG_PTR WINAPI GetClassLongPtrA(HWND hWnd, int nIndex) {
    std::lock_guard lock(window_manager_lock());
    auto window_class = class_of_window(hWnd);
    if (!window_class)
        return 0;
    switch (nIndex) {
    case GCLP_MENUNAME:
        return reinterpret_cast<ULONG_PTR>(window_class->menu_resource());
    case GCLP_HBRBACKGROUND:
        return reinterpret_cast<ULONG_PTR>(window_class->background);
    case GCLP_HCURSOR:
        return reinterpret_cast<ULONG_PTR>(window_class->cursor);
    case GCLP_HICON:
        return reinterpret_cast<ULONG_PTR>(window_class->icon);
    case GCLP_HICONSM:
        return reinterpret_cast<ULONG_PTR>(window_class->small_icon);
    case GCLP_HMODULE:
        return reinterpret_cast<ULONG_PTR>(window_class->instance);
    case GCL_CBWNDEXTRA:
        return ULONG_PTR(window_class->window_extra_bytes);
    case GCL_CBCLSEXTRA:
        return ULONG_PTR(window_class->class_extra_bytes);
    case GCLP_WNDPROC:
        return reinterpret_cast<ULONG_PTR>(window_class->procedure);
    case GCL_STYLE:
        return window_class->style;
    default:
        if (!extra_bytes_in_range(*window_class, nIndex, sizeof(ULONG_PTR)))
            return 0;
        ULONG_PTR value;
        std::memcpy(&value, window_class->extra.data() + nIndex, sizeof(value));
        return value;
    }
}

DWORD WINAPI GetClassLongA(HWND hWnd, int nIndex) {
    if (nIndex >= 0) {
        std::lock_guard lock(window_manager_lock());
        auto window_class = class_of_window(hWnd);
        if (!window_class || !extra_bytes_in_range(*window_class, nIndex, sizeof(DWORD)))
            return 0;
        DWORD value;
        std::memcpy(&value, window_class->extra.data() + nIndex, sizeof(value));
        return value;
    }
    return DWORD(GetClassLongPtrA(hWnd, nIndex));
}

ULONG_PTR WINAPI SetClassLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    std::lock_guard lock(window_manager_lock());
    auto window_class = class_of_window(hWnd);
    if (!window_class)
        return 0;
    auto swap = [&](auto& field) {
        const auto old = reinterpret_cast<ULONG_PTR>(field);
        field = reinterpret_cast<std::remove_reference_t<decltype(field)>>(dwNewLong);
        return old;
    };
    switch (nIndex) {
    case GCLP_MENUNAME: {
        const auto old = reinterpret_cast<ULONG_PTR>(window_class->menu_resource());
        window_class->set_menu_resource(reinterpret_cast<LPCSTR>(dwNewLong));
        return old;
    }
    case GCLP_HBRBACKGROUND:
        return swap(window_class->background);
    case GCLP_HCURSOR:
        return swap(window_class->cursor);
    case GCLP_HICON:
        return swap(window_class->icon);
    case GCLP_HICONSM:
        return swap(window_class->small_icon);
    case GCLP_WNDPROC:
        return swap(window_class->procedure);
    case GCL_STYLE: {
        const ULONG_PTR old = window_class->style;
        window_class->style = UINT(dwNewLong);
        return old;
    }
    default:
        if (!extra_bytes_in_range(*window_class, nIndex, sizeof(LONG_PTR)))
            return 0;
        ULONG_PTR old;
        std::memcpy(&old, window_class->extra.data() + nIndex, sizeof(old));
        std::memcpy(window_class->extra.data() + nIndex, &dwNewLong, sizeof(dwNewLong));
        return old;
    }
}
