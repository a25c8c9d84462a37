#include "handle_table.h"

namespace mullion {

namespace {
// Layout of a handle value: bits 2..25 slot index + 1, bits 26..31 kind, bits 32..63 generation.
constexpr uint64_t index_shift = 2;
constexpr uint64_t index_mask = (1u << 24) - 1;
constexpr uint64_t kind_shift = 26;
constexpr uint64_t kind_mask = 0x3f;
constexpr uint64_t generation_shift = 32;

uint64_t encode(uint32_t index, ObjectKind kind, uint32_t generation) {
    return (uint64_t(index + 1) << index_shift) | (uint64_t(kind) << kind_shift) |
           (uint64_t(generation) << generation_shift);
}
} // namespace

HandleTable& HandleTable::instance() {
    // Never destroyed: objects freed during the exit of a process (icons, fonts, windows held
    // by static objects) still reach the table after static destructors have begun.
    static HandleTable* const table = new HandleTable;
    return *table;
}

void* HandleTable::insert(std::shared_ptr<Object> object) {
    std::lock_guard lock(m_mutex);
    return insert_locked(std::move(object), false);
}

void* HandleTable::insert_permanent(std::shared_ptr<Object> object) {
    std::lock_guard lock(m_mutex);
    return insert_locked(std::move(object), true);
}

void* HandleTable::insert_locked(std::shared_ptr<Object> object, bool permanent) {
    uint32_t index;
    if (!m_free.empty()) {
        index = m_free.back();
        m_free.pop_back();
    } else {
        index = static_cast<uint32_t>(m_slots.size());
        m_slots.emplace_back();
    }
    Slot& slot = m_slots[index];
    const ObjectKind kind = object->kind();
    slot.object = std::move(object);
    slot.permanent = permanent;
    return reinterpret_cast<void*>(encode(index, kind, slot.generation));
}

bool HandleTable::decode(const void* handle, uint32_t& index) const {
    const uint64_t value = reinterpret_cast<uint64_t>(handle);
    const uint64_t stored = (value >> index_shift) & index_mask;
    if (stored == 0 || stored > m_slots.size())
        return false;
    index = static_cast<uint32_t>(stored - 1);
    const Slot& slot = m_slots[index];
    return slot.object && slot.generation == uint32_t(value >> generation_shift) &&
           uint64_t(slot.object->kind()) == ((value >> kind_shift) & kind_mask) &&
           value == encode(index, slot.object->kind(), slot.generation);
}

std::shared_ptr<Object> HandleTable::lookup(const void* handle) const {
    std::lock_guard lock(m_mutex);
    uint32_t index;
    return decode(handle, index) ? m_slots[index].object : nullptr;
}

std::shared_ptr<Object> HandleTable::lookup(const void* handle, ObjectKind kind) const {
    auto object = lookup(handle);
    return object && object->kind() == kind ? object : nullptr;
}

std::shared_ptr<Object> HandleTable::remove(const void* handle) {
    std::lock_guard lock(m_mutex);
    uint32_t index;
    if (!decode(handle, index) || m_slots[index].permanent)
        return nullptr;
    Slot& slot = m_slots[index];
    auto object = std::move(slot.object);
    slot.object.reset();
    ++slot.generation;
    m_free.push_back(index);
    return object;
}

bool HandleTable::is_permanent(const void* handle) const {
    std::lock_guard lock(m_mutex);
    uint32_t index;
    return decode(handle, index) && m_slots[index].permanent;
}

} // namespace mullion
