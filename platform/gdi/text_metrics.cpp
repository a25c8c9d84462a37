// GetTextMetricsA, GetTextExtentPoint32A, GetTextFaceA and SetTextCharacterExtra.
#include "device_context.h"
#include "font.h"
#include "text_run.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

using namespace mullion;

namespace {

std::shared_ptr<DeviceContext> dc_of(HDC hdc) {
    return HandleTable::instance().get<DeviceContext>(hdc);
}

LONG to_logical(LONG device, double scale) {
    return LONG(std::lround(device / scale));
}

} // namespace

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
    auto dc = dc_of(hdc);
    if (!dc || !lptm)
        return FALSE;
    double scale_x = 1;
    double scale_y = 1;
    const auto font = realized_font(*dc, &scale_x, &scale_y);
    if (!font)
        return FALSE;
    TEXTMETRICA metrics = font->metrics();
    for (LONG* vertical : {&metrics.tmHeight, &metrics.tmAscent, &metrics.tmDescent,
                           &metrics.tmInternalLeading, &metrics.tmExternalLeading})
        *vertical = to_logical(*vertical, scale_y);
    for (LONG* horizontal : {&metrics.tmAveCharWidth, &metrics.tmMaxCharWidth, &metrics.tmOverhang})
        *horizontal = to_logical(*horizontal, scale_x);
    *lptm = metrics;
    return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
    auto dc = dc_of(hdc);
    if (!dc || !psizl || c < 0 || (c > 0 && !lpString))
        return FALSE;
    double scale_x = 1;
    double scale_y = 1;
    const auto font = realized_font(*dc, &scale_x, &scale_y);
    if (!font)
        return FALSE;
    const int extra = int(std::lround(dc->state.text_character_extra * scale_x));
    const TextRun run =
        layout_text_run(*font, std::string_view(lpString ? lpString : "", size_t(c)), extra);
    psizl->cx = to_logical(run.width, scale_x);
    psizl->cy = to_logical(font->metrics().tmHeight, scale_y);
    return TRUE;
}

int WINAPI GetTextFaceA(HDC hdc, int c, LPSTR lpName) {
    auto dc = dc_of(hdc);
    if (!dc)
        return 0;
    const auto font = realized_font(*dc);
    if (!font)
        return 0;
    const std::string& name = font->face().reported_name;
    // Without a buffer: the size one needs, terminating null included.
    if (!lpName)
        return int(name.size()) + 1;
    if (c <= 0)
        return 0;
    const size_t copied = std::min(name.size(), size_t(c - 1));
    std::memcpy(lpName, name.data(), copied);
    lpName[copied] = '\0';
    return int(copied);
}

int WINAPI SetTextCharacterExtra(HDC hdc, int extra) {
    auto dc = dc_of(hdc);
    if (!dc)
        return std::numeric_limits<int>::min();
    return std::exchange(dc->state.text_character_extra, extra);
}
