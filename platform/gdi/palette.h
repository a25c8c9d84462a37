#pragma once

#include "../kernel/handle_table.h"
#include "windows.h"

#include <vector>

namespace mullion {

// A logical palette.
class Palette : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Palette;
    ObjectKind kind() const override { return object_kind; }

    explicit Palette(std::vector<PALETTEENTRY> entries) : m_entries(std::move(entries)) {}

    std::vector<PALETTEENTRY>& entries() { return m_entries; }
    const std::vector<PALETTEENTRY>& entries() const { return m_entries; }
    // The index of the entry closest to the colour (squared distance in RGB).
    UINT nearest_index(COLORREF color) const;

    // The 20 static colours of the system palette, the contents of DEFAULT_PALETTE.
    static std::vector<PALETTEENTRY> default_entries();

private:
    std::vector<PALETTEENTRY> m_entries;
};

} // namespace mullion
