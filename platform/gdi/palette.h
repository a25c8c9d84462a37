#pragma once

#include "../kernel/handle_table.h"
#include "windows.h"

#include <mutex>
#include <vector>

namespace mullion {

class DeviceContext;

// A logical palette, and where its entries landed in the system palette when it was last
// realized on an 8-bit screen.
class Palette : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Palette;
    ObjectKind kind() const override { return object_kind; }

    explicit Palette(std::vector<PALETTEENTRY> entries) : m_entries(std::move(entries)) {}

    std::vector<PALETTEENTRY>& entries() { return m_entries; }
    const std::vector<PALETTEENTRY>& entries() const { return m_entries; }
    // The index of the entry closest to the colour (squared distance in RGB; the first of
    // equally close ones).
    UINT nearest_index(COLORREF color) const;

    // The system index of every entry since the last realization; empty before the first.
    std::vector<uint8_t> mapping() const;
    void set_mapping(std::vector<uint8_t> mapping);

    // The 20 static colours of the system palette, the contents of DEFAULT_PALETTE.
    static std::vector<PALETTEENTRY> default_entries();

private:
    std::vector<PALETTEENTRY> m_entries;
    mutable std::mutex m_mapping_lock;
    std::vector<uint8_t> m_mapping;
};

// The system palette index a colour takes in a display context on an 8-bit screen: a
// palette index or palette-relative colour goes through the selected palette's realized
// entries, anything else (or anything while the palette is not realized) becomes the nearest
// static colour.
uint32_t system_palette_index(const DeviceContext& dc, COLORREF color);

} // namespace mullion
