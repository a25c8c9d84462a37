#pragma once

#include "../kernel/handle_table.h"
#include "region.h"

namespace mullion {

// An HRGN: a region the program owns.
class RegionObject : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Region;
    ObjectKind kind() const override { return object_kind; }

    RegionObject() = default;
    explicit RegionObject(Region region) : region(std::move(region)) {}

    Region region;
};

} // namespace mullion
