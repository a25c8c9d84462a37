#pragma once

#include "../user/resource_image.h"
#include "handle_table.h"
#include "windows.h"

#include <map>
#include <memory>
#include <mutex>

namespace mullion {

// A loaded module: on this platform only the program itself. It carries the resource image the
// program embeds (registered before main) and hands out HRSRC handles for its entries.
class Module : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Module;
    ObjectKind kind() const override { return object_kind; }

    // The program's module and its handle (the HINSTANCE given to WinMain); created on first use.
    static Module& main();
    static HMODULE main_handle();
    // The module an HINSTANCE names; a null instance means the program's module. Null for a
    // handle that names no module.
    static Module* from_handle(HINSTANCE instance);

    // Replaces the module's resources by the image in these bytes (which must stay valid). A
    // malformed image leaves the module without resources and returns false.
    bool register_resources(std::span<const uint8_t> bytes, std::string* error);
    std::shared_ptr<const ResourceImage> resources() const;

    // The HRSRC of an entry of the current image (one handle per entry), and the entry a
    // handle stands for.
    HRSRC resource_handle(const ResourceEntry* entry);
    const ResourceEntry* resource_entry(HRSRC handle) const;

private:
    mutable std::mutex m_mutex;
    std::shared_ptr<const ResourceImage> m_resources = std::make_shared<ResourceImage>();
    std::map<const ResourceEntry*, HRSRC> m_resource_handles;
};

// Finds a resource of a module and returns its bytes; empty when the module or the resource
// does not exist. The shared lookup behind FindResourceA and the loaders of typed resources.
std::span<const uint8_t> find_resource_data(HINSTANCE instance, LPCSTR name, LPCSTR type);

} // namespace mullion
