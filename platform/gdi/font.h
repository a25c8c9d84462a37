#pragma once

#include "../kernel/handle_table.h"
#include "font_instance.h"
#include "windows.h"

#include <memory>
#include <mutex>

namespace mullion {

class DeviceContext;

// An HFONT: the LOGFONT it was created from. It is realized (matched to a face file and
// sized) when a device context draws or measures with it.
class Font : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Font;
    ObjectKind kind() const override { return object_kind; }

    explicit Font(const LOGFONTA& logfont);

    const LOGFONTA& logfont() const { return m_logfont; }
    // The font realized for a device that has `scale_x` by `scale_y` pixels per logical unit;
    // null if no face is installed.
    std::shared_ptr<FontInstance> realize(double scale_x = 1, double scale_y = 1) const;

private:
    LOGFONTA m_logfont;
    mutable std::mutex m_mutex;
    mutable std::shared_ptr<FontInstance> m_realized;
    mutable double m_realized_scale_x = 0;
    mutable double m_realized_scale_y = 0;
};

// GetObjectA for fonts: copies up to `size` bytes of the LOGFONTA to `out` (or, with a null
// `out`, copies nothing) and returns the bytes copied, or the size needed.
int get_font_object(const Font& font, int size, void* out);

// The 8-point sans of menus, dialogs and status bars (the window manager's menu code makes
// its bold caption variant from the same LOGFONT).
HFONT interface_font();

// The font a device context draws with: the selected one, or the system font. Never null.
std::shared_ptr<Font> selected_font(const DeviceContext& dc);

// The device context's font realized at its current mapping; null only when no face is
// installed at all. Sets `scale_x`/`scale_y` to the device pixels per logical unit.
std::shared_ptr<FontInstance> realized_font(const DeviceContext& dc, double* scale_x = nullptr,
                                            double* scale_y = nullptr);

// A LOGFONTA with the given height, weight and face, every other field zero.
LOGFONTA make_logfont(LONG height, LONG weight, const char* face_name, LONG width = 0,
                      BYTE pitch_and_family = DEFAULT_PITCH | FF_DONTCARE,
                      BYTE charset = DEFAULT_CHARSET);

} // namespace mullion
