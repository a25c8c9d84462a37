// End-to-end tests of Sheetwise, run headless through the scripted driver: the settings
// property sheet, its Apply button, its pages and how the banner follows them.
#include "testing/dump.h"
#include "testing/png_image.h"
#include "testing/program_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using mullion::testing::Dump;
using mullion::testing::DumpRect;
using mullion::testing::PngImage;
using mullion::testing::ProgramRun;
using mullion::testing::rgb_pixel;

namespace {

constexpr int kApplyNow = 12321;
constexpr int kTabControl = 12320;
constexpr const char* kOpenSheet = "idle\nkey Alt+O\nidle\nkey P\nidle\n";

// A run of Sheetwise: opens the sheet, performs the steps (which may take dumps and shots by
// name), then quits.
class SheetwiseRun {
public:
    explicit SheetwiseRun(const std::string& steps) : m_run("Sheetwise") {
        const auto result = m_run.run_script(kOpenSheet + steps + "quit\n");
        EXPECT_FALSE(result.timed_out) << result.output;
    }
    Dump dump(const std::string& name) const { return Dump::load(m_run.file(name + ".json")); }
    PngImage shot(const std::string& name) const {
        return PngImage::load(m_run.file(name + ".png"));
    }

private:
    ProgramRun m_run;
};

std::string dump_step(const std::string& name) {
    return "idle\ndump " + name + ".json\n";
}

std::string shot_step(const std::string& name) {
    return "idle\nshot " + name + ".png\n";
}

bool apply_enabled(const Dump& dump) {
    const auto* sheet = dump.top_level("Properties");
    EXPECT_NE(sheet, nullptr);
    if (!sheet)
        return false;
    const auto* apply = Dump::child_with_id(*sheet, kApplyNow);
    EXPECT_NE(apply, nullptr);
    return apply && (*apply)["enabled"].get<bool>();
}

// The title of the page the sheet shows: its one visible page window.
std::string visible_page(const Dump& dump) {
    const auto* sheet = dump.top_level("Properties");
    if (!sheet)
        return "<no sheet>";
    std::string shown;
    for (const auto& child : (*sheet)["children"])
        if (child["class"] == "#32770" && child["visible"].get<bool>())
            shown += child["text"].get<std::string>();
    return shown;
}

// The bounding box of the white (banner text) pixels inside the client area.
DumpRect white_ink(const PngImage& image, const DumpRect& client) {
    DumpRect ink{client.right, client.bottom, client.left, client.top};
    for (int y = client.top; y < client.bottom; ++y)
        for (int x = client.left; x < client.right; ++x)
            if (image.pixel(x, y) == rgb_pixel(255, 255, 255)) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
    return ink;
}

DumpRect banner_client(const Dump& dump) {
    const auto* window = dump.top_level("Sheetwise");
    EXPECT_NE(window, nullptr);
    return window ? Dump::client(*window) : DumpRect{};
}

// The right edge of the last tab, found in a shot as the first pixel that is not the dialog
// face when looking from the tab control's right end along the tab row.
int last_tab_right(const PngImage& image, const DumpRect& tabs) {
    const int y = tabs.top + 8;
    const uint32_t face = image.pixel(tabs.right - 2, y);
    for (int x = tabs.right - 2; x > tabs.left; --x)
        if (image.pixel(x, y) != face)
            return x;
    return tabs.left;
}

} // namespace

TEST(Sheetwise, SheetOpensOnTheBackgroundPageWithApplyDisabled) {
    SheetwiseRun run(dump_step("open"));
    const Dump dump = run.dump("open");
    const auto* sheet = dump.top_level("Properties");
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(visible_page(dump), "Background");
    const auto* apply = Dump::child_with_id(*sheet, kApplyNow);
    ASSERT_NE(apply, nullptr);
    EXPECT_EQ((*apply)["text"], "&Apply");
    EXPECT_FALSE(apply_enabled(dump));
    EXPECT_NE(Dump::child_with_id(*sheet, kTabControl), nullptr);
    // The pages show the window's settings: gradient fill, blue.
    EXPECT_EQ((*Dump::child_with_id(*sheet, 132))["checked"], 1);
    EXPECT_EQ((*Dump::child_with_id(*sheet, 135))["checked"], 1);
    // The main window waits, disabled, while the sheet runs.
    EXPECT_FALSE((*dump.top_level("Sheetwise"))["enabled"].get<bool>());
}

TEST(Sheetwise, AnyRadioClickEnablesApplyAndApplyDisablesItAgain) {
    // Blue is already selected: clicking it still marks the page modified.
    SheetwiseRun run("click \"Properties\"#135\n" + dump_step("clicked") +
                     "click \"Properties\"#12321\n" + dump_step("applied") +
                     "click \"Properties\"#131\n" + dump_step("solid"));
    EXPECT_TRUE(apply_enabled(run.dump("clicked")));
    EXPECT_FALSE(apply_enabled(run.dump("applied")));
    EXPECT_TRUE(apply_enabled(run.dump("solid")));
}

TEST(Sheetwise, EditingOnTheTextPageEnablesApply) {
    SheetwiseRun run("key Ctrl+Tab\n" + dump_step("text") + "click \"Properties\"#141\nkey End\n" +
                     "type !\n" + dump_step("edited"));
    const Dump text = run.dump("text");
    EXPECT_EQ(visible_page(text), "Text");
    // Showing the page loads its controls without marking it modified.
    EXPECT_FALSE(apply_enabled(text));
    const auto* sheet = text.top_level("Properties");
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ((*Dump::child_with_id(*sheet, 141))["text"], "Hello, MFC");
    EXPECT_EQ((*Dump::child_with_id(*sheet, 142))["text"], "72");
    EXPECT_EQ((*Dump::child_with_id(*sheet, 143))["checked"], 1);
    EXPECT_EQ((*Dump::child_with_id(*sheet, 144))["checked"], 1);

    const Dump edited = run.dump("edited");
    EXPECT_TRUE(apply_enabled(edited));
    EXPECT_EQ((*Dump::child_with_id(*edited.top_level("Properties"), 141))["text"], "Hello, MFC!");
}

TEST(Sheetwise, ControlTabGoesRoundThePages) {
    SheetwiseRun run("key Ctrl+Tab\n" + dump_step("second") + "key Ctrl+Tab\n" +
                     dump_step("wrapped") + "key Ctrl+Shift+Tab\n" + dump_step("back"));
    EXPECT_EQ(visible_page(run.dump("second")), "Text");
    EXPECT_EQ(visible_page(run.dump("wrapped")), "Background");
    EXPECT_EQ(visible_page(run.dump("back")), "Text");
}

TEST(Sheetwise, ClickingTheTabsSwitchesPages) {
    // Where the last tab ends, in a first run's picture; the first tab starts at the left.
    int text_tab_right = 0;
    DumpRect tabs;
    {
        SheetwiseRun first(dump_step("open") + shot_step("open"));
        const Dump dump = first.dump("open");
        tabs = Dump::rect(*Dump::child_with_id(*dump.top_level("Properties"), kTabControl));
        text_tab_right = last_tab_right(first.shot("open"), tabs);
    }
    ASSERT_GT(text_tab_right, tabs.left + 40);
    const std::string row = " " + std::to_string(tabs.top + 10) + "\n";
    const std::string text_tab = "click " + std::to_string(text_tab_right - 8) + row;
    const std::string background_tab = "click " + std::to_string(tabs.left + 10) + row;
    SheetwiseRun run(text_tab + dump_step("text") + background_tab + dump_step("background"));
    EXPECT_EQ(visible_page(run.dump("text")), "Text");
    EXPECT_EQ(visible_page(run.dump("background")), "Background");
}

TEST(Sheetwise, ApplyThenCancelKeepsTheAppliedBanner) {
    SheetwiseRun run("click \"Properties\"#133\nclick \"Properties\"#12321\n" +
                     shot_step("applied") + "click \"Properties\"#2\n" + dump_step("closed") +
                     shot_step("closed"));
    const Dump closed = run.dump("closed");
    EXPECT_EQ(closed.top_level("Properties"), nullptr);
    const DumpRect client = banner_client(closed);
    // The gradient's top row is the full intensity of the fill colour: now red.
    EXPECT_EQ(run.shot("applied").pixel(client.left + 1, client.top), rgb_pixel(255, 0, 0));
    EXPECT_EQ(run.shot("closed").pixel(client.left + 1, client.top), rgb_pixel(255, 0, 0));
}

TEST(Sheetwise, ChangesOnBothPagesAreAppliedTogether) {
    // The default banner's text, for comparison.
    DumpRect default_ink;
    {
        SheetwiseRun reference("click \"Properties\"#2\n" + dump_step("plain") +
                               shot_step("plain"));
        default_ink = white_ink(reference.shot("plain"), banner_client(reference.dump("plain")));
    }
    // Bold off on the Text page, then Red on the Background page, then one Apply.
    SheetwiseRun run("key Ctrl+Tab\nclick \"Properties\"#143\nkey Ctrl+Shift+Tab\n"
                     "click \"Properties\"#133\nclick \"Properties\"#12321\n" +
                     dump_step("applied") + "click \"Properties\"#2\n" + dump_step("closed") +
                     shot_step("closed"));
    EXPECT_FALSE(apply_enabled(run.dump("applied")));
    const DumpRect client = banner_client(run.dump("closed"));
    const PngImage image = run.shot("closed");
    EXPECT_EQ(image.pixel(client.left + 1, client.top), rgb_pixel(255, 0, 0));
    const DumpRect ink = white_ink(image, client);
    ASSERT_LT(ink.left, ink.right) << "no banner text";
    // The same text in a normal weight is narrower.
    EXPECT_LT(ink.width(), default_ink.width());
}

TEST(Sheetwise, HeightOutOfRangeIsRefusedAndApplyStaysEnabled) {
    SheetwiseRun run("key Ctrl+Tab\nclick \"Properties\"#142\nkey End\nkey Backspace\n"
                     "key Backspace\ntype 145\nclick \"Properties\"#12321\n" +
                     dump_step("message") + "key Enter\n" + dump_step("after") +
                     "click \"Properties\"#2\n" + shot_step("closed") + dump_step("closed"));
    const Dump message = run.dump("message");
    // A message box reports the range; the sheet stays open underneath.
    ASSERT_FALSE(message.json()["windows"].empty());
    const auto& box = message.json()["windows"][0];
    EXPECT_EQ(box["class"], "#32770");
    EXPECT_NE(box["text"], "Properties");
    std::string box_text;
    for (const auto& child : box["children"])
        box_text += child["text"].get<std::string>() + "\n";
    EXPECT_NE(box_text.find("8"), std::string::npos) << box_text;
    EXPECT_NE(box_text.find("144"), std::string::npos) << box_text;

    const Dump after = run.dump("after");
    EXPECT_TRUE(apply_enabled(after));
    EXPECT_EQ(visible_page(after), "Text");
    // Nothing was applied: the banner is still the default blue.
    const DumpRect client = banner_client(run.dump("closed"));
    EXPECT_EQ(run.shot("closed").pixel(client.left + 1, client.top), rgb_pixel(0, 0, 255));
}

TEST(Sheetwise, PageWhoseExchangeFailsIsNotLeft) {
    SheetwiseRun run(
        std::string("key Ctrl+Tab\nclick \"Properties\"#142\nkey End\ntype x\nkey Ctrl+Tab\n") +
        "idle\nkey Enter\n" + dump_step("kept"));
    const Dump kept = run.dump("kept");
    ASSERT_NE(kept.top_level("Properties"), nullptr);
    EXPECT_EQ(visible_page(kept), "Text");
}

TEST(Sheetwise, OkCopiesTheSettingsBackAndCloses) {
    SheetwiseRun run("click \"Properties\"#136\nkey Enter\n" + dump_step("closed") +
                     shot_step("closed"));
    const Dump closed = run.dump("closed");
    EXPECT_EQ(closed.top_level("Properties"), nullptr);
    EXPECT_TRUE((*closed.top_level("Sheetwise"))["enabled"].get<bool>());
    const DumpRect client = banner_client(closed);
    EXPECT_EQ(run.shot("closed").pixel(client.left + 1, client.top), rgb_pixel(255, 0, 255));
}

TEST(Sheetwise, CancelWithoutApplyChangesNothing) {
    SheetwiseRun run("click \"Properties\"#133\nkey Esc\n" + dump_step("closed") +
                     shot_step("closed"));
    const Dump closed = run.dump("closed");
    EXPECT_EQ(closed.top_level("Properties"), nullptr);
    const DumpRect client = banner_client(closed);
    EXPECT_EQ(run.shot("closed").pixel(client.left + 1, client.top), rgb_pixel(0, 0, 255));
}
