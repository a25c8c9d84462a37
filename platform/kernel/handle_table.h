#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace mullion {

// Everything a Win32 handle can name. The kind is part of the handle value so that a handle
// of the wrong kind, or a stale one, is refused instead of misread.
enum class ObjectKind : uint8_t {
    Window = 1,
    DeviceContext,
    Pen,
    Brush,
    Font,
    Bitmap,
    Palette,
    Region,
    Menu,
    Icon,
    AcceleratorTable,
    Event,
    Thread,
    File,
    FindSearch,
    Module,
    RegistryKey,
    GlobalMemory,
    ResourceInfo,
    Hook,
    ImageList,
};

class Object {
public:
    virtual ~Object() = default;
    virtual ObjectKind kind() const = 0;
};

// Maps handle values to objects. A handle packs a slot index, the slot's generation and the
// object's kind; freeing a slot bumps its generation, so old handles to it stop resolving.
class HandleTable {
public:
    static HandleTable& instance();

    void* insert(std::shared_ptr<Object> object);
    // A permanent object (stock objects, system classes' brushes): never freed by remove().
    void* insert_permanent(std::shared_ptr<Object> object);
    std::shared_ptr<Object> lookup(const void* handle) const;
    std::shared_ptr<Object> lookup(const void* handle, ObjectKind kind) const;
    // Removes the object and returns it; null for unknown or permanent handles.
    std::shared_ptr<Object> remove(const void* handle);
    bool is_permanent(const void* handle) const;

    template <class T> std::shared_ptr<T> get(const void* handle) const {
        return std::static_pointer_cast<T>(lookup(handle, T::object_kind));
    }

private:
    struct Slot {
        std::shared_ptr<Object> object;
        uint32_t generation = 1;
        bool permanent = false;
    };
    void* insert_locked(std::shared_ptr<Object> object, bool permanent);
    bool decode(const void* handle, uint32_t& index) const;

    mutable std::mutex m_mutex;
    std::vector<Slot> m_slots;
    std::vector<uint32_t> m_free;
};

} // namespace mullion
