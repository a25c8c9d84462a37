#include "shell/shell_link.h"

#include "shell/utf16_text.h"

#include <cstring>
#include <vector>

namespace mullion {

namespace {

// Links larger than this are not shortcut files.
constexpr DWORD max_link_file_size = 1 << 20;

// Copies text into a caller's buffer of cch characters, cut to fit with its terminating zero.
HRESULT copy_out(const std::string& text, LPSTR buffer, int cch) {
    if (!buffer || cch <= 0)
        return E_INVALIDARG;
    const size_t count = std::min(text.size(), static_cast<size_t>(cch - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return S_OK;
}

HRESULT last_error_result() {
    const DWORD error = GetLastError();
    return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

uint64_t file_time_value(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME file_time_from(uint64_t value) {
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

// The last component of a Windows path.
std::string file_name_part(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

} // namespace

HRESULT ShellLink::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IShellLinkA) {
        *ppvObject = static_cast<IShellLinkA*>(this);
    } else if (riid == IID_IPersistFile || riid == IID_IPersist) {
        *ppvObject = static_cast<IPersistFile*>(this);
    } else {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG ShellLink::AddRef() {
    return ++m_references;
}

ULONG ShellLink::Release() {
    const ULONG remaining = --m_references;
    if (remaining == 0)
        delete this;
    return remaining;
}

HRESULT ShellLink::GetPath(LPSTR pszFile, int cch, WIN32_FIND_DATAA* pfd, DWORD) {
    if (pfd) {
        std::memset(pfd, 0, sizeof(*pfd));
        pfd->dwFileAttributes = m_link.file_attributes;
        pfd->ftCreationTime = file_time_from(m_link.creation_time);
        pfd->ftLastAccessTime = file_time_from(m_link.access_time);
        pfd->ftLastWriteTime = file_time_from(m_link.write_time);
        pfd->nFileSizeLow = m_link.file_size;
        const std::string name = file_name_part(m_link.target_path);
        std::strncpy(pfd->cFileName, name.c_str(), MAX_PATH - 1);
    }
    const HRESULT result = copy_out(m_link.target_path, pszFile, cch);
    if (FAILED(result))
        return result;
    return m_link.target_path.empty() ? S_FALSE : S_OK;
}

HRESULT ShellLink::set_text(std::string& field, LPCSTR text) {
    if (!text)
        return E_INVALIDARG;
    field = text;
    m_dirty = true;
    return S_OK;
}

HRESULT ShellLink::GetDescription(LPSTR pszName, int cch) {
    return copy_out(m_link.description, pszName, cch);
}

HRESULT ShellLink::SetDescription(LPCSTR pszName) {
    return set_text(m_link.description, pszName);
}

HRESULT ShellLink::GetWorkingDirectory(LPSTR pszDir, int cch) {
    return copy_out(m_link.working_directory, pszDir, cch);
}

HRESULT ShellLink::SetWorkingDirectory(LPCSTR pszDir) {
    return set_text(m_link.working_directory, pszDir);
}

HRESULT ShellLink::GetArguments(LPSTR pszArgs, int cch) {
    return copy_out(m_link.arguments, pszArgs, cch);
}

HRESULT ShellLink::SetArguments(LPCSTR pszArgs) {
    return set_text(m_link.arguments, pszArgs);
}

HRESULT ShellLink::GetHotkey(WORD* pwHotkey) {
    if (!pwHotkey)
        return E_POINTER;
    *pwHotkey = m_link.hotkey;
    return S_OK;
}

HRESULT ShellLink::SetHotkey(WORD wHotkey) {
    m_link.hotkey = wHotkey;
    m_dirty = true;
    return S_OK;
}

HRESULT ShellLink::GetShowCmd(int* piShowCmd) {
    if (!piShowCmd)
        return E_POINTER;
    *piShowCmd = static_cast<int>(m_link.show_command);
    return S_OK;
}

HRESULT ShellLink::SetShowCmd(int iShowCmd) {
    m_link.show_command = static_cast<uint32_t>(iShowCmd);
    m_dirty = true;
    return S_OK;
}

HRESULT ShellLink::GetIconLocation(LPSTR pszIconPath, int cch, int* piIcon) {
    if (!piIcon)
        return E_POINTER;
    *piIcon = m_link.icon_index;
    return copy_out(m_link.icon_location, pszIconPath, cch);
}

HRESULT ShellLink::SetIconLocation(LPCSTR pszIconPath, int iIcon) {
    m_link.icon_index = iIcon;
    return set_text(m_link.icon_location, pszIconPath);
}

// Records the target by its full Windows path, with the attributes, times and size it has now
// (all zero for a target that does not exist yet).
HRESULT ShellLink::SetPath(LPCSTR pszFile) {
    if (!pszFile)
        return E_INVALIDARG;
    char full_path[MAX_PATH];
    const DWORD length = GetFullPathNameA(pszFile, MAX_PATH, full_path, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return E_INVALIDARG;
    std::string target = full_path;
    // A directory is named without a trailing separator, except a drive's root.
    if (target.size() > 3 && target.back() == '\\')
        target.pop_back();

    m_link.target_path = target;
    m_link.file_attributes = 0;
    m_link.creation_time = m_link.access_time = m_link.write_time = 0;
    m_link.file_size = 0;
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA(target.c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        FindClose(find);
        m_link.file_attributes = found.dwFileAttributes;
        m_link.creation_time = file_time_value(found.ftCreationTime);
        m_link.access_time = file_time_value(found.ftLastAccessTime);
        m_link.write_time = file_time_value(found.ftLastWriteTime);
        m_link.file_size = found.nFileSizeLow;
    } else {
        // A drive's root has attributes but no directory entry of its own.
        const DWORD attributes = GetFileAttributesA(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES)
            m_link.file_attributes = attributes;
    }
    if (target.size() >= 2 && target[1] == ':') {
        const char root[] = {target[0], ':', '\\', '\0'};
        const UINT drive_type = GetDriveTypeA(root);
        if (drive_type > DRIVE_NO_ROOT_DIR)
            m_link.drive_type = drive_type;
    }
    m_dirty = true;
    return S_OK;
}

HRESULT ShellLink::GetClassID(CLSID* pClassID) {
    if (!pClassID)
        return E_POINTER;
    *pClassID = CLSID_ShellLink;
    return S_OK;
}

HRESULT ShellLink::IsDirty() {
    return m_dirty ? S_OK : S_FALSE;
}

HRESULT ShellLink::Load(LPCOLESTR pszFileName, DWORD) {
    if (!pszFileName)
        return E_INVALIDARG;
    const std::u16string wide_name = pszFileName;
    const std::string name = utf16_to_utf8(wide_name).text;
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return last_error_result();
    std::vector<uint8_t> bytes(max_link_file_size);
    DWORD read = 0;
    const BOOL read_ok = ReadFile(file, bytes.data(), max_link_file_size, &read, nullptr);
    CloseHandle(file);
    if (!read_ok)
        return last_error_result();
    bytes.resize(read);
    std::optional<ShellLinkFile> link = ShellLinkFile::decode(bytes);
    if (!link)
        return E_FAIL;
    m_link = std::move(*link);
    m_current_file = wide_name;
    m_dirty = false;
    return S_OK;
}

HRESULT ShellLink::Save(LPCOLESTR pszFileName, BOOL fRemember) {
    const std::u16string wide_name = pszFileName ? std::u16string(pszFileName) : m_current_file;
    if (wide_name.empty())
        return E_INVALIDARG;
    const std::string name = utf16_to_utf8(wide_name).text;
    const std::vector<uint8_t> bytes = m_link.encode();
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return last_error_result();
    DWORD written = 0;
    const BOOL write_ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const HRESULT result = write_ok && written == bytes.size() ? S_OK : last_error_result();
    CloseHandle(file);
    if (SUCCEEDED(result) && (fRemember || !pszFileName)) {
        m_current_file = wide_name;
        m_dirty = false;
    }
    return result;
}

HRESULT ShellLink::SaveCompleted(LPCOLESTR) {
    return S_OK;
}

HRESULT ShellLink::GetCurFile(LPOLESTR* ppszFileName) {
    if (!ppszFileName)
        return E_POINTER;
    *ppszFileName = nullptr;
    if (m_current_file.empty())
        return S_FALSE;
    const size_t size = (m_current_file.size() + 1) * sizeof(OLECHAR);
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc(size));
    if (!copy)
        return E_OUTOFMEMORY;
    std::memcpy(copy, m_current_file.c_str(), size);
    *ppszFileName = copy;
    return S_OK;
}

} // namespace mullion
