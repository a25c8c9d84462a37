// End-to-end tests of Widgetry2, run headless through the scripted driver: the labels and edit
// controls sit where the 8-point font's metrics put them, the numeric field keeps only the
// characters of a phone number when they are typed but takes pasted text as it is, the
// keyboard moves the focus as in a dialog box, and both fields scroll horizontally.
#include "testing/dump.h"
#include "testing/png_image.h"
#include "testing/program_run.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using mullion::testing::Dump;
using mullion::testing::DumpRect;
using mullion::testing::PngImage;
using mullion::testing::ProgramRun;
using mullion::testing::rgb_pixel;

namespace {

const char kTitle[] = "Widgetry2";
const int kStandard = 100;
const int kNumeric = 101;

// Runs the program with the groups of steps, one dump after each group, and returns the dumps
// in order.
std::vector<Dump> run_with_dumps(const std::vector<std::string>& groups) {
    ProgramRun run(kTitle);
    std::string script = "idle\n";
    for (size_t i = 0; i < groups.size(); ++i)
        script += groups[i] + "idle\ndump state" + std::to_string(i) + ".json\n";
    const auto result = run.run_script(script + "quit\n");
    EXPECT_FALSE(result.timed_out) << result.output;
    std::vector<Dump> dumps;
    for (size_t i = 0; i < groups.size(); ++i)
        dumps.push_back(Dump::load(run.file("state" + std::to_string(i) + ".json")));
    return dumps;
}

Dump run_and_dump(const std::string& steps) {
    return run_with_dumps({steps}).front();
}

const nlohmann::json& control(const Dump& dump, int id) {
    static const nlohmann::json missing;
    const auto* window = dump.top_level(kTitle);
    EXPECT_NE(window, nullptr);
    const auto* found = window ? Dump::child_with_id(*window, id) : nullptr;
    EXPECT_NE(found, nullptr) << id;
    return found ? *found : missing;
}

std::string text_of(const Dump& dump, int id) {
    const auto& edit = control(dump, id);
    return edit.is_null() ? std::string() : edit["text"].get<std::string>();
}

bool focused(const Dump& dump, int id) {
    const auto& edit = control(dump, id);
    return !edit.is_null() && edit["focused"] == true;
}

// The 8-point "MS Sans Serif" font the window creates, selected into a screen context.
class EightPointFont {
public:
    EightPointFont() : m_dc(GetDC(nullptr)) {
        m_font = CreateFontA(-((GetDeviceCaps(m_dc, LOGPIXELSY) * 8) / 72), 0, 0, 0, 400, FALSE,
                             FALSE, FALSE, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                             CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 0, "MS Sans Serif");
        m_previous = SelectObject(m_dc, m_font);
    }
    ~EightPointFont() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_font);
        ReleaseDC(nullptr, m_dc);
    }
    EightPointFont(const EightPointFont&) = delete;
    EightPointFont& operator=(const EightPointFont&) = delete;

    // The average character width and the line height, as the window measures them.
    SIZE units() const {
        TEXTMETRICA metrics{};
        GetTextMetricsA(m_dc, &metrics);
        return {metrics.tmAveCharWidth, metrics.tmHeight + metrics.tmExternalLeading};
    }
    int text_width(const std::string& text) const {
        SIZE extent{};
        GetTextExtentPoint32A(m_dc, text.c_str(), int(text.size()), &extent);
        return extent.cx;
    }

private:
    HDC m_dc;
    HFONT m_font = nullptr;
    HGDIOBJ m_previous = nullptr;
};

TEST(NumericEditProgram, WindowAndControlsFollowTheFontMetrics) {
    const SIZE units = EightPointFont().units();
    const int cx = units.cx;
    const int cy = units.cy;
    ASSERT_GT(cx, 0);
    ASSERT_GT(cy, 0);

    struct Expected {
        const char* class_name;
        const char* text;
        int id;
        int left, top, right, bottom;
    };
    // Creation order, which is also the z-order (top first) and the tab order.
    const Expected expected[] = {
        {"Static", "&Standard edit control", 0xFFFF, 2 * cx, cy + cy / 2, 24 * cx, 11 * cy / 4},
        {"Edit", "", kStandard, 25 * cx, cy, 50 * cx, 11 * cy / 4},
        {"Static", "&Numeric edit control", 0xFFFF, 2 * cx, cy / 2 + 4 * cy, 24 * cx, 23 * cy / 4},
        {"Edit", "", kNumeric, 25 * cx, 4 * cy, 50 * cx, 23 * cy / 4},
    };

    const Dump dump = run_and_dump("");
    ASSERT_EQ(dump.json()["windows"].size(), 1u) << "only the main window";
    const auto* window = dump.top_level(kTitle);
    ASSERT_NE(window, nullptr);
    const unsigned window_style = (*window)["style"].get<unsigned>();
    EXPECT_EQ(window_style & WS_OVERLAPPEDWINDOW, unsigned(WS_OVERLAPPEDWINDOW));
    const auto* menu = dump.menu_bar(kTitle);
    EXPECT_TRUE(menu == nullptr || (*menu)["items"].empty()) << "the window has no menu";

    const DumpRect client = Dump::client(*window);
    const auto& children = (*window)["children"];
    ASSERT_EQ(children.size(), std::size(expected));
    const int edge = GetSystemMetrics(SM_CXEDGE);
    for (size_t i = 0; i < std::size(expected); ++i) {
        const auto& e = expected[i];
        SCOPED_TRACE(e.text + std::string(" ") + std::to_string(e.id));
        const auto& child = children[i];
        EXPECT_EQ(child["class"], e.class_name);
        EXPECT_EQ(child["text"], e.text);
        EXPECT_EQ(child["id"], e.id);
        const DumpRect rect = Dump::rect(child);
        EXPECT_EQ(rect.left - client.left, e.left);
        EXPECT_EQ(rect.top - client.top, e.top);
        EXPECT_EQ(rect.right - client.left, e.right);
        EXPECT_EQ(rect.bottom - client.top, e.bottom);
        const unsigned style = child["style"].get<unsigned>();
        EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), unsigned(WS_CHILD | WS_VISIBLE));
        if (e.id == 0xFFFF) {
            EXPECT_EQ(style & (WS_TABSTOP | SS_TYPEMASK), unsigned(SS_LEFT));
            continue;
        }
        EXPECT_EQ(style & (WS_TABSTOP | ES_AUTOHSCROLL | ES_MULTILINE),
                  unsigned(WS_TABSTOP | ES_AUTOHSCROLL));
        // The sunken client edge lies inside the control's rectangle.
        const DumpRect inner = Dump::client(child);
        EXPECT_EQ(inner.left - rect.left, edge);
        EXPECT_EQ(rect.right - inner.right, edge);
        EXPECT_FALSE(child["focused"].get<bool>()) << "the frame keeps the focus at start";
    }
}

TEST(NumericEditProgram, NumericFieldDropsTypedCharactersOutsideAPhoneNumber) {
    const auto dumps = run_with_dumps({
        "key Alt+N\ntype a1b(2)-3 4\n",
        "type xyz.+/#*_=,;ABC\n",
        "key Backspace\nkey Backspace\n",
    });
    EXPECT_TRUE(focused(dumps[0], kNumeric));
    EXPECT_EQ(text_of(dumps[0], kNumeric), "1(2)-3 4");
    EXPECT_EQ(text_of(dumps[1], kNumeric), "1(2)-3 4");
    EXPECT_EQ(text_of(dumps[2], kNumeric), "1(2)-3");
    EXPECT_EQ(text_of(dumps[2], kStandard), "") << "nothing strayed into the other field";
    // Dropped characters raise no message box.
    EXPECT_EQ(dumps[1].json()["windows"].size(), 1u);
    EXPECT_TRUE(focused(dumps[2], kNumeric));
}

TEST(NumericEditProgram, StandardFieldTakesAnyText) {
    const Dump dump = run_and_dump("key Alt+S\ntype a1b(2)-3 4 x.y\nkey Backspace\n");
    EXPECT_TRUE(focused(dump, kStandard));
    EXPECT_EQ(text_of(dump, kStandard), "a1b(2)-3 4 x.");
    EXPECT_EQ(text_of(dump, kNumeric), "");
}

TEST(NumericEditProgram, PastingIntoTheNumericFieldIsNotFiltered) {
    // Letters copied from the standard field with Ctrl+C; the mnemonic selects all of its text.
    const Dump copied = run_and_dump("key Alt+S\ntype Phone: ab\nkey Alt+N\nkey Alt+S\n"
                                     "key Ctrl+C\nkey Alt+N\ntype 12\nkey Ctrl+V\n");
    EXPECT_EQ(text_of(copied, kNumeric), "12Phone: ab");
    EXPECT_EQ(text_of(copied, kStandard), "Phone: ab");

    // Text put on the clipboard from outside, pasted with Ctrl+V and with Shift+Insert.
    const Dump outside =
        run_and_dump("clip x-y\nkey Alt+N\nkey Ctrl+V\ntype 7\nkey Shift+Insert\n");
    EXPECT_EQ(text_of(outside, kNumeric), "x-y7x-y");
}

TEST(NumericEditProgram, TabAndMnemonicsMoveTheFocusBetweenTheFields) {
    const auto dumps = run_with_dumps({
        "key Tab\ntype s\n",
        "key Tab\ntype 5\n",
        "key Tab\n",
        "key Shift+Tab\n",
        "key Shift+Tab\n",
        "key Alt+N\n",
        "key Alt+S\n",
        "key Enter\nkey Esc\n",
    });
    // Tab from the frame goes to the first tab stop, then cycles through the two fields.
    EXPECT_TRUE(focused(dumps[0], kStandard));
    EXPECT_EQ(text_of(dumps[0], kStandard), "s");
    EXPECT_TRUE(focused(dumps[1], kNumeric));
    EXPECT_EQ(text_of(dumps[1], kNumeric), "5");
    EXPECT_TRUE(focused(dumps[2], kStandard));
    EXPECT_TRUE(focused(dumps[3], kNumeric));
    EXPECT_TRUE(focused(dumps[4], kStandard));
    EXPECT_TRUE(focused(dumps[5], kNumeric));
    EXPECT_TRUE(focused(dumps[6], kStandard));
    // A field reached from the keyboard has all of its text selected, as in a dialog box.
    EXPECT_EQ(control(dumps[5], kNumeric)["selection"], "5");
    EXPECT_EQ(control(dumps[6], kStandard)["selection"], "s");
    // Enter and Esc have no buttons to press: the window stays, unchanged.
    ASSERT_NE(dumps[7].top_level(kTitle), nullptr);
    EXPECT_TRUE(focused(dumps[7], kStandard));
    EXPECT_EQ(text_of(dumps[7], kStandard), "s");
    EXPECT_EQ(text_of(dumps[7], kNumeric), "5");
}

TEST(NumericEditProgram, AltF4StillClosesTheWindowAndEndsTheProgram) {
    ProgramRun run(kTitle);
    const auto result = run.run_script("idle\nkey Alt+N\ntype 12\nkey Alt+F4\n");
    EXPECT_FALSE(result.timed_out) << "the program ended by itself";
    EXPECT_EQ(result.exit_status, 0) << result.output;
}

TEST(NumericEditProgram, ShiftTabFromTheFrameAndClicksReachTheFieldsToo) {
    const auto dumps = run_with_dumps({
        "key Shift+Tab\n",
        "click \"Widgetry2\"#101\ntype (x0y)\n",
        "click \"Widgetry2\"#100\ntype (x0y)\n",
    });
    EXPECT_TRUE(focused(dumps[0], kNumeric)) << "the last tab stop";
    EXPECT_TRUE(focused(dumps[1], kNumeric));
    EXPECT_EQ(text_of(dumps[1], kNumeric), "(0)");
    EXPECT_TRUE(focused(dumps[2], kStandard));
    EXPECT_EQ(text_of(dumps[2], kStandard), "(x0y)");
}

TEST(NumericEditProgram, TypedTextReplacesTheSelectionAMnemonicMade) {
    const Dump dump = run_and_dump("key Alt+N\ntype 123\nkey Alt+S\nkey Alt+N\ntype 9\n");
    EXPECT_EQ(text_of(dump, kNumeric), "9");
}

uint32_t pixel_of(int color_index) {
    const COLORREF color = GetSysColor(color_index);
    return rgb_pixel(GetRValue(color), GetGValue(color), GetBValue(color));
}

// The horizontal span of the pixels inside the rectangle that differ from the background.
int ink_width(const PngImage& image, const DumpRect& rect, uint32_t background) {
    int first = rect.right;
    int last = rect.left - 1;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (image.pixel(x, y) != background) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return last - first + 1;
}

// Labels and fields write in the 8-point font, whose text is as wide as the font measures it
// (the last glyph may end a pixel or two short of its advance).
TEST(NumericEditProgram, LabelsAndFieldsWriteInTheEightPointFont) {
    ProgramRun run(kTitle);
    const auto result =
        run.run_script("idle\nkey Alt+S\ntype Standard\nkey Alt+N\ntype 555-1234\nkey Alt+S\nidle\n"
                       "dump fonts.json\nshot fonts.png\nquit\n");
    ASSERT_FALSE(result.timed_out) << result.output;
    const Dump dump = Dump::load(run.file("fonts.json"));
    const PngImage image = PngImage::load(run.file("fonts.png"));
    const auto* window = dump.top_level(kTitle);
    ASSERT_NE(window, nullptr);
    const auto& children = (*window)["children"];
    ASSERT_EQ(children.size(), 4u);
    const EightPointFont font;
    for (const auto& [index, drawn] :
         {std::pair{0, "Standard edit control"}, std::pair{2, "Numeric edit control"}}) {
        SCOPED_TRACE(drawn);
        const int width = ink_width(image, Dump::rect(children[index]), pixel_of(COLOR_3DFACE));
        EXPECT_LE(width, font.text_width(drawn));
        EXPECT_GE(width, font.text_width(drawn) - 3);
    }
    // The numeric field has lost the focus, so neither its caret nor a selection is drawn.
    const auto& numeric = control(dump, kNumeric);
    ASSERT_FALSE(numeric.is_null());
    const int width = ink_width(image, Dump::client(numeric), pixel_of(COLOR_WINDOW));
    EXPECT_LE(width, font.text_width("555-1234"));
    EXPECT_GE(width, font.text_width("555-1234") - 3);
}

// Pixels of the field's client area, right of its middle, that are not the window colour.
int ink_in_right_half(const PngImage& image, const nlohmann::json& edit) {
    const DumpRect inner = Dump::client(edit);
    const uint32_t paper = pixel_of(COLOR_WINDOW);
    int ink = 0;
    for (int y = inner.top; y < inner.bottom; ++y)
        for (int x = (inner.left + inner.right) / 2; x < inner.right; ++x)
            ink += image.pixel(x, y) != paper;
    return ink;
}

TEST(NumericEditProgram, BothFieldsScrollHorizontallyToTheCaret) {
    // One digit, far more blanks than the field is wide, then digits: the start of the text
    // leaves the field's right half blank, its end does not.
    const std::string text = "1" + std::string(120, ' ') + "8888";
    for (const auto& [id, mnemonic] : {std::pair{kStandard, "S"}, std::pair{kNumeric, "N"}}) {
        SCOPED_TRACE(id);
        ProgramRun run(kTitle);
        const auto result = run.run_script("idle\nkey Alt+" + std::string(mnemonic) + "\ntype " +
                                           text + "\nidle\ndump end.json\nshot end.png\n" +
                                           "key Home\nidle\nshot home.png\nquit\n");
        ASSERT_FALSE(result.timed_out) << result.output;
        const Dump dump = Dump::load(run.file("end.json"));
        const auto& edit = control(dump, id);
        ASSERT_FALSE(edit.is_null());
        EXPECT_EQ(edit["text"], text) << "nothing was refused for want of room";
        EXPECT_GT(ink_in_right_half(PngImage::load(run.file("end.png")), edit), 0);
        EXPECT_EQ(ink_in_right_half(PngImage::load(run.file("home.png")), edit), 0);
    }
}

} // namespace
