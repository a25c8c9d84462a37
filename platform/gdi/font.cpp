// Font objects: CreateFontA, CreateFontIndirectA, GetObjectA's font part, and the fonts the
// window manager draws with.
#include "font.h"

#include "device_context.h"
#include "font_cache.h"
#include "stock_font.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace mullion {

namespace {
// The 8-point interface font at 96 pixels per inch: (96 * 8) / 72 whole pixels of em height.
// With the substitute face this gives the classic 13-pixel cell and 6-pixel dialog unit.
constexpr LONG interface_font_height = -(96 * 8) / 72;
constexpr const char* interface_face = "MS Shell Dlg";

HFONT permanent_font(const LOGFONTA& logfont) {
    return static_cast<HFONT>(
        HandleTable::instance().insert_permanent(std::make_shared<Font>(logfont)));
}

// Device pixels per logical unit along each axis under the context's mapping.
void device_scale(const DeviceContext& dc, double& scale_x, double& scale_y) {
    constexpr int probe = 1000;
    const POINT origin = dc.logical_to_device(POINT{0, 0});
    const POINT corner = dc.logical_to_device(POINT{probe, probe});
    scale_x = std::abs(corner.x - origin.x) / double(probe);
    scale_y = std::abs(corner.y - origin.y) / double(probe);
    if (scale_x <= 0)
        scale_x = 1;
    if (scale_y <= 0)
        scale_y = 1;
}
} // namespace

Font::Font(const LOGFONTA& logfont) : m_logfont(logfont) {
    m_logfont.lfFaceName[LF_FACESIZE - 1] = '\0';
}

std::shared_ptr<FontInstance> Font::realize(double scale_x, double scale_y) const {
    std::lock_guard lock(m_mutex);
    if (m_realized && m_realized_scale_x == scale_x && m_realized_scale_y == scale_y)
        return m_realized;
    FontSize size{m_logfont.lfHeight * scale_y, std::abs(m_logfont.lfWidth) * scale_x};
    m_realized = FontCache::instance().realize(m_logfont, size);
    m_realized_scale_x = scale_x;
    m_realized_scale_y = scale_y;
    return m_realized;
}

int get_font_object(const Font& font, int size, void* out) {
    if (!out)
        return int(sizeof(LOGFONTA));
    const int copied = std::clamp(size, 0, int(sizeof(LOGFONTA)));
    std::memcpy(out, &font.logfont(), size_t(copied));
    return copied;
}

LOGFONTA make_logfont(LONG height, LONG weight, const char* face_name, LONG width,
                      BYTE pitch_and_family, BYTE charset) {
    LOGFONTA logfont{};
    logfont.lfHeight = height;
    logfont.lfWidth = width;
    logfont.lfWeight = weight;
    logfont.lfCharSet = charset;
    logfont.lfPitchAndFamily = pitch_and_family;
    std::strncpy(logfont.lfFaceName, face_name, LF_FACESIZE - 1);
    return logfont;
}

HFONT interface_font() {
    static const HFONT font = permanent_font(make_logfont(
        interface_font_height, FW_NORMAL, interface_face, 0, VARIABLE_PITCH | FF_SWISS));
    return font;
}

std::shared_ptr<Font> selected_font(const DeviceContext& dc) {
    if (dc.state.font)
        return dc.state.font;
    return HandleTable::instance().get<Font>(stock_font(SYSTEM_FONT));
}

std::shared_ptr<FontInstance> realized_font(const DeviceContext& dc, double* scale_x,
                                            double* scale_y) {
    double x = 1;
    double y = 1;
    if (dc.state.map_mode != MM_TEXT)
        device_scale(dc, x, y);
    if (scale_x)
        *scale_x = x;
    if (scale_y)
        *scale_y = y;
    return selected_font(dc)->realize(x, y);
}

} // namespace mullion

using namespace mullion;

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf) {
    if (!lplf)
        return nullptr;
    return static_cast<HFONT>(HandleTable::instance().insert(std::make_shared<Font>(*lplf)));
}

HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                         DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                         DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality,
                         DWORD iPitchAndFamily, LPCSTR pszFaceName) {
    LOGFONTA logfont = make_logfont(cHeight, cWeight, pszFaceName ? pszFaceName : "", cWidth,
                                    BYTE(iPitchAndFamily), BYTE(iCharSet));
    logfont.lfEscapement = cEscapement;
    logfont.lfOrientation = cOrientation;
    logfont.lfItalic = BYTE(bItalic);
    logfont.lfUnderline = BYTE(bUnderline);
    logfont.lfStrikeOut = BYTE(bStrikeOut);
    logfont.lfOutPrecision = BYTE(iOutPrecision);
    logfont.lfClipPrecision = BYTE(iClipPrecision);
    logfont.lfQuality = BYTE(iQuality);
    return CreateFontIndirectA(&logfont);
}
