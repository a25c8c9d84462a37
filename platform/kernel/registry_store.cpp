#include "registry_store.h"

#include "display/atomic_file.h"
#include "shell_folders.h"

#include "windows.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace mullion {
namespace {

constexpr const char* shell_folders_path =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

} // namespace

RegistryStore& RegistryStore::instance() {
    static RegistryStore store;
    return store;
}

std::filesystem::path RegistryStore::file_path() {
    std::filesystem::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        config = xdg;
    } else {
        const char* home = std::getenv("HOME");
        config = std::filesystem::path(home && *home ? home : "/tmp") / ".config";
    }
    return config / "mullion" / "user.reg";
}

void RegistryStore::reload() {
    std::lock_guard lock(m_mutex);
    m_loaded = false;
}

void RegistryStore::load_locked() {
    if (m_loaded)
        return;
    m_loaded = true;
    m_roots = RegistryRoots{};
    std::ifstream file(file_path(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    parse_registry_file(text, m_roots);

    auto user = m_roots.root("HKEY_CURRENT_USER");
    if (user->find_path(shell_folders_path))
        return;
    auto key = user;
    bool created;
    for (const char* part :
         {"Software", "Microsoft", "Windows", "CurrentVersion", "Explorer", "Shell Folders"})
        key = key->create_subkey(part, created);
    for (const auto& [name, path] : default_shell_folders()) {
        RegistryValue value{name, REG_SZ, {path.begin(), path.end()}};
        value.data.push_back(0);
        key->set_value(std::move(value));
    }
    save_locked();
}

std::shared_ptr<RegistryKey> RegistryStore::root_locked(const void* predefined) {
    load_locked();
    const auto value = reinterpret_cast<ULONG_PTR>(predefined);
    const char* name =
        value == reinterpret_cast<ULONG_PTR>(HKEY_CURRENT_USER)    ? "HKEY_CURRENT_USER"
        : value == reinterpret_cast<ULONG_PTR>(HKEY_LOCAL_MACHINE) ? "HKEY_LOCAL_MACHINE"
        : value == reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT)  ? "HKEY_CLASSES_ROOT"
        : value == reinterpret_cast<ULONG_PTR>(HKEY_USERS)         ? "HKEY_USERS"
                                                                   : nullptr;
    return name ? m_roots.root(name) : nullptr;
}

bool RegistryStore::save_locked() {
    const std::filesystem::path path = file_path();
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::string message;
    return AtomicFile::write(path.string(), write_registry_file(m_roots), message);
}

} // namespace mullion
