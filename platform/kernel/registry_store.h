#pragma once

#include "handle_table.h"
#include "registry_tree.h"

#include <filesystem>
#include <mutex>

namespace mullion {

// The registry of this user, kept in $XDG_CONFIG_HOME/mullion/user.reg as REGEDIT4 text.
// It is read on first use and rewritten atomically after every change. On first use the
// per-user Shell Folders key is filled if it is missing.
class RegistryStore {
public:
    static RegistryStore& instance();

    // Every operation on keys and values holds this lock.
    std::mutex& mutex() { return m_mutex; }
    // With mutex() held: the root key a predefined HKEY names, or null.
    std::shared_ptr<RegistryKey> root_locked(const void* predefined);
    // With mutex() held: writes the file; false when it could not be written.
    bool save_locked();

    // Reads the file again on next use (tests change XDG_CONFIG_HOME between cases).
    void reload();

    static std::filesystem::path file_path();

private:
    RegistryStore() = default;
    void load_locked();

    std::mutex m_mutex;
    bool m_loaded = false;
    RegistryRoots m_roots;
};

// An open key: the key it names and the access it was opened with.
class RegistryKeyHandle : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::RegistryKey;
    ObjectKind kind() const override { return object_kind; }

    RegistryKeyHandle(std::shared_ptr<RegistryKey> key, uint32_t access)
        : key(std::move(key)), access(access) {}

    const std::shared_ptr<RegistryKey> key;
    const uint32_t access;
};

} // namespace mullion
