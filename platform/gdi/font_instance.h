#pragma once

#include "font_matcher.h"
#include "glyph.h"
#include "windows.h"

#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>

typedef struct FT_FaceRec_* FT_Face;

namespace mullion {

// The device size a LOGFONT is realized at: its height and width converted to device pixels
// (fractional under scaling mapping modes), keeping the sign rules of lfHeight.
struct FontSize {
    double height = 0; // < 0 character height, > 0 cell height, 0 default
    double width = 0;  // average character width, 0 for the face's natural proportions
};

// A font realized for drawing: one face file at one pixel size with its metrics in device
// pixels and a cache of rendered glyphs. Shared between threads; glyph() is thread-safe.
class FontInstance {
public:
    // Takes ownership of `face`, which has no size set yet.
    FontInstance(FT_Face face, FaceMatch match, const LOGFONTA& logfont, FontSize size);
    ~FontInstance();
    FontInstance(const FontInstance&) = delete;
    FontInstance& operator=(const FontInstance&) = delete;

    // Cell metrics, in device pixels, as GetTextMetricsA reports them.
    const TEXTMETRICA& metrics() const { return m_metrics; }
    const FaceMatch& face() const { return m_match; }
    // The em height in pixels, which tmHeight - tmInternalLeading equals.
    int em_pixels() const { return m_metrics.tmHeight - m_metrics.tmInternalLeading; }

    const Glyph& glyph(char32_t character);
    int advance(char32_t character) { return glyph(character).advance; }
    // Sum of the integer advances of a UTF-8 string, without kerning.
    int text_width(std::string_view utf8);

    // Decoration lines: offset of the line's top from the baseline (positive downward) and
    // thickness, in pixels.
    int underline_offset() const { return m_underline_offset; }
    int underline_thickness() const { return m_underline_thickness; }
    int strikeout_offset() const { return m_strikeout_offset; }
    int strikeout_thickness() const { return m_strikeout_thickness; }
    bool underlined() const { return m_metrics.tmUnderlined != 0; }
    bool struck_out() const { return m_metrics.tmStruckOut != 0; }
    bool antialiased() const { return m_antialiased; }

private:
    void compute_metrics(const LOGFONTA& logfont, FontSize size);
    Glyph render(char32_t character);
    int load_flags() const;

    FT_Face m_face;
    FaceMatch m_match;
    TEXTMETRICA m_metrics{};
    bool m_antialiased = false;
    int m_bold_extra = 0; // 26.6 widening of synthesized bold glyphs
    int m_underline_offset = 1;
    int m_underline_thickness = 1;
    int m_strikeout_offset = -3;
    int m_strikeout_thickness = 1;

    std::mutex m_glyphs_mutex;
    std::unordered_map<char32_t, Glyph> m_glyphs;
};

// Decodes one UTF-8 character starting at text[pos], advancing pos. A malformed byte decodes
// as itself (Latin-1), so that every byte still draws something.
char32_t decode_utf8(std::string_view text, size_t& pos);

} // namespace mullion
