#include "text_run.h"

#include <cmath>

namespace mullion {

TextRun layout_text_run(FontInstance& font, std::string_view text, int character_extra,
                        const INT* dx, double scale_x) {
    TextRun run;
    // With dx, positions accumulate in logical units and are scaled once, so that rounding
    // does not drift along the line.
    long logical_x = 0;
    int x = 0;
    for (size_t pos = 0; pos < text.size();) {
        const size_t start = pos;
        const char32_t code = decode_utf8(text, pos);
        run.characters.push_back({code, x, start});
        if (dx) {
            for (size_t i = start; i < pos; ++i)
                logical_x += dx[i];
            x = int(std::lround(double(logical_x) * scale_x));
        } else {
            x += font.advance(code) + character_extra;
        }
    }
    run.width = x;
    return run;
}

} // namespace mullion
