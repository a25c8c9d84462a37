#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mullion {

struct RegistryValue {
    std::string name; // "" is the key's default value
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

// Registry keys and values. Names of keys and values compare without regard to case and
// keep the case they were created with; subkeys enumerate in name order, values in the
// order they were created.
class RegistryKey {
public:
    explicit RegistryKey(std::string name) : m_name(std::move(name)) {}

    const std::string& name() const { return m_name; }
    bool deleted() const { return m_deleted; }

    std::shared_ptr<RegistryKey> subkey(std::string_view name) const;
    // Creates the subkey if it is missing; `created` tells which happened.
    std::shared_ptr<RegistryKey> create_subkey(std::string_view name, bool& created);
    // Removes a subkey that has no subkeys of its own; false otherwise.
    bool remove_subkey(std::string_view name);
    std::vector<std::shared_ptr<RegistryKey>> subkeys() const;

    const RegistryValue* value(std::string_view name) const;
    void set_value(RegistryValue value);
    bool remove_value(std::string_view name);
    const std::vector<RegistryValue>& values() const { return m_values; }

    // Follows a "A\B\C" path below this key; null when a part is missing.
    std::shared_ptr<RegistryKey> find_path(std::string_view path) const;

private:
    static std::string fold(std::string_view name);

    std::string m_name;
    bool m_deleted = false;
    std::map<std::string, std::shared_ptr<RegistryKey>> m_subkeys; // by folded name
    std::vector<RegistryValue> m_values;
};

// The root keys as a REGEDIT4 file names them ("HKEY_CURRENT_USER", ...).
struct RegistryRoots {
    std::map<std::string, std::shared_ptr<RegistryKey>> roots;
    std::shared_ptr<RegistryKey> root(const std::string& name);
};

// Reads REGEDIT4 text (key sections, "name"="string", @= defaults, dword:, hex: and
// hex(N): values, "\" line continuations, [-key] and "name"=- removals) into `roots`.
// Lines it does not understand are skipped; returns how many were skipped.
size_t parse_registry_file(std::string_view text, RegistryRoots& roots);
// Writes every root and key that holds values or subkeys as REGEDIT4 text.
std::string write_registry_file(const RegistryRoots& roots);

} // namespace mullion
