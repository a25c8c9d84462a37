// Panelry4 end to end: the modal settings dialog with data exchange, and the keyboard
// interface every dialog has (tab order, arrows within a group, mnemonics, Enter, Esc).
#include "panelry_settings_support.h"

namespace panelry_tests {
namespace {

TEST(Panelry4Settings, DialogShowsTheWindowsValuesAndOkAppliesThem) {
    Session session("Panelry4");
    session.OpenSettings()
        .Capture("open")
        .Step("click \"Settings\"#131")
        .Step("click \"Settings\"#136")
        .ReplaceField("T", "Banner")
        .ReplaceField("H", "36")
        .Step("click \"Settings\"#141")
        .Step("click \"Settings\"#1")
        .Capture("applied")
        .OpenSettings()
        .Capture("reopened")
        .Step("key Esc");
    session.Finish();

    const json* dialog = SettingsDialog(session.DumpOf("open"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(kDefaultSettings, Shown(*dialog));

    const Dump& applied = session.DumpOf("applied");
    EXPECT_EQ(SettingsDialog(applied), nullptr);
    const DumpRect client = BannerClient(applied, "Panelry4");
    const PngImage image = session.ImageOf("applied");
    ExpectSolidFill(image, client, rgb_pixel(255, 0, 255));
    // 36 points are 48 pixels of character height.
    const DumpRect ink = WhiteInk(image, client);
    ASSERT_LT(ink.left, ink.right);
    EXPECT_GT(ink.height(), 25);
    EXPECT_LT(ink.height(), 60);

    EXPECT_EQ((ShownSettings{0, 3, "Banner", "36", 1, 0}),
              Shown(*SettingsDialog(session.DumpOf("reopened"))));
}

TEST(Panelry4Settings, CancelAfterDefaultsKeepsTheBannerAndOkRestoresTheDefaults) {
    Session session("Panelry4");
    session.OpenSettings()
        .Step("click \"Settings\"#131")
        .Step("click \"Settings\"#137")
        .ReplaceField("T", "Cyan")
        .Step("key Enter")
        .OpenSettings()
        .Capture("current")
        .Step("click \"Settings\"#142")
        .Capture("defaults")
        .Step("click \"Settings\"#2")
        .Capture("cancelled")
        .OpenSettings()
        .Step("click \"Settings\"#142")
        .Step("click \"Settings\"#1")
        .Capture("restored");
    session.Finish();

    EXPECT_EQ((ShownSettings{0, 4, "Cyan", "72", 1, 1}),
              Shown(*SettingsDialog(session.DumpOf("current"))));
    EXPECT_EQ(kDefaultSettings, Shown(*SettingsDialog(session.DumpOf("defaults"))));
    const Dump& cancelled = session.DumpOf("cancelled");
    ExpectSolidFill(session.ImageOf("cancelled"), BannerClient(cancelled, "Panelry4"),
                    rgb_pixel(0, 255, 255));
    const Dump& restored = session.DumpOf("restored");
    ExpectDefaultBanner(session.ImageOf("restored"), BannerClient(restored, "Panelry4"));
}

struct RefusedHeight {
    std::string typed;
    std::string message;
};

TEST(Panelry4Settings, HeightOutsideTheRangeOrNoIntegerIsRefused) {
    const RefusedHeight cases[] = {
        {"7", "Please enter an integer between 8 and 144."},
        {"145", "Please enter an integer between 8 and 144."},
        {"12a", "Please enter an integer."},
        {"", "Please enter an integer."},
    };
    for (const RefusedHeight& c : cases) {
        SCOPED_TRACE("typed \"" + c.typed + "\"");
        Session session("Panelry4");
        session.OpenSettings()
            .Step("click \"Settings\"#131")
            .ReplaceField("H", c.typed)
            .Step("key Enter")
            .Capture("refused")
            .Step("key Enter")
            .Capture("acknowledged")
            .Step("key Esc")
            .Capture("cancelled");
        session.Finish();

        const json* box = MessageBoxWindow(session.DumpOf("refused"), "Panelry4");
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_EQ(c.message, MessageBoxText(*box));

        const Dump& acknowledged = session.DumpOf("acknowledged");
        const json* dialog = SettingsDialog(acknowledged);
        ASSERT_NE(dialog, nullptr) << "the dialog stays open";
        EXPECT_TRUE(Focused(*dialog, kTextHeight)) << "focus on the failing field";
        EXPECT_EQ(c.typed, Text(*dialog, kTextHeight));
        EXPECT_EQ(c.typed, Selection(*dialog, kTextHeight));

        // Nothing reached the window, although the fill type was exchanged before the height.
        const Dump& cancelled = session.DumpOf("cancelled");
        ExpectDefaultBanner(session.ImageOf("cancelled"), BannerClient(cancelled, "Panelry4"));
    }
}

TEST(Panelry4Settings, HeightBoundsAreAccepted) {
    for (const std::string height : {"8", "144"}) {
        SCOPED_TRACE(height);
        Session session("Panelry4");
        session.OpenSettings()
            .ReplaceField("H", height)
            .Step("key Enter")
            .Capture("applied")
            .OpenSettings()
            .Capture("reopened")
            .Step("key Esc");
        session.Finish();
        EXPECT_EQ(SettingsDialog(session.DumpOf("applied")), nullptr);
        EXPECT_EQ(height, Text(*SettingsDialog(session.DumpOf("reopened")), kTextHeight));
    }
}

TEST(Panelry4Settings, TextFieldHasNoLengthLimit) {
    const std::string text = "abcdefghijklmnopqrstuvwxyz0123456789";
    Session session("Panelry4");
    session.OpenSettings().ReplaceField("T", text).Capture("typed").Step("key Esc");
    session.Finish();
    EXPECT_EQ(text, Text(*SettingsDialog(session.DumpOf("typed")), kText));
}

TEST(Panelry4Settings, KeyboardMovesThroughTheDialogAsInAnyDialog) {
    Session session("Panelry4");
    session.OpenSettings()
        .Step("click \"Settings\"#131")
        .Capture("solid")
        // Arrows move within the fill type group, checking as they go, and wrap in it.
        .Step("key Down")
        .Capture("down")
        .Step("key Down")
        .Capture("wrapped")
        // In the colour group, Up from the first button wraps to the last.
        .Step("click \"Settings\"#133")
        .Step("key Up")
        .Capture("up")
        // Tab leaves the last check box for OK; Shift+Tab comes back.
        .Step("click \"Settings\"#141")
        .Step("key Tab")
        .Capture("tab")
        .Step("key Shift+Tab")
        .Capture("backtab")
        // Mnemonics: a radio button is checked, a check box toggled, a label's field focused.
        .Step("key Alt+G")
        .Step("key Alt+L")
        .Step("key Alt+T")
        .Capture("mnemonics")
        .Step("key Enter")
        .Capture("applied");
    session.Finish();

    const json& solid = *SettingsDialog(session.DumpOf("solid"));
    EXPECT_TRUE(Focused(solid, kSolidFill));
    EXPECT_EQ(1, Checked(solid, kSolidFill));

    const json& down = *SettingsDialog(session.DumpOf("down"));
    EXPECT_TRUE(Focused(down, kGradientFill));
    EXPECT_EQ(1, Checked(down, kGradientFill));
    EXPECT_EQ(0, Checked(down, kSolidFill));

    const json& wrapped = *SettingsDialog(session.DumpOf("wrapped"));
    EXPECT_TRUE(Focused(wrapped, kSolidFill)) << "the group box ends the fill type group";
    EXPECT_EQ(1, Checked(wrapped, kSolidFill));

    const json& up = *SettingsDialog(session.DumpOf("up"));
    EXPECT_TRUE(Focused(up, kCyan)) << "the label after Cyan ends the colour group";
    EXPECT_EQ(1, Checked(up, kCyan));

    EXPECT_TRUE(Focused(*SettingsDialog(session.DumpOf("tab")), kOk));
    EXPECT_TRUE(Focused(*SettingsDialog(session.DumpOf("backtab")), kItalic));

    const json& mnemonics = *SettingsDialog(session.DumpOf("mnemonics"));
    EXPECT_EQ(1, Checked(mnemonics, kGreen));
    EXPECT_EQ(0, Checked(mnemonics, kBold));
    EXPECT_TRUE(Focused(mnemonics, kText));
    EXPECT_EQ("Hello, MFC", Selection(mnemonics, kText));

    // Enter in the text field presses OK: a green solid banner.
    const Dump& applied = session.DumpOf("applied");
    EXPECT_EQ(SettingsDialog(applied), nullptr);
    ExpectSolidFill(session.ImageOf("applied"), BannerClient(applied, "Panelry4"),
                    rgb_pixel(0, 255, 0));
}

} // namespace
} // namespace panelry_tests
