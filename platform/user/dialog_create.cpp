// Creating dialogs from templates and running them: CreateDialogParamA,
// CreateDialogIndirectParamA, DialogBoxParamA, DialogBoxIndirectParamA and EndDialog, and the
// dialog class "#32770".
#include "../kernel/module.h"
#include "dialog_manager.h"
#include "system_classes.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace mullion {

namespace {

std::mutex& registry_mutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<HWND, std::shared_ptr<DialogInfo>>& registry() {
    static std::map<HWND, std::shared_ptr<DialogInfo>> dialogs;
    return dialogs;
}

void remember_dialog(HWND dialog, std::shared_ptr<DialogInfo> info) {
    std::lock_guard lock(registry_mutex());
    registry()[dialog] = std::move(info);
}

// Templates passed by pointer carry no size: the reader stops at what the template itself
// describes, within this bound.
constexpr size_t unbounded_template_size = size_t(1) << 24;

std::optional<DialogTemplate> load_template(HINSTANCE instance, LPCSTR name) {
    const auto bytes = find_resource_data(instance, name, RT_DIALOG);
    if (bytes.empty())
        return std::nullopt;
    return DialogTemplate::parse(bytes);
}

std::optional<DialogTemplate> read_template(LPCDLGTEMPLATEA pointer) {
    if (!pointer)
        return std::nullopt;
    return DialogTemplate::parse(
        {reinterpret_cast<const uint8_t*>(pointer), unbounded_template_size});
}

// The argument form of a resource id: MAKEINTRESOURCE(n) or the name.
LPCSTR id_argument(const ResourceId& id) {
    return id.by_ordinal ? MAKEINTRESOURCEA(id.ordinal) : id.name.c_str();
}

HWND root_owner(HWND parent) {
    return parent ? GetAncestor(parent, GA_ROOT) : nullptr;
}

} // namespace

std::shared_ptr<DialogInfo> dialog_info(HWND dialog) {
    std::lock_guard lock(registry_mutex());
    auto found = registry().find(dialog);
    return found == registry().end() ? nullptr : found->second;
}

void forget_dialog(HWND dialog) {
    std::shared_ptr<DialogInfo> info;
    {
        std::lock_guard lock(registry_mutex());
        auto found = registry().find(dialog);
        if (found == registry().end())
            return;
        info = std::move(found->second);
        registry().erase(found);
    }
    if (info->owns_font)
        DeleteObject(info->font);
}

HWND create_dialog(HINSTANCE instance, const DialogTemplate& dialog_template, HWND owner,
                   DLGPROC procedure, LPARAM parameter, bool show_when_visible) {
    const DialogTemplate& t = dialog_template;
    auto info = std::make_shared<DialogInfo>();
    if (t.has_font) {
        info->font = CreateFontA(-MulDiv(t.point_size, 96, 72), 0, 0, 0, t.weight, t.italic, FALSE,
                                 FALSE, t.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, t.face.c_str());
        info->owns_font = info->font != nullptr;
    }
    info->base_units = font_base_units(info->font);
    const SIZE units = info->base_units;

    DWORD style = t.style;
    DWORD ex_style = t.ex_style;
    if (style & DS_MODALFRAME)
        ex_style |= WS_EX_DLGMODALFRAME;
    if (style & DS_CONTROL) {
        style = (style & ~(WS_CAPTION | WS_SYSMENU | WS_POPUP)) | WS_CHILD;
        ex_style |= WS_EX_CONTROLPARENT;
    }
    const bool child = (style & WS_CHILD) != 0;
    if (!child)
        owner = root_owner(owner);
    HMENU menu = t.menu && !child ? LoadMenuA(instance, id_argument(*t.menu)) : nullptr;

    // The template gives the client area; the frame is added around it.
    RECT frame{0, 0, MulDiv(t.cx, units.cx, 4), MulDiv(t.cy, units.cy, 8)};
    AdjustWindowRectEx(&frame, style, menu != nullptr, ex_style);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int x;
    int y;
    if (style & DS_CENTER) {
        RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (child && owner)
            GetClientRect(owner, &area);
        x = area.left + (area.right - area.left - width) / 2;
        y = area.top + (area.bottom - area.top - height) / 2;
    } else {
        POINT origin{MulDiv(t.x, units.cx, 4), MulDiv(t.y, units.cy, 8)};
        if (owner && !child && !(style & DS_ABSALIGN))
            ClientToScreen(owner, &origin);
        x = origin.x + frame.left;
        y = origin.y + frame.top;
    }
    if (!child) {
        // A top-level dialog is kept on the screen.
        x = std::max(0, std::min(x, GetSystemMetrics(SM_CXSCREEN) - width));
        y = std::max(0, std::min(y, GetSystemMetrics(SM_CYSCREEN) - height));
    }

    const LPCSTR class_name = t.window_class ? id_argument(*t.window_class) : "#32770";
    HWND dialog = CreateWindowExA(ex_style, class_name, t.title.c_str(), style & ~WS_VISIBLE, x, y,
                                  width, height, owner, menu, instance, nullptr);
    if (!dialog) {
        if (info->owns_font)
            DeleteObject(info->font);
        if (menu)
            DestroyMenu(menu);
        return nullptr;
    }
    remember_dialog(dialog, info);
    SetWindowLongPtrA(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(procedure));
    if (info->font)
        SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(info->font), FALSE);

    for (const DialogItemTemplate& item : t.items) {
        const std::string item_class = item.class_name();
        // A title given by ordinal names an icon or bitmap resource: "#id" loads it.
        const std::string text =
            item.title.by_ordinal ? "#" + std::to_string(item.title.ordinal) : item.title.name;
        HWND control = CreateWindowExA(item.ex_style | WS_EX_NOPARENTNOTIFY, item_class.c_str(),
                                       text.c_str(), (item.style | WS_CHILD) & ~WS_POPUP,
                                       MulDiv(item.x, units.cx, 4), MulDiv(item.y, units.cy, 8),
                                       MulDiv(item.cx, units.cx, 4), MulDiv(item.cy, units.cy, 8),
                                       dialog, reinterpret_cast<HMENU>(UINT_PTR(item.id)), instance,
                                       const_cast<void*>(item.creation_data));
        if (!control) {
            if (t.style & DS_NOFAILCREATE)
                continue;
            DestroyWindow(dialog);
            return nullptr;
        }
        if (info->font)
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(info->font), FALSE);
    }

    HWND first_tab_stop = GetNextDlgTabItem(dialog, nullptr, FALSE);
    const LRESULT wants_focus =
        SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first_tab_stop), parameter);
    if (!IsWindow(dialog))
        return nullptr;
    if (wants_focus && first_tab_stop) {
        info->focus_control = first_tab_stop;
        if (SendMessageA(first_tab_stop, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
            SendMessageA(first_tab_stop, EM_SETSEL, 0, -1);
    }
    if ((t.style & WS_VISIBLE) && show_when_visible && !info->ended) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        restore_dialog_focus(dialog);
        UpdateWindow(dialog);
    }
    return dialog;
}

INT_PTR run_modal_dialog(HWND dialog, HWND owner) {
    auto info = dialog_info(dialog);
    if (!info)
        return -1;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        info->disabled_owner = owner;
    }
    if (!info->ended) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        restore_dialog_focus(dialog);
        UpdateWindow(dialog);
    }
    const bool send_idle = owner && !(GetWindowLongA(dialog, GWL_STYLE) & DS_NOIDLEMSG);
    MSG message;
    while (!info->ended && IsWindow(dialog)) {
        if (send_idle && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            SendMessageA(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
            if (info->ended)
                break;
        }
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT ends the dialog and is posted again for the loop outside.
            if (got == 0)
                PostQuitMessage(int(message.wParam));
            break;
        }
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    const INT_PTR result = info->result;
    if (info->disabled_owner) {
        EnableWindow(info->disabled_owner, TRUE);
        info->disabled_owner = nullptr;
    }
    if (owner && IsWindow(owner) && GetActiveWindow() != owner)
        SetActiveWindow(owner);
    DestroyWindow(dialog);
    return result;
}

void register_dialog_class() {
    WNDCLASSEXA description{};
    description.cbSize = sizeof(description);
    description.style = CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS;
    description.lpfnWndProc = DefDlgProcA;
    description.cbWndExtra = DLGWINDOWEXTRA;
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.lpszClassName = "#32770";
    RegisterClassExA(&description);
}

} // namespace mullion

using mullion::DialogTemplate;

HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    const auto dialog_template = mullion::load_template(hInstance, lpTemplateName);
    if (!dialog_template) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return mullion::create_dialog(hInstance, *dialog_template, hWndParent, lpDialogFunc,
                                  dwInitParam, true);
}

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    const auto dialog_template = mullion::read_template(lpTemplate);
    if (!dialog_template) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return mullion::create_dialog(hInstance, *dialog_template, hWndParent, lpDialogFunc,
                                  dwInitParam, true);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    const auto dialog_template = mullion::load_template(hInstance, lpTemplateName);
    if (!dialog_template) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return -1;
    }
    HWND owner = mullion::root_owner(hWndParent);
    HWND dialog = mullion::create_dialog(hInstance, *dialog_template, owner, lpDialogFunc,
                                         dwInitParam, false);
    return dialog ? mullion::run_modal_dialog(dialog, owner) : -1;
}

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA hDialogTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    const auto dialog_template = mullion::read_template(hDialogTemplate);
    if (!dialog_template) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    HWND owner = mullion::root_owner(hWndParent);
    HWND dialog = mullion::create_dialog(hInstance, *dialog_template, owner, lpDialogFunc,
                                         dwInitParam, false);
    return dialog ? mullion::run_modal_dialog(dialog, owner) : -1;
}

// Ends a dialog: the modal loop returns nResult. The dialog is hidden at once, after its
// owner is enabled again so that activation can return to the owner.
BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
    auto info = mullion::dialog_info(hDlg);
    if (!info) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    info->ended = true;
    info->result = nResult;
    if (HWND owner = info->disabled_owner) {
        info->disabled_owner = nullptr;
        EnableWindow(owner, TRUE);
        if (GetActiveWindow() == hDlg)
            SetActiveWindow(owner);
    }
    ShowWindow(hDlg, SW_HIDE);
    // Wakes the modal loop if it is waiting for a message.
    PostMessageA(hDlg, WM_NULL, 0, 0);
    return TRUE;
}
