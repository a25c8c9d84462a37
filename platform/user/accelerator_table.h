#pragma once

#include "../kernel/handle_table.h"
#include "windows.h"

#include <vector>

namespace mullion {

// An accelerator table in the handle table: its entries in order, the first match wins.
class AcceleratorTable : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::AcceleratorTable;
    ObjectKind kind() const override { return object_kind; }

    explicit AcceleratorTable(std::vector<ACCEL> table_entries)
        : entries(std::move(table_entries)) {}

    const std::vector<ACCEL> entries;
};

// The entries of an RT_ACCELERATOR resource: eight bytes each (WORD flags, WORD key, WORD
// command, WORD padding), the last one marked by 0x80 in its flags.
std::vector<ACCEL> parse_accelerator_resource(const void* data, size_t size);

} // namespace mullion
