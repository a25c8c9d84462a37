// The program's module: GetModuleHandleA, GetModuleFileNameA, the resource image registered by
// the program before main (MullionRegisterModuleResources), and FindResourceA, LoadResource,
// LockResource, SizeofResource and FreeResource over it.
#include "module.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace mullion {

namespace {

// What an HRSRC names: an entry of a module's image, kept alive with the image.
class ResourceInfo : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::ResourceInfo;
    ObjectKind kind() const override { return object_kind; }

    ResourceInfo(std::shared_ptr<const ResourceImage> image, const ResourceEntry* entry)
        : image(std::move(image)), entry(entry) {}

    std::shared_ptr<const ResourceImage> image;
    const ResourceEntry* entry;
};

struct MainModule {
    Module* module;
    HMODULE handle;
};

std::string executable_path() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    path.resize(length > 0 ? size_t(length) : 0);
    return path;
}

std::string lowercase_ascii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

} // namespace

static const MainModule& main_module() {
    static const MainModule main = [] {
        auto module = std::make_shared<Module>();
        Module* raw = module.get();
        return MainModule{raw,
                          static_cast<HMODULE>(HandleTable::instance().insert_permanent(module))};
    }();
    return main;
}

Module& Module::main() {
    return *main_module().module;
}

HMODULE Module::main_handle() {
    return main_module().handle;
}

Module* Module::from_handle(HINSTANCE instance) {
    if (!instance || instance == main_handle())
        return &main();
    return nullptr;
}

bool Module::register_resources(std::span<const uint8_t> bytes, std::string* error) {
    auto image = ResourceImage::parse(bytes, error);
    std::lock_guard lock(m_mutex);
    for (const auto& [entry, handle] : m_resource_handles)
        HandleTable::instance().remove(handle);
    m_resource_handles.clear();
    m_resources =
        std::make_shared<const ResourceImage>(image ? std::move(*image) : ResourceImage());
    return image.has_value();
}

std::shared_ptr<const ResourceImage> Module::resources() const {
    std::lock_guard lock(m_mutex);
    return m_resources;
}

HRSRC Module::resource_handle(const ResourceEntry* entry) {
    std::lock_guard lock(m_mutex);
    auto found = m_resource_handles.find(entry);
    if (found != m_resource_handles.end())
        return found->second;
    auto info = std::make_shared<ResourceInfo>(m_resources, entry);
    auto handle = static_cast<HRSRC>(HandleTable::instance().insert(std::move(info)));
    m_resource_handles.emplace(entry, handle);
    return handle;
}

const ResourceEntry* Module::resource_entry(HRSRC handle) const {
    auto info = HandleTable::instance().get<ResourceInfo>(handle);
    return info ? info->entry : nullptr;
}

std::span<const uint8_t> find_resource_data(HINSTANCE instance, LPCSTR name, LPCSTR type) {
    Module* module = Module::from_handle(instance);
    if (!module || !name || !type)
        return {};
    // The image stays alive as long as the module holds it; programs register theirs once.
    const ResourceEntry* entry =
        module->resources()->find(ResourceId::from_argument(type), ResourceId::from_argument(name));
    return entry ? entry->data : std::span<const uint8_t>();
}

} // namespace mullion

using mullion::Module;

extern "C" __attribute__((visibility("default"))) void
MullionRegisterModuleResources(const unsigned char* data, size_t size) {
    std::string error;
    if (!Module::main().register_resources({data, data ? size : 0}, &error))
        std::fprintf(stderr, "mullion: the program's resources are malformed (%s); none loaded\n",
                     error.c_str());
}

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    if (!lpModuleName)
        return Module::main_handle();
    // Only the program's own module exists: it answers to its file name, with or without the
    // directory and the extension.
    std::string wanted = mullion::lowercase_ascii(lpModuleName);
    std::string path = mullion::lowercase_ascii(mullion::executable_path());
    std::string base = path.substr(path.find_last_of('/') + 1);
    if (wanted == path || wanted == base || wanted == base + ".exe")
        return Module::main_handle();
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    if (!Module::from_handle(hModule)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (!lpFilename || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::string path = mullion::executable_path();
    // A path that does not fit is truncated to nSize - 1 characters, terminated, and the
    // function returns nSize with ERROR_INSUFFICIENT_BUFFER.
    if (path.size() >= nSize) {
        std::memcpy(lpFilename, path.data(), nSize - 1);
        lpFilename[nSize - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    std::memcpy(lpFilename, path.c_str(), path.size() + 1);
    return DWORD(path.size());
}

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
    Module* module = Module::from_handle(hModule);
    if (!module) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (!lpName || !lpType) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto image = module->resources();
    const auto type = mullion::ResourceId::from_argument(lpType);
    const auto name = mullion::ResourceId::from_argument(lpName);
    if (const mullion::ResourceEntry* entry = image->find(type, name))
        return module->resource_handle(entry);
    bool type_exists = false;
    for (const auto& entry : image->entries())
        type_exists = type_exists || entry.type.matches(type);
    SetLastError(type_exists ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

// The resource's bytes are part of the program image: the "loaded" handle is their address,
// which LockResource returns as it is.
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
    Module* module = Module::from_handle(hModule);
    const mullion::ResourceEntry* entry = module ? module->resource_entry(hResInfo) : nullptr;
    if (!entry) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return const_cast<uint8_t*>(entry->data.data());
}

LPVOID WINAPI LockResource(HGLOBAL hResData) {
    return hResData;
}

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    Module* module = Module::from_handle(hModule);
    const mullion::ResourceEntry* entry = module ? module->resource_entry(hResInfo) : nullptr;
    if (!entry) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return 0;
    }
    return DWORD(entry->data.size());
}

// Resources need no freeing; FreeResource returns FALSE as it documents for 32-bit programs.
BOOL WINAPI FreeResource(HGLOBAL) {
    return FALSE;
}
