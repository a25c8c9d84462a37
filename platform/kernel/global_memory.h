#pragma once

#include "handle_table.h"

#include <cstdint>
#include <vector>

namespace mullion {

// A block of GlobalAlloc memory: the bytes stay at one address for the block's whole life, so
// GlobalLock simply hands out that address and counts the locks.
class GlobalMemory : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::GlobalMemory;
    ObjectKind kind() const override { return object_kind; }

    explicit GlobalMemory(size_t size) : bytes(size, 0) {}

    std::vector<uint8_t> bytes;
    unsigned lock_count = 0;
};

} // namespace mullion
