// The Open and Save As dialogs behind GetOpenFileNameA and GetSaveFileNameA, built in memory
// and run by the dialog manager.
#include "file_dialog.h"

#include "user/dialog_manager.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace mullion {

namespace {

DialogItemTemplate control(WORD class_ordinal, const char* text, DWORD style, int id, int x, int y,
                           int cx, int cy) {
    DialogItemTemplate item;
    item.window_class = ResourceId::from_ordinal(class_ordinal);
    item.title = ResourceId::from_name(text);
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.id = DWORD(id);
    item.x = short(x);
    item.y = short(y);
    item.cx = short(cx);
    item.cy = short(cy);
    return item;
}

const WORD kButton = 0x0080;
const WORD kEdit = 0x0081;
const WORD kStatic = 0x0082;
const WORD kListBox = 0x0083;

DialogTemplate file_dialog_template() {
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT;
    dialog.cx = 264;
    dialog.cy = 134;
    dialog.has_font = true;
    dialog.point_size = 8;
    dialog.face = "MS Sans Serif";
    auto& items = dialog.items;
    items.push_back(control(kStatic, "File &name:", SS_LEFT, -1, 6, 6, 90, 9));
    items.push_back(control(kEdit, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP,
                            FileDialog::file_name_edit_id, 6, 16, 96, 12));
    items.push_back(control(kListBox, "",
                            LBS_SORT | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                            FileDialog::file_list_id, 6, 32, 96, 68));
    items.push_back(control(kStatic, "&Directories:", SS_LEFT | WS_GROUP, -1, 110, 6, 92, 9));
    items.push_back(control(kStatic, "", SS_LEFT | SS_NOPREFIX, FileDialog::directory_label_id, 110,
                            18, 92, 9));
    items.push_back(control(kListBox, "",
                            LBS_SORT | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                            FileDialog::directory_list_id, 110, 32, 92, 68));
    items.push_back(
        control(kStatic, "List files of &type:", SS_LEFT | WS_GROUP, -1, 6, 104, 96, 9));
    items.push_back(control(kListBox, "", LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                            FileDialog::filter_list_id, 6, 114, 196, 16));
    items.push_back(
        control(kButton, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, 208, 6, 50, 14));
    items.push_back(
        control(kButton, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 208, 24, 50, 14));
    return dialog;
}

bool is_absolute(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') ||
           (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

std::string full_path(const std::string& path) {
    char buffer[MAX_PATH] = {};
    LPSTR file_part = nullptr;
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, &file_part);
    return length > 0 && length < MAX_PATH ? std::string(buffer) : path;
}

std::string join(const std::string& directory, const std::string& name) {
    if (!directory.empty() && (directory.back() == '\\' || directory.back() == '/'))
        return directory + name;
    return directory + "\\" + name;
}

DWORD attributes_of(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

bool is_directory(const std::string& path) {
    const DWORD attributes = attributes_of(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool exists(const std::string& path) {
    return attributes_of(path) != INVALID_FILE_ATTRIBUTES;
}

size_t name_offset(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? (path.size() >= 2 && path[1] == ':' ? 2 : 0)
                                          : separator + 1;
}

// The directory part of a full path, with its separator for a root ("C:\").
std::string parent_of(const std::string& path) {
    const size_t offset = name_offset(path);
    if (offset == 0)
        return std::string();
    std::string parent = path.substr(0, offset);
    if (parent.size() > 3 && (parent.back() == '\\' || parent.back() == '/'))
        parent.pop_back();
    return parent;
}

} // namespace

FileDialog::FileDialog(OPENFILENAMEA& request, Kind kind)
    : m_request(request), m_kind(kind), m_filter(FileFilter::parse(request.lpstrFilter)) {
    if (request.nFilterIndex >= 1 && request.nFilterIndex <= m_filter.entries().size())
        m_filter_index = request.nFilterIndex - 1;
}

BOOL FileDialog::run() {
    if (m_request.lStructSize != sizeof(OPENFILENAMEA) &&
        m_request.lStructSize != OPENFILENAME_SIZE_VERSION_400A) {
        m_error = CDERR_STRUCTSIZE;
        return FALSE;
    }
    if (!m_request.lpstrFile || m_request.nMaxFile == 0) {
        m_error = CDERR_INITIALIZATION;
        return FALSE;
    }
    // The starting directory: the one asked for, else that of the suggested file, else the
    // current one.
    std::string suggestion(m_request.lpstrFile, strnlen(m_request.lpstrFile, m_request.nMaxFile));
    std::string directory;
    if (m_request.lpstrInitialDir && *m_request.lpstrInitialDir)
        directory = m_request.lpstrInitialDir;
    else if (const size_t offset = name_offset(suggestion); offset > 0)
        directory = suggestion.substr(0, offset);
    m_directory = full_path(directory.empty() ? std::string(".") : directory);
    if (!is_directory(m_directory)) {
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        m_directory = current;
    }

    HWND owner = m_request.hwndOwner ? GetAncestor(m_request.hwndOwner, GA_ROOT) : nullptr;
    HWND dialog = create_dialog(nullptr, file_dialog_template(), owner, &dialog_procedure,
                                reinterpret_cast<LPARAM>(this), false);
    if (!dialog) {
        m_error = CDERR_DIALOGFAILURE;
        return FALSE;
    }
    return run_modal_dialog(dialog, owner) == IDOK ? TRUE : FALSE;
}

INT_PTR CALLBACK FileDialog::dialog_procedure(HWND dialog, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<FileDialog*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        self->on_init(dialog);
        return FALSE; // the focus is set
    }
    auto* self = reinterpret_cast<FileDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self)
        return FALSE;
    if (message == WM_COMMAND) {
        self->on_command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void FileDialog::on_init(HWND dialog) {
    m_dialog = dialog;
    const char* title = m_request.lpstrTitle && *m_request.lpstrTitle
                            ? m_request.lpstrTitle
                            : (m_kind == Kind::open ? "Open" : "Save As");
    SetWindowTextA(dialog, title);
    HWND filters = GetDlgItem(dialog, filter_list_id);
    for (const auto& entry : m_filter.entries())
        SendMessageA(filters, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
    SendMessageA(filters, LB_SETCURSEL, m_filter_index, 0);

    const std::string suggestion(m_request.lpstrFile,
                                 strnlen(m_request.lpstrFile, m_request.nMaxFile));
    const std::string name = suggestion.substr(name_offset(suggestion));
    SetDlgItemTextA(dialog, file_name_edit_id,
                    name.empty() ? current_patterns().c_str() : name.c_str());
    fill_lists();
    dialog_set_focus(dialog, GetDlgItem(dialog, file_name_edit_id));
}

std::string FileDialog::current_patterns() const {
    if (!m_typed_patterns.empty())
        return m_typed_patterns;
    return m_filter.entries()[m_filter_index].patterns;
}

std::string FileDialog::list_text(int list_id, int index) const {
    HWND list = GetDlgItem(m_dialog, list_id);
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0);
    if (length < 0)
        return std::string();
    std::string text(size_t(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(size_t(length));
    return text;
}

void FileDialog::fill_lists() {
    HWND files = GetDlgItem(m_dialog, file_list_id);
    HWND directories = GetDlgItem(m_dialog, directory_list_id);
    SendMessageA(files, LB_RESETCONTENT, 0, 0);
    SendMessageA(directories, LB_RESETCONTENT, 0, 0);
    SetDlgItemTextA(m_dialog, directory_label_id, m_directory.c_str());

    const bool show_hidden = (m_request.Flags & OFN_FORCESHOWHIDDEN) != 0;
    const std::string patterns = current_patterns();
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(join(m_directory, "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && !show_hidden)
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                const std::string entry = "[" + name + "]";
                SendMessageA(directories, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
            } else if (FileFilter::matches(patterns, name)) {
                SendMessageA(files, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    // The parent (unless at a root), then the drives.
    if (parent_of(m_directory) != m_directory && m_directory.size() > 3)
        SendMessageA(directories, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("[..]"));
    const DWORD drives = GetLogicalDrives();
    for (int drive = 0; drive < 26; ++drive) {
        if (drives & (1u << drive)) {
            const std::string entry = std::string("[-") + char('a' + drive) + "-]";
            SendMessageA(directories, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
    }
}

void FileDialog::set_directory(const std::string& directory) {
    m_directory = full_path(directory);
    fill_lists();
}

void FileDialog::on_command(int id, int code) {
    switch (id) {
    case IDOK:
        accept_text();
        return;
    case IDCANCEL:
        EndDialog(m_dialog, IDCANCEL);
        return;
    case file_list_id: {
        const int index = int(SendDlgItemMessageA(m_dialog, file_list_id, LB_GETCURSEL, 0, 0));
        if (index < 0)
            return;
        if (code == LBN_SELCHANGE) {
            SetDlgItemTextA(m_dialog, file_name_edit_id, list_text(file_list_id, index).c_str());
        } else if (code == LBN_DBLCLK) {
            SetDlgItemTextA(m_dialog, file_name_edit_id, list_text(file_list_id, index).c_str());
            accept_text();
        }
        return;
    }
    case directory_list_id: {
        const int index = int(SendDlgItemMessageA(m_dialog, directory_list_id, LB_GETCURSEL, 0, 0));
        if (index < 0 || code != LBN_DBLCLK)
            return;
        const std::string entry = list_text(directory_list_id, index);
        if (entry.size() == 5 && entry.compare(0, 2, "[-") == 0) {
            set_directory(std::string(1, char(toupper(entry[2]))) + ":\\");
        } else if (entry.size() > 2) {
            const std::string name = entry.substr(1, entry.size() - 2);
            set_directory(name == ".." ? parent_of(m_directory) : join(m_directory, name));
        }
        return;
    }
    case filter_list_id:
        if (code == LBN_SELCHANGE) {
            const LRESULT index = SendDlgItemMessageA(m_dialog, filter_list_id, LB_GETCURSEL, 0, 0);
            if (index >= 0 && size_t(index) < m_filter.entries().size()) {
                m_filter_index = size_t(index);
                m_typed_patterns.clear();
                fill_lists();
            }
        }
        return;
    default:
        return;
    }
}

int FileDialog::message(const std::string& text, UINT type) const {
    char title[256] = {};
    GetWindowTextA(m_dialog, title, sizeof title);
    return MessageBoxA(m_dialog, text.c_str(), title, type);
}

bool FileDialog::accept_text() {
    char buffer[MAX_PATH] = {};
    GetDlgItemTextA(m_dialog, file_name_edit_id, buffer, sizeof buffer);
    std::string text = buffer;
    while (!text.empty() && text.front() == ' ')
        text.erase(text.begin());
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    if (text.empty())
        return false;

    const std::string path = full_path(is_absolute(text) ? text : join(m_directory, text));
    if (FileFilter::is_pattern(text)) {
        // A pattern, possibly with a directory in front: go there and list what it matches.
        const size_t offset = name_offset(text);
        m_typed_patterns = text.substr(offset);
        if (offset > 0)
            m_directory = parent_of(path);
        fill_lists();
        SetDlgItemTextA(m_dialog, file_name_edit_id, m_typed_patterns.c_str());
        return false;
    }
    if (is_directory(path)) {
        set_directory(path);
        SetDlgItemTextA(m_dialog, file_name_edit_id, current_patterns().c_str());
        return false;
    }
    if (!confirm_path(path))
        return false;
    return true;
}

bool FileDialog::confirm_path(const std::string& typed_path) {
    std::string path = typed_path;
    // The default extension goes on a name without one; Open takes the name as typed when
    // such a file exists.
    const std::string name = path.substr(name_offset(path));
    const bool has_extension = name.find('.') != std::string::npos;
    if (!has_extension && m_request.lpstrDefExt && *m_request.lpstrDefExt &&
        !(m_kind == Kind::open && exists(path)))
        path += std::string(".") + m_request.lpstrDefExt;

    const std::string directory = parent_of(path);
    if ((m_request.Flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !is_directory(directory)) {
        message(path + "\nPath does not exist.\nCheck the path and try again.",
                MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const bool file_exists = exists(path);
    if (m_kind == Kind::open && !file_exists) {
        if (m_request.Flags & OFN_FILEMUSTEXIST) {
            message(path.substr(name_offset(path)) +
                        "\nFile not found.\nCheck the file name and try again.",
                    MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        if ((m_request.Flags & OFN_CREATEPROMPT) &&
            message(path + "\nThis file does not exist.\nDo you want to create it?",
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
    }
    if (m_kind == Kind::save && file_exists && (m_request.Flags & OFN_OVERWRITEPROMPT) &&
        message(path + " already exists.\nDo you want to replace it?",
                MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return false;

    if (!store_result(path)) {
        m_error = FNERR_BUFFERTOOSMALL;
        EndDialog(m_dialog, IDCANCEL);
        return true;
    }
    if (!(m_request.Flags & OFN_NOCHANGEDIR))
        SetCurrentDirectoryA(directory.c_str());
    EndDialog(m_dialog, IDOK);
    return true;
}

bool FileDialog::store_result(const std::string& path) {
    if (path.size() + 1 > m_request.nMaxFile) {
        // The size the buffer needs goes into its first two bytes.
        if (m_request.nMaxFile >= 2) {
            const WORD needed = WORD(std::min<size_t>(path.size() + 1, 0xFFFF));
            std::memcpy(m_request.lpstrFile, &needed, sizeof needed);
        }
        return false;
    }
    std::memcpy(m_request.lpstrFile, path.c_str(), path.size() + 1);
    const size_t offset = name_offset(path);
    m_request.nFileOffset = WORD(offset);
    const size_t dot = path.find_last_of('.');
    m_request.nFileExtension = dot != std::string::npos && dot >= offset ? WORD(dot + 1) : WORD(0);
    if (m_request.lpstrFileTitle && m_request.nMaxFileTitle > 0)
        lstrcpynA(m_request.lpstrFileTitle, path.c_str() + offset, int(m_request.nMaxFileTitle));
    m_request.nFilterIndex = DWORD(m_filter_index + 1);
    if (m_request.lpstrDefExt && *m_request.lpstrDefExt && m_request.nFileExtension)
        m_request.Flags =
            (lstrcmpiA(path.c_str() + m_request.nFileExtension, m_request.lpstrDefExt) != 0)
                ? (m_request.Flags | OFN_EXTENSIONDIFFERENT)
                : (m_request.Flags & ~DWORD(OFN_EXTENSIONDIFFERENT));
    return true;
}

} // namespace mullion
