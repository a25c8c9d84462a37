#include "font_instance.h"

#include "font_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

namespace mullion {

namespace {
// A request for height 0 gets the system font's cell height.
constexpr double default_cell_height = 16;
// Slant of synthesized italics (x += 0.2126 y), in 16.16 fixed point.
constexpr FT_Fixed italic_shear = 0x0366A;
// Win32 reports outline fonts as drawn for a square 96-dpi device.
constexpr LONG digitized_aspect = 96;

int round_to_int(double value) {
    return int(std::lround(value));
}
// Rounds a scaled ascent or descent outward, forgiving representation error, so that every
// glyph's ink fits in the cell.
int round_outward(double value) {
    return int(std::ceil(value - 0.01));
}
} // namespace

char32_t decode_utf8(std::string_view text, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int length = 0;
    char32_t value = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    }
    if (length == 0 || pos + size_t(length) > text.size()) {
        ++pos;
        return lead;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + size_t(i));
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return lead;
        }
        value = (value << 6) | (next & 0x3F);
    }
    pos += size_t(length);
    return value;
}

FontInstance::FontInstance(FT_Face face, FaceMatch match, const LOGFONTA& logfont, FontSize size)
    : m_face(face), m_match(std::move(match)) {
    m_antialiased = logfont.lfQuality == ANTIALIASED_QUALITY;
    std::lock_guard freetype_lock(FontCache::instance().freetype_mutex());
    compute_metrics(logfont, size);
}

FontInstance::~FontInstance() {
    std::lock_guard freetype_lock(FontCache::instance().freetype_mutex());
    FT_Done_Face(m_face);
}

void FontInstance::compute_metrics(const LOGFONTA& logfont, FontSize size) {
    const double units_per_em = m_face->units_per_EM ? m_face->units_per_EM : 2048;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(m_face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(m_face, FT_SFNT_HHEA));
    const bool has_os2 = os2 && os2->version != 0xFFFF;

    // The cell is the face's Windows ascent and descent, the extent it promises its ink keeps.
    double ascent_units = has_os2 ? os2->usWinAscent : m_face->ascender;
    double descent_units = has_os2 ? os2->usWinDescent : -m_face->descender;
    if (ascent_units + descent_units <= 0) {
        ascent_units = units_per_em * 0.8;
        descent_units = units_per_em * 0.2;
    }
    double average_units = has_os2 ? os2->xAvgCharWidth : 0;
    if (average_units <= 0 && FT_Load_Char(m_face, 'x', FT_LOAD_NO_SCALE) == 0)
        average_units = double(m_face->glyph->advance.x);
    if (average_units <= 0)
        average_units = units_per_em / 2;

    // Positive heights name the cell, negative ones the em; both end up as an em size.
    const double height = size.height == 0 ? default_cell_height : size.height;
    double em_y = 0;
    int ascent = 0;
    int descent = 0;
    if (height > 0) {
        const int cell = std::max(1, round_to_int(height));
        em_y = cell * units_per_em / (ascent_units + descent_units);
        ascent = round_to_int(ascent_units * em_y / units_per_em);
        descent = cell - ascent;
    } else {
        em_y = std::max(1.0, -height);
        ascent = round_outward(ascent_units * em_y / units_per_em);
        descent = round_outward(descent_units * em_y / units_per_em);
    }
    // A requested width stretches the face so that its average character width matches.
    const double em_x = size.width != 0
                            ? std::max(1.0, std::fabs(size.width) * units_per_em / average_units)
                            : em_y * m_match.width_scale;
    FT_Set_Char_Size(m_face, FT_F26Dot6(std::lround(em_x * 64)), FT_F26Dot6(std::lround(em_y * 64)),
                     72, 72);
    const double scale_x = em_x / units_per_em;
    const double scale_y = em_y / units_per_em;

    if (m_match.synthetic_bold)
        m_bold_extra = 64 * std::max(1, round_to_int(em_y / 16));
    const int bold_pixels = m_bold_extra / 64;

    TEXTMETRICA& tm = m_metrics;
    tm.tmAscent = ascent;
    tm.tmDescent = descent;
    tm.tmHeight = ascent + descent;
    tm.tmInternalLeading = std::max(0, tm.tmHeight - round_to_int(em_y));
    if (hhea) {
        // Leading the face asks for beyond its Windows cell.
        const double cell_units = ascent_units + descent_units;
        const double line_units = hhea->Ascender - hhea->Descender + hhea->Line_Gap;
        tm.tmExternalLeading = std::max(0, round_to_int((line_units - cell_units) * scale_y));
    }
    tm.tmAveCharWidth = std::max(1, round_to_int(average_units * scale_x)) + bold_pixels;
    tm.tmMaxCharWidth =
        std::max<LONG>(tm.tmAveCharWidth, round_to_int(m_face->max_advance_width * scale_x)) +
        bold_pixels;
    // A fixed-pitch face's every character is exactly as wide as its grid-fitted advance.
    if (m_match.fixed_pitch && FT_Load_Char(m_face, '0', load_flags()) == 0) {
        tm.tmAveCharWidth = LONG((m_face->glyph->advance.x + 32) >> 6) + bold_pixels;
        tm.tmMaxCharWidth = tm.tmAveCharWidth;
    }
    tm.tmWeight = m_match.weight;
    tm.tmOverhang = 0;
    tm.tmDigitizedAspectX = digitized_aspect;
    tm.tmDigitizedAspectY = digitized_aspect;
    tm.tmFirstChar = 32;
    tm.tmLastChar = 255;
    // Characters the face lacks draw as its missing-glyph box; reported as the code just
    // below the first character.
    tm.tmDefaultChar = 31;
    tm.tmBreakChar = 32;
    tm.tmItalic = m_match.italic ? 1 : 0;
    tm.tmUnderlined = logfont.lfUnderline ? 1 : 0;
    tm.tmStruckOut = logfont.lfStrikeOut ? 1 : 0;
    // TMPF_FIXED_PITCH set means variable pitch, as Win32 defines it.
    tm.tmPitchAndFamily = BYTE(m_match.generic_family | TMPF_VECTOR | TMPF_TRUETYPE |
                               (m_match.fixed_pitch ? 0 : TMPF_FIXED_PITCH));
    tm.tmCharSet = logfont.lfCharSet == OEM_CHARSET ? OEM_CHARSET : ANSI_CHARSET;

    m_underline_thickness = std::max(1, round_to_int(m_face->underline_thickness * scale_y));
    const int underline_centre = round_to_int(-m_face->underline_position * scale_y);
    m_underline_offset = std::clamp(underline_centre - m_underline_thickness / 2, 1,
                                    std::max(1, descent - m_underline_thickness));
    if (has_os2 && os2->yStrikeoutSize > 0) {
        m_strikeout_thickness = std::max(1, round_to_int(os2->yStrikeoutSize * scale_y));
        m_strikeout_offset = -round_to_int(os2->yStrikeoutPosition * scale_y);
    } else {
        m_strikeout_thickness = m_underline_thickness;
        m_strikeout_offset = -round_to_int(em_y / 3);
    }
}

int FontInstance::load_flags() const {
    if (m_antialiased)
        return FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL;
    // Black-and-white glyphs need grid fitting in both directions to stay legible at small
    // sizes; the automatic hinter does that evenly for every face.
    return FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO | FT_LOAD_FORCE_AUTOHINT;
}

const Glyph& FontInstance::glyph(char32_t character) {
    std::lock_guard lock(m_glyphs_mutex);
    if (auto it = m_glyphs.find(character); it != m_glyphs.end())
        return it->second;
    return m_glyphs.emplace(character, render(character)).first->second;
}

Glyph FontInstance::render(char32_t character) {
    std::lock_guard freetype_lock(FontCache::instance().freetype_mutex());
    Glyph glyph;
    const FT_UInt index = FT_Get_Char_Index(m_face, character);
    if (FT_Load_Glyph(m_face, index, load_flags()) != 0)
        return glyph;
    FT_GlyphSlot slot = m_face->glyph;
    FT_Pos advance = slot->advance.x;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (m_match.synthetic_italic) {
            FT_Matrix shear{0x10000, italic_shear, 0, 0x10000};
            FT_Outline_Transform(&slot->outline, &shear);
        }
        if (m_bold_extra) {
            FT_Outline_EmboldenXY(&slot->outline, m_bold_extra, 0);
            advance += m_bold_extra;
        }
    }
    glyph.advance = int((advance + 32) >> 6);
    if (FT_Render_Glyph(slot, m_antialiased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
        return glyph;

    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.width = int(bitmap.width);
    glyph.height = int(bitmap.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = -slot->bitmap_top;
    glyph.coverage.assign(size_t(glyph.width) * size_t(glyph.height), 0);
    for (int y = 0; y < glyph.height; ++y) {
        const unsigned char* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
        uint8_t* out = glyph.coverage.data() + size_t(y) * size_t(glyph.width);
        for (int x = 0; x < glyph.width; ++x) {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else
                out[x] = row[x];
        }
    }
    return glyph;
}

int FontInstance::text_width(std::string_view utf8) {
    int width = 0;
    for (size_t pos = 0; pos < utf8.size();)
        width += advance(decode_utf8(utf8, pos));
    return width;
}

} // namespace mullion
