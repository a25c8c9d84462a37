// Panelry3 end to end: the hand-written modal settings dialog, driven by keyboard and mouse.
#include "panelry_settings_support.h"

namespace panelry_tests {
namespace {

const char* const kHeightMessage = "Text height must be an integer from 8 through 144";

TEST(Panelry3Settings, DialogShowsTheWindowsValuesAndIsModal) {
    Session session("Panelry3");
    session.OpenSettings().Capture("open").Step("key Esc").Capture("closed");
    session.Finish();

    const Dump& open = session.DumpOf("open");
    const json* dialog = SettingsDialog(open);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(kDefaultSettings, Shown(*dialog));
    EXPECT_EQ("OK", Text(*dialog, kOk));
    EXPECT_EQ("Cancel", Text(*dialog, kCancel));
    EXPECT_EQ("&Defaults", Text(*dialog, kDefaults));
    EXPECT_FALSE((*open.top_level("Panelry3"))["enabled"].get<bool>())
        << "the main window is disabled while the modal dialog runs";

    const Dump& closed = session.DumpOf("closed");
    EXPECT_EQ(SettingsDialog(closed), nullptr);
    EXPECT_TRUE((*closed.top_level("Panelry3"))["enabled"].get<bool>());
    ExpectDefaultBanner(session.ImageOf("closed"), BannerClient(closed, "Panelry3"));
}

TEST(Panelry3Settings, OkAppliesAllSixValuesAndRepaints) {
    Session session("Panelry3");
    session.OpenSettings()
        .Step("click \"Settings\"#131")
        .Step("click \"Settings\"#134")
        .ReplaceField("T", "Hi")
        .ReplaceField("H", "20")
        .Step("click \"Settings\"#140")
        .Step("click \"Settings\"#141")
        .Step("click \"Settings\"#1")
        .Capture("applied")
        .OpenSettings()
        .Capture("reopened")
        .Step("key Esc");
    session.Finish();

    const Dump& applied = session.DumpOf("applied");
    EXPECT_EQ(SettingsDialog(applied), nullptr);
    const DumpRect client = BannerClient(applied, "Panelry3");
    const PngImage image = session.ImageOf("applied");
    ExpectSolidFill(image, client, rgb_pixel(0, 255, 0));
    // 20 points are 26 pixels of character height; "Hi" in a regular face.
    const DumpRect ink = WhiteInk(image, client);
    ASSERT_LT(ink.left, ink.right);
    EXPECT_GT(ink.height(), 12);
    EXPECT_LT(ink.height(), 34);

    const json* dialog = SettingsDialog(session.DumpOf("reopened"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ((ShownSettings{0, 1, "Hi", "20", 0, 0}), Shown(*dialog));
}

TEST(Panelry3Settings, CancelChangesNothing) {
    Session session("Panelry3");
    session.OpenSettings()
        .Step("click \"Settings\"#131")
        .ReplaceField("T", "Gone")
        .Step("click \"Settings\"#2")
        .Capture("cancelled")
        .OpenSettings()
        .Capture("reopened")
        .Step("key Esc");
    session.Finish();

    const Dump& cancelled = session.DumpOf("cancelled");
    ExpectDefaultBanner(session.ImageOf("cancelled"), BannerClient(cancelled, "Panelry3"));
    EXPECT_EQ(kDefaultSettings, Shown(*SettingsDialog(session.DumpOf("reopened"))));
}

TEST(Panelry3Settings, DefaultsSetsOnlyTheControls) {
    Session session("Panelry3");
    // First a red solid banner, then Defaults with Cancel, then Defaults with OK.
    session.OpenSettings()
        .Step("click \"Settings\"#131")
        .Step("click \"Settings\"#133")
        .Step("key Enter")
        .OpenSettings()
        .Step("click \"Settings\"#142")
        .Capture("defaults")
        .Step("key Esc")
        .Capture("cancelled")
        .OpenSettings()
        .Step("key Alt+D")
        .Step("key Enter")
        .Capture("restored");
    session.Finish();

    EXPECT_EQ(kDefaultSettings, Shown(*SettingsDialog(session.DumpOf("defaults"))));
    const Dump& cancelled = session.DumpOf("cancelled");
    ExpectSolidFill(session.ImageOf("cancelled"), BannerClient(cancelled, "Panelry3"),
                    rgb_pixel(255, 0, 0));
    const Dump& restored = session.DumpOf("restored");
    ExpectDefaultBanner(session.ImageOf("restored"), BannerClient(restored, "Panelry3"));
}

// The height field's text after OK, read back from a reopened dialog; or the message shown.
struct HeightCase {
    std::string typed;
    bool accepted;
    std::string height; // shown on reopening when accepted
};

TEST(Panelry3Settings, HeightIsReadWithAtoiAndCheckedAgainstItsRange) {
    const HeightCase cases[] = {
        {"8", true, "8"}, {"144", true, "144"}, {" 9", true, "9"}, {"12a", true, "12"},
        {"7", false, ""}, {"145", false, ""},   {"", false, ""},   {"-8", false, ""},
    };
    for (const HeightCase& c : cases) {
        SCOPED_TRACE("typed \"" + c.typed + "\"");
        Session session("Panelry3");
        session.OpenSettings().ReplaceField("H", c.typed).Step("key Enter").Capture("after");
        if (c.accepted)
            session.OpenSettings().Capture("reopened").Step("key Esc");
        else
            session.Step("key Enter").Capture("acknowledged").Step("key Esc");
        session.Finish();

        const Dump& after = session.DumpOf("after");
        const json* box = MessageBoxWindow(after, "Panelry3");
        if (c.accepted) {
            EXPECT_EQ(box, nullptr);
            EXPECT_EQ(SettingsDialog(after), nullptr);
            const json* dialog = SettingsDialog(session.DumpOf("reopened"));
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(c.height, Text(*dialog, kTextHeight));
            continue;
        }
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_EQ(kHeightMessage, MessageBoxText(*box));
        EXPECT_NE(Dump::child_with_id(*box, kOk), nullptr);
        EXPECT_EQ(Dump::child_with_id(*box, kCancel), nullptr) << "an OK button only";

        const Dump& acknowledged = session.DumpOf("acknowledged");
        EXPECT_EQ(MessageBoxWindow(acknowledged, "Panelry3"), nullptr);
        const json* dialog = SettingsDialog(acknowledged);
        ASSERT_NE(dialog, nullptr) << "the dialog stays open";
        EXPECT_TRUE(Focused(*dialog, kTextHeight));
        EXPECT_EQ(Text(*dialog, kTextHeight), c.typed.substr(0, 3));
        EXPECT_EQ(Text(*dialog, kTextHeight), Selection(*dialog, kTextHeight))
            << "the whole text is selected";
    }
}

TEST(Panelry3Settings, FieldsRefuseCharactersBeyondTheirLimits) {
    Session session("Panelry3");
    session.OpenSettings()
        .ReplaceField("T", "abcdefghijklmnopqrstuvwxyz0123456789")
        .ReplaceField("H", "1234")
        .Capture("typed")
        .Step("key Esc");
    session.Finish();

    const json* dialog = SettingsDialog(session.DumpOf("typed"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ("abcdefghijklmnopqrstuvwxyz012345", Text(*dialog, kText)) << "32 characters";
    EXPECT_EQ("123", Text(*dialog, kTextHeight)) << "3 characters";
}

TEST(Panelry3Settings, EmptyTextShowsTheFillOnly) {
    Session session("Panelry3");
    session.OpenSettings().ReplaceField("T", "").Step("key Enter").Capture("empty");
    session.Finish();

    const Dump& empty = session.DumpOf("empty");
    const DumpRect client = BannerClient(empty, "Panelry3");
    const PngImage image = session.ImageOf("empty");
    ExpectBlueGradient(image, client);
    const DumpRect ink = WhiteInk(image, client);
    EXPECT_GE(ink.left, ink.right) << "no text drawn";
}

} // namespace
} // namespace panelry_tests
