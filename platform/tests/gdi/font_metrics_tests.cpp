// The metrics a realized font reports, checked against Win32's documented relations between
// LOGFONT requests and TEXTMETRIC fields.
#include "text_test_support.h"

#include <cmath>

namespace {

class FontMetricsTest : public ::testing::Test {
protected:
    TestCanvas canvas{8, 8};
};

const char* const faces[] = {"Arial", "Times New Roman", "Courier New", "MS Sans Serif"};

TEST_F(FontMetricsTest, NegativeHeightIsTheEmHeight) {
    for (const char* face : faces) {
        for (int em : {8, 10, 11, 13, 16, 20, 24, 37, 48}) {
            SelectedFont font(canvas.dc(), -em, face);
            const TEXTMETRICA tm = text_metrics(canvas.dc());
            EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, em) << face << " " << em;
            EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight) << face << " " << em;
            EXPECT_GE(tm.tmInternalLeading, 0) << face << " " << em;
        }
    }
}

TEST_F(FontMetricsTest, PositiveHeightIsTheCellHeight) {
    for (const char* face : faces) {
        for (int cell : {9, 12, 13, 16, 19, 25, 40}) {
            SelectedFont font(canvas.dc(), cell, face);
            const TEXTMETRICA tm = text_metrics(canvas.dc());
            EXPECT_NEAR(tm.tmHeight, cell, 1) << face << " " << cell;
            EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
            // The em is smaller than the cell by the internal leading.
            EXPECT_LT(tm.tmHeight - tm.tmInternalLeading, cell + 1);
        }
    }
}

TEST_F(FontMetricsTest, ZeroHeightTakesTheSystemFontSize) {
    SelectedFont font(canvas.dc(), 0, "Arial");
    EXPECT_EQ(text_metrics(canvas.dc()).tmHeight, 16);
}

TEST_F(FontMetricsTest, LargerRequestsNeverShrink) {
    LONG previous_height = 0;
    LONG previous_width = 0;
    for (int em = 6; em <= 40; ++em) {
        SelectedFont font(canvas.dc(), -em, "Times New Roman");
        const TEXTMETRICA tm = text_metrics(canvas.dc());
        EXPECT_GE(tm.tmHeight, previous_height) << em;
        EXPECT_GE(tm.tmAveCharWidth, previous_width) << em;
        previous_height = tm.tmHeight;
        previous_width = tm.tmAveCharWidth;
    }
}

TEST_F(FontMetricsTest, WeightAndItalicAreReported) {
    {
        SelectedFont font(canvas.dc(), -16, "Arial", FW_BOLD);
        EXPECT_EQ(text_metrics(canvas.dc()).tmWeight, FW_BOLD);
        EXPECT_EQ(text_metrics(canvas.dc()).tmItalic, 0);
    }
    {
        SelectedFont font(canvas.dc(), -16, "Arial", FW_NORMAL, TRUE);
        EXPECT_EQ(text_metrics(canvas.dc()).tmWeight, FW_NORMAL);
        EXPECT_NE(text_metrics(canvas.dc()).tmItalic, 0);
    }
    {
        SelectedFont font(canvas.dc(), -16, "Arial", FW_DONTCARE, FALSE, TRUE);
        EXPECT_EQ(text_metrics(canvas.dc()).tmWeight, FW_NORMAL);
        EXPECT_NE(text_metrics(canvas.dc()).tmUnderlined, 0);
    }
}

TEST_F(FontMetricsTest, BoldTextIsWiderThanRegular) {
    const char* sample = "The quick brown fox";
    LONG regular = 0;
    {
        SelectedFont font(canvas.dc(), -20, "Arial");
        regular = text_extent(canvas.dc(), sample).cx;
    }
    SelectedFont font(canvas.dc(), -20, "Arial", FW_BOLD);
    EXPECT_GT(text_extent(canvas.dc(), sample).cx, regular);
}

TEST_F(FontMetricsTest, RequestedWidthSetsTheAverageCharacterWidth) {
    for (int width : {4, 7, 12, 20}) {
        SelectedFont font(canvas.dc(), -16, "Arial", FW_NORMAL, FALSE, FALSE, width);
        const TEXTMETRICA tm = text_metrics(canvas.dc());
        EXPECT_EQ(tm.tmAveCharWidth, width);
        // Only the width changes: the em height stays as requested.
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 16);
    }
}

TEST_F(FontMetricsTest, PitchBitsUseWin32sInvertedMeaning) {
    {
        SelectedFont font(canvas.dc(), -14, "Courier New");
        const TEXTMETRICA tm = text_metrics(canvas.dc());
        EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
        EXPECT_EQ(tm.tmPitchAndFamily & 0xF0, FF_MODERN);
        EXPECT_NE(tm.tmPitchAndFamily & TMPF_TRUETYPE, 0);
        EXPECT_NE(tm.tmPitchAndFamily & TMPF_VECTOR, 0);
    }
    {
        SelectedFont font(canvas.dc(), -14, "Arial");
        const TEXTMETRICA tm = text_metrics(canvas.dc());
        EXPECT_NE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
        EXPECT_EQ(tm.tmPitchAndFamily & 0xF0, FF_SWISS);
    }
    {
        SelectedFont font(canvas.dc(), -14, "Times New Roman");
        EXPECT_EQ(text_metrics(canvas.dc()).tmPitchAndFamily & 0xF0, FF_ROMAN);
    }
}

TEST_F(FontMetricsTest, FixedPitchFaceHasOneAdvanceForEveryCharacter) {
    SelectedFont font(canvas.dc(), -15, "Courier New");
    const TEXTMETRICA tm = text_metrics(canvas.dc());
    for (const char* text : {"i", "W", "m", ".", " ", "0"})
        EXPECT_EQ(text_extent(canvas.dc(), text).cx, tm.tmAveCharWidth) << text;
    EXPECT_EQ(tm.tmMaxCharWidth, tm.tmAveCharWidth);
}

TEST_F(FontMetricsTest, CharacterRangeFields) {
    SelectedFont font(canvas.dc(), -12, "Arial");
    const TEXTMETRICA tm = text_metrics(canvas.dc());
    EXPECT_EQ(tm.tmFirstChar, 32);
    EXPECT_EQ(tm.tmLastChar, 255);
    EXPECT_EQ(tm.tmBreakChar, 32);
    EXPECT_EQ(tm.tmCharSet, ANSI_CHARSET);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    EXPECT_GE(tm.tmExternalLeading, 0);
}

// Classic dialog layout depends on the 8-point interface font: a 13-pixel cell and dialog
// base units of 6 by 13, the horizontal unit being computed from the alphabet's extent.
TEST_F(FontMetricsTest, InterfaceFontKeepsClassicDialogMetrics) {
    {
        SelectedFont font(canvas.dc(), -(96 * 8) / 72, "MS Shell Dlg");
        const TEXTMETRICA tm = text_metrics(canvas.dc());
        EXPECT_EQ(tm.tmHeight, 13);
        EXPECT_GE(tm.tmAveCharWidth, 5);
        EXPECT_LE(tm.tmAveCharWidth, 6);
        const SIZE alphabet =
            text_extent(canvas.dc(), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        EXPECT_EQ((alphabet.cx / 26 + 1) / 2, 6);
    }
    {
        // Rounded up to 11 pixels, as dialog templates ask for it, the font is one size
        // larger but keeps the cell height and the 6-pixel dialog unit.
        SelectedFont font(canvas.dc(), -11, "MS Sans Serif");
        EXPECT_EQ(text_metrics(canvas.dc()).tmHeight, 13);
        const SIZE alphabet =
            text_extent(canvas.dc(), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        EXPECT_EQ((alphabet.cx / 26 + 1) / 2, 6);
    }
    HGDIOBJ previous = SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(text_metrics(canvas.dc()).tmHeight, 13);
    SelectObject(canvas.dc(), previous);
}

TEST_F(FontMetricsTest, ContextWithoutFontUsesTheSystemFont) {
    const TEXTMETRICA tm = text_metrics(canvas.dc());
    EXPECT_EQ(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmAveCharWidth, 7);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    EXPECT_NE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
}

TEST_F(FontMetricsTest, StockFixedFontsAreMonospaced) {
    struct Expectation {
        int index;
        LONG height;
    };
    for (const Expectation& stock :
         {Expectation{SYSTEM_FIXED_FONT, 16}, Expectation{OEM_FIXED_FONT, 12},
          Expectation{ANSI_FIXED_FONT, 12}}) {
        HGDIOBJ previous = SelectObject(canvas.dc(), GetStockObject(stock.index));
        const TEXTMETRICA tm = text_metrics(canvas.dc());
        EXPECT_EQ(tm.tmHeight, stock.height) << stock.index;
        EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << stock.index;
        EXPECT_EQ(text_extent(canvas.dc(), "iW").cx, 2 * tm.tmAveCharWidth) << stock.index;
        SelectObject(canvas.dc(), previous);
    }
    HGDIOBJ previous = SelectObject(canvas.dc(), GetStockObject(OEM_FIXED_FONT));
    EXPECT_EQ(text_metrics(canvas.dc()).tmCharSet, OEM_CHARSET);
    SelectObject(canvas.dc(), previous);
}

// Under a mapping mode metrics and extents are in logical units: twice as many pixels per
// unit means half the units for the same glyphs.
TEST_F(FontMetricsTest, MetricsAreInLogicalUnits) {
    SelectedFont font(canvas.dc(), -12, "Arial");
    const TEXTMETRICA one_to_one = text_metrics(canvas.dc());
    const SIZE extent = text_extent(canvas.dc(), "Scaled text");
    SetMapMode(canvas.dc(), MM_ANISOTROPIC);
    SetWindowExtEx(canvas.dc(), 1, 1, nullptr);
    SetViewportExtEx(canvas.dc(), 2, 2, nullptr);
    const TEXTMETRICA doubled = text_metrics(canvas.dc());
    // A 12-unit em is now 24 pixels: reported back in units, the em is still 12.
    EXPECT_EQ(doubled.tmHeight - doubled.tmInternalLeading, 12);
    EXPECT_NEAR(doubled.tmHeight, one_to_one.tmHeight, 1);
    EXPECT_NEAR(text_extent(canvas.dc(), "Scaled text").cx, extent.cx, 3);
    SetMapMode(canvas.dc(), MM_TEXT);
}

} // namespace
