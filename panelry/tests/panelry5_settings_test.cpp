// Panelry5 end to end: the modeless settings dialog with Apply and Close, at most one of it,
// and its end with the main window.
#include "panelry_settings_support.h"

namespace panelry_tests {
namespace {

int CountSettingsDialogs(const Dump& dump) {
    int count = 0;
    for (const auto& window : dump.json()["windows"])
        count += window["text"] == "Settings";
    return count;
}

// Whether any control of the window has the keyboard focus.
bool HoldsFocus(const json& window) {
    for (const auto& child : window["children"])
        if (child["focused"] == true || HoldsFocus(child))
            return true;
    return window["focused"] == true;
}

TEST(Panelry5Settings, DialogIsModelessWithApplyAndClose) {
    Session session("Panelry5");
    session.OpenSettings().Capture("open").Step("key Esc").Capture("closed");
    session.Finish();

    const Dump& open = session.DumpOf("open");
    const json* dialog = SettingsDialog(open);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(kDefaultSettings, Shown(*dialog));
    EXPECT_EQ("Apply", Text(*dialog, kOk));
    EXPECT_EQ("Close", Text(*dialog, kCancel));
    EXPECT_TRUE((*open.top_level("Panelry5"))["enabled"].get<bool>())
        << "the main window stays usable beside the dialog";
    EXPECT_EQ(SettingsDialog(session.DumpOf("closed")), nullptr) << "Esc is Close";
}

TEST(Panelry5Settings, ApplyRepaintsAndKeepsTheDialogOpen) {
    Session session("Panelry5");
    session.OpenSettings()
        .Step("click \"Settings\"#131")
        .Step("click \"Settings\"#133")
        .ReplaceField("T", "Applied")
        .Step("click \"Settings\"#1")
        .Capture("first")
        .Step("click \"Settings\"#134")
        .Step("key Enter")
        .Capture("second");
    session.Finish();

    const Dump& first = session.DumpOf("first");
    ASSERT_NE(SettingsDialog(first), nullptr) << "Apply leaves the dialog open";
    ExpectSolidFill(session.ImageOf("first"), BannerClient(first, "Panelry5"),
                    rgb_pixel(255, 0, 0));
    const Dump& second = session.DumpOf("second");
    ASSERT_NE(SettingsDialog(second), nullptr);
    ExpectSolidFill(session.ImageOf("second"), BannerClient(second, "Panelry5"),
                    rgb_pixel(0, 255, 0));
}

TEST(Panelry5Settings, CloseDiscardsAndReopeningShowsTheWindowsSettings) {
    Session session("Panelry5");
    session.OpenSettings()
        .Step("click \"Settings\"#131")
        .Step("click \"Settings\"#1")
        .ReplaceField("T", "Never applied")
        .Step("click \"Settings\"#133")
        .Step("click \"Settings\"#2")
        .Capture("closed")
        .OpenSettings()
        .Capture("reopened");
    session.Finish();

    const Dump& closed = session.DumpOf("closed");
    EXPECT_EQ(SettingsDialog(closed), nullptr);
    ExpectSolidFill(session.ImageOf("closed"), BannerClient(closed, "Panelry5"),
                    rgb_pixel(0, 0, 255));
    const json* dialog = SettingsDialog(session.DumpOf("reopened"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ((ShownSettings{0, 2, "Hello, MFC", "72", 1, 1}), Shown(*dialog));
}

TEST(Panelry5Settings, ASecondSettingsCommandOnlyFocusesTheDialog) {
    Session session("Panelry5");
    session.OpenSettings()
        .ReplaceField("T", "typed")
        // Back to the main window, whose menu still works.
        .Step("click \"Panelry5\" 20 20")
        .Capture("main")
        .OpenSettings()
        .Capture("again");
    session.Finish();

    const Dump& main = session.DumpOf("main");
    ASSERT_NE(SettingsDialog(main), nullptr);
    EXPECT_FALSE(HoldsFocus(*SettingsDialog(main)));

    const Dump& again = session.DumpOf("again");
    EXPECT_EQ(1, CountSettingsDialogs(again));
    const json* dialog = SettingsDialog(again);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(HoldsFocus(*dialog));
    EXPECT_EQ("typed", Text(*dialog, kText)) << "the same dialog, not a fresh one";
}

TEST(Panelry5Settings, RefusedHeightShowsTheRangeMessageAndChangesNothing) {
    Session session("Panelry5");
    session.OpenSettings()
        .Step("click \"Settings\"#131")
        .ReplaceField("H", "145")
        .Step("click \"Settings\"#1")
        .Capture("refused")
        .Step("key Enter")
        .Capture("acknowledged")
        .Step("key Esc")
        .Capture("closed");
    session.Finish();

    const json* box = MessageBoxWindow(session.DumpOf("refused"), "Panelry5");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ("Please enter an integer between 8 and 144.", MessageBoxText(*box));

    const Dump& acknowledged = session.DumpOf("acknowledged");
    const json* dialog = SettingsDialog(acknowledged);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Focused(*dialog, kTextHeight));
    EXPECT_EQ("145", Selection(*dialog, kTextHeight));
    // The banner is measured once the dialog no longer covers it.
    ExpectDefaultBanner(session.ImageOf("closed"),
                        BannerClient(session.DumpOf("closed"), "Panelry5"));
}

TEST(Panelry5Settings, DefaultsThenApplyRestoresAndDefaultsThenCloseKeeps) {
    Session session("Panelry5");
    session.OpenSettings()
        .Step("click \"Settings\"#131")
        .Step("click \"Settings\"#134")
        .Step("click \"Settings\"#1")
        .Step("click \"Settings\"#142")
        .Capture("defaults")
        .Step("click \"Settings\"#2")
        .Capture("closed")
        .OpenSettings()
        .Step("key Alt+D")
        .Step("key Enter")
        .Capture("applied")
        .Step("key Esc")
        .Capture("restored");
    session.Finish();

    EXPECT_EQ(kDefaultSettings, Shown(*SettingsDialog(session.DumpOf("defaults"))));
    const Dump& closed = session.DumpOf("closed");
    ExpectSolidFill(session.ImageOf("closed"), BannerClient(closed, "Panelry5"),
                    rgb_pixel(0, 255, 0));
    EXPECT_NE(SettingsDialog(session.DumpOf("applied")), nullptr) << "Apply keeps it open";
    const Dump& restored = session.DumpOf("restored");
    ExpectDefaultBanner(session.ImageOf("restored"), BannerClient(restored, "Panelry5"));
}

TEST(Panelry5Settings, ClosingTheMainWindowWithTheDialogOpenEndsCleanly) {
    Session session("Panelry5");
    session.OpenSettings().Step("click \"Panelry5\" 20 20").Step("key Alt+O").Step("key X");
    const auto result = session.Finish(false);
    EXPECT_EQ(0, result.exit_status) << result.output;
    EXPECT_EQ(std::string::npos, result.output.find("Sanitizer")) << result.output;
}

TEST(Panelry5Settings, MainWindowRepaintsWhileTheDialogIsOpen) {
    Session session("Panelry5");
    session.OpenSettings()
        .Step("click \"Settings\"#131")
        .Step("click \"Settings\"#1")
        // Maximizing the main window repaints all of it with the applied settings.
        .Step("click \"Panelry5\" 20 20")
        .Step("key Alt+Space")
        .Step("key X")
        .Capture("maximized");
    session.Finish();

    const Dump& maximized = session.DumpOf("maximized");
    ASSERT_NE(SettingsDialog(maximized), nullptr);
    const DumpRect client = BannerClient(maximized, "Panelry5");
    const PngImage image = session.ImageOf("maximized");
    EXPECT_EQ(rgb_pixel(0, 0, 255), image.pixel(client.right - 2, client.bottom - 2));
    ExpectSolidFill(image, client, rgb_pixel(0, 0, 255));
}

} // namespace
} // namespace panelry_tests
