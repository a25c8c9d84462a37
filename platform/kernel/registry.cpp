// The registry functions: RegOpenKeyExA, RegOpenKeyA, RegCreateKeyExA, RegCreateKeyA,
// RegCloseKey, RegFlushKey, RegDeleteKeyA, RegQueryValueExA, RegSetValueExA, RegDeleteValueA,
// RegEnumValueA, RegEnumKeyExA, RegEnumKeyA, RegSetValueA and RegQueryValueA.
#include "registry_store.h"

#include "windows.h"

#include <cstring>

namespace mullion {
namespace {

// An open key or a predefined root, with the access it allows; the store's lock is held.
struct KeyAccess {
    std::shared_ptr<RegistryKey> key;
    uint32_t access = 0;
    LONG error = ERROR_SUCCESS;
};

KeyAccess key_of_locked(HKEY handle) {
    if (auto root = RegistryStore::instance().root_locked(handle))
        return {root, KEY_ALL_ACCESS};
    auto open = HandleTable::instance().get<RegistryKeyHandle>(handle);
    if (!open)
        return {nullptr, 0, ERROR_INVALID_HANDLE};
    if (open->key->deleted())
        return {nullptr, 0, ERROR_KEY_DELETED};
    return {open->key, open->access};
}

HKEY insert_handle(std::shared_ptr<RegistryKey> key, REGSAM access) {
    return static_cast<HKEY>(HandleTable::instance().insert(
        std::make_shared<RegistryKeyHandle>(std::move(key), access)));
}

// Copies value data out with the documented size protocol: the size is always reported,
// the data only when it fits.
LONG copy_data(const RegistryValue& value, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (type)
        *type = value.type;
    if (!size)
        return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    const DWORD needed = DWORD(value.data.size());
    if (data && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data && needed)
        std::memcpy(data, value.data.data(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

// Copies a name into a buffer of `*length` characters; on success `*length` excludes the NUL.
LONG copy_name(const std::string& name, LPSTR buffer, LPDWORD length) {
    if (!buffer || !length)
        return ERROR_INVALID_PARAMETER;
    if (*length <= name.size()) {
        *length = DWORD(name.size() + 1);
        return ERROR_MORE_DATA;
    }
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *length = DWORD(name.size());
    return ERROR_SUCCESS;
}

std::shared_ptr<RegistryKey> create_path(std::shared_ptr<RegistryKey> key, std::string_view path,
                                         bool& created_any) {
    created_any = false;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start) {
            bool created;
            key = key->create_subkey(path.substr(start, end - start), created);
            created_any = created_any || created;
        }
        start = end + 1;
    }
    return key;
}

} // namespace
} // namespace mullion

using namespace mullion;

LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    std::lock_guard lock(RegistryStore::instance().mutex());
    KeyAccess parent = key_of_locked(hKey);
    if (!parent.key)
        return parent.error;
    auto key = lpSubKey && *lpSubKey ? parent.key->find_path(lpSubKey) : parent.key;
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    *phkResult = insert_handle(key, samDesired);
    return ERROR_SUCCESS;
}

LONG WINAPI RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    return RegOpenKeyExA(hKey, lpSubKey, 0, KEY_ALL_ACCESS, phkResult);
}

LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                            LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition) {
    if (!phkResult || !lpSubKey)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    std::lock_guard lock(RegistryStore::instance().mutex());
    KeyAccess parent = key_of_locked(hKey);
    if (!parent.key)
        return parent.error;
    bool created = false;
    auto key = create_path(parent.key, lpSubKey, created);
    if (created && !RegistryStore::instance().save_locked())
        return ERROR_REGISTRY_IO_FAILED;
    if (lpdwDisposition)
        *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *phkResult = insert_handle(key, samDesired);
    return ERROR_SUCCESS;
}

LONG WINAPI RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    return RegCreateKeyExA(hKey, lpSubKey ? lpSubKey : "", 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, nullptr, phkResult, nullptr);
}

LONG WINAPI RegCloseKey(HKEY hKey) {
    {
        std::lock_guard lock(RegistryStore::instance().mutex());
        if (RegistryStore::instance().root_locked(hKey))
            return ERROR_SUCCESS; // the predefined keys are never closed
    }
    if (!HandleTable::instance().get<RegistryKeyHandle>(hKey))
        return ERROR_INVALID_HANDLE;
    HandleTable::instance().remove(hKey);
    return ERROR_SUCCESS;
}

LONG WINAPI RegFlushKey(HKEY hKey) {
    std::lock_guard lock(RegistryStore::instance().mutex());
    KeyAccess key = key_of_locked(hKey);
    if (!key.key)
        return key.error;
    return RegistryStore::instance().save_locked() ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}

LONG WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
    if (!lpSubKey || !*lpSubKey)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(RegistryStore::instance().mutex());
    KeyAccess parent = key_of_locked(hKey);
    if (!parent.key)
        return parent.error;
    const std::string_view path = lpSubKey;
    const size_t slash = path.rfind('\\');
    auto owner =
        slash == std::string_view::npos ? parent.key : parent.key->find_path(path.substr(0, slash));
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    auto key = owner ? owner->subkey(name) : nullptr;
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    // A key with subkeys cannot be deleted, as documented.
    if (!owner->remove_subkey(name))
        return ERROR_ACCESS_DENIED;
    return RegistryStore::instance().save_locked() ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}

LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                             LPDWORD lpcbData) {
    std::lock_guard lock(RegistryStore::instance().mutex());
    KeyAccess key = key_of_locked(hKey);
    if (!key.key)
        return key.error;
    if (!(key.access & KEY_QUERY_VALUE))
        return ERROR_ACCESS_DENIED;
    const RegistryValue* value = key.key->value(lpValueName ? lpValueName : "");
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    return copy_data(*value, lpType, lpData, lpcbData);
}

LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                           DWORD cbData) {
    if (!lpData && cbData)
        return ERROR_NOACCESS;
    std::lock_guard lock(RegistryStore::instance().mutex());
    KeyAccess key = key_of_locked(hKey);
    if (!key.key)
        return key.error;
    if (!(key.access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    RegistryValue value{lpValueName ? lpValueName : "", dwType, {}};
    if (cbData)
        value.data.assign(lpData, lpData + cbData);
    key.key->set_value(std::move(value));
    return RegistryStore::instance().save_locked() ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}

LONG WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
    std::lock_guard lock(RegistryStore::instance().mutex());
    KeyAccess key = key_of_locked(hKey);
    if (!key.key)
        return key.error;
    if (!(key.access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    if (!key.key->remove_value(lpValueName ? lpValueName : ""))
        return ERROR_FILE_NOT_FOUND;
    return RegistryStore::instance().save_locked() ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}

LONG WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                          LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    std::lock_guard lock(RegistryStore::instance().mutex());
    KeyAccess key = key_of_locked(hKey);
    if (!key.key)
        return key.error;
    if (!(key.access & KEY_QUERY_VALUE))
        return ERROR_ACCESS_DENIED;
    const auto& values = key.key->values();
    if (dwIndex >= values.size())
        return ERROR_NO_MORE_ITEMS;
    const RegistryValue& value = values[dwIndex];
    if (LONG result = copy_name(value.name, lpValueName, lpcchValueName); result != ERROR_SUCCESS)
        return result;
    return copy_data(value, lpType, lpData, lpcbData);
}

LONG WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD,
                          LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
    std::lock_guard lock(RegistryStore::instance().mutex());
    KeyAccess key = key_of_locked(hKey);
    if (!key.key)
        return key.error;
    if (!(key.access & KEY_ENUMERATE_SUB_KEYS))
        return ERROR_ACCESS_DENIED;
    const auto subkeys = key.key->subkeys();
    if (dwIndex >= subkeys.size())
        return ERROR_NO_MORE_ITEMS;
    if (LONG result = copy_name(subkeys[dwIndex]->name(), lpName, lpcchName);
        result != ERROR_SUCCESS)
        return result;
    // Keys carry no class; no write time is kept.
    if (lpClass && lpcchClass && *lpcchClass > 0)
        lpClass[0] = '\0';
    if (lpcchClass)
        *lpcchClass = 0;
    if (lpftLastWriteTime)
        *lpftLastWriteTime = FILETIME{};
    return ERROR_SUCCESS;
}

LONG WINAPI RegEnumKeyA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName) {
    DWORD length = cchName;
    return RegEnumKeyExA(hKey, dwIndex, lpName, &length, nullptr, nullptr, nullptr, nullptr);
}

LONG WINAPI RegSetValueA(HKEY hKey, LPCSTR lpSubKey, DWORD dwType, LPCSTR lpData, DWORD) {
    if (dwType != REG_SZ || !lpData)
        return ERROR_INVALID_PARAMETER;
    HKEY key = nullptr;
    LONG result = RegCreateKeyA(hKey, lpSubKey, &key);
    if (result != ERROR_SUCCESS)
        return result;
    // The length given is ignored: the string and its NUL are stored, as documented.
    result = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpData),
                            DWORD(std::strlen(lpData) + 1));
    RegCloseKey(key);
    return result;
}

LONG WINAPI RegQueryValueA(HKEY hKey, LPCSTR lpSubKey, LPSTR lpData, LONG* lpcbData) {
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(hKey, lpSubKey, 0, KEY_QUERY_VALUE, &key);
    if (result != ERROR_SUCCESS)
        return result;
    DWORD type = 0;
    DWORD size = lpcbData ? DWORD(*lpcbData) : 0;
    result = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(lpData),
                              lpcbData ? &size : nullptr);
    RegCloseKey(key);
    // A key without a default value reads as the empty string.
    if (result == ERROR_FILE_NOT_FOUND) {
        if (lpData && lpcbData && *lpcbData > 0)
            lpData[0] = '\0';
        if (lpcbData)
            *lpcbData = 1;
        return ERROR_SUCCESS;
    }
    if (lpcbData && (result == ERROR_SUCCESS || result == ERROR_MORE_DATA))
        *lpcbData = LONG(size);
    return result;
}
