// Setup end to end: the configuration files, the backdrop and the welcome dialog.
#include "setup_session.h"

namespace setup_tests {
namespace {

// The program ends by itself once the message is acknowledged, with exit code 1.
void ExpectEndsWithMessage(SetupSession& session, const std::string& message) {
    session.Capture("message").Step("key Enter").Step("exit-code 1");
    const ProgramResult result = session.Finish(false);
    EXPECT_EQ(1, result.exit_status) << result.output;

    const Dump& dump = session.DumpOf("message");
    const json* box = MessageBoxWindow(dump, "Setup");
    ASSERT_NE(box, nullptr) << dump.json().dump();
    EXPECT_EQ(message, MessageBoxText(*box));
    EXPECT_EQ(1u, dump.json()["windows"].size()) << "no window but the message";
}

TEST(SetupStart, MissingIniEndsAtOnce) {
    SetupSession session;
    session.RemoveFile("Setup.ini");
    ExpectEndsWithMessage(session, "Can't find SETUP.INI.");
}

TEST(SetupStart, MissingTextEndsAtOnce) {
    SetupSession session;
    session.RemoveFile("Setup.txt");
    ExpectEndsWithMessage(session, "Can't find SETUP.TXT.");
}

TEST(SetupStart, IniWarningsComeBeforeTheMissingTextMessage) {
    SetupSession session;
    std::vector<std::string> ini = DefaultIniEntries();
    ini[3] = "DESK TOP";
    session.WriteIni(ini);
    session.RemoveFile("Setup.txt");
    session.Capture("warning").Step("key Enter").Step("key Enter");
    ExpectEndsWithMessage(session, "Can't find SETUP.TXT.");

    const json* warning = MessageBoxWindow(session.DumpOf("warning"), "Setup");
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ("The 'DESK TOP' entry in SETUP.INI looks suspicious.\nIt should be either 'NULL,' "
              "'Favorites,' 'My Documents,' or 'Desktop.'",
              MessageBoxText(*warning));
}

TEST(SetupStart, BackdropPaintsTheGradientRowByRow) {
    SetupSession session;
    session.Capture("welcome");
    session.Finish();

    const Dump& dump = session.DumpOf("welcome");
    const json& backdrop = Window(dump, "Setup");
    const DumpRect rect = Dump::rect(backdrop);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(1024, rect.right) << "as wide as the screen";
    // A caption and a system menu; no sizing border, no minimize or maximize box.
    EXPECT_EQ(0x00C80000u, backdrop["style"].get<unsigned>() & 0x00CF0000u);

    const DumpRect client = Dump::client(backdrop);
    const PngImage image = session.ImageOf("welcome");
    const int height = client.height();
    ASSERT_GT(height, 256) << "a tall client area repeats brushes";
    for (int y = 0; y < height; ++y) {
        const uint32_t expected = rgb_pixel(0, 0, 255 - (255 * y) / height);
        // Left of the title, and at the right edge: no dialog covers either.
        ASSERT_EQ(expected, image.pixel(client.left + 10, client.top + y)) << "row " << y;
        ASSERT_EQ(expected, image.pixel(client.right - 1, client.top + y)) << "row " << y;
    }
}

TEST(SetupStart, BackdropTitleIsWhiteWithABlackShadow) {
    SetupSession session;
    session.Capture("welcome");
    session.Finish();

    const DumpRect client = Dump::client(Window(session.DumpOf("welcome"), "Setup"));
    const PngImage image = session.ImageOf("welcome");
    const uint32_t white = rgb_pixel(255, 255, 255);
    const uint32_t black = rgb_pixel(0, 0, 0);
    int whitePixels = 0;
    int blackPixels = 0;
    DumpRect ink{client.right, client.bottom, client.left, client.top};
    for (int y = client.top; y < client.top + 120; ++y) {
        for (int x = client.left; x < client.left + 600; ++x) {
            const uint32_t pixel = image.pixel(x, y);
            blackPixels += pixel == black;
            if (pixel != white)
                continue;
            ++whitePixels;
            ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                   std::max(ink.bottom, y + 1)};
            // The shadow lies 4 pixels down and to the right, unless the title covers it.
            const uint32_t shadow = image.pixel(x + 4, y + 4);
            ASSERT_TRUE(shadow == black || shadow == white) << "at " << x << "," << y;
        }
    }
    EXPECT_GT(whitePixels, 200) << "the title is drawn";
    EXPECT_GT(blackPixels, 50) << "with its shadow";
    EXPECT_GE(ink.left - client.left, 46);
    EXPECT_GE(ink.top - client.top, 46);
    EXPECT_LT(ink.top - client.top, 60) << "a 28-pixel font drawn at y 46";
}

TEST(SetupStart, MissingTitleEntryPaintsTheGradientOnly) {
    SetupSession session;
    // Blank lines take no number, so only a file that ends before entry 3 leaves it empty.
    session.WriteText({"Okay", "Stop"});
    session.Capture("welcome");
    session.Finish();

    const DumpRect client = Dump::client(Window(session.DumpOf("welcome"), "Setup"));
    const PngImage image = session.ImageOf("welcome");
    for (int y = 40; y < 90; ++y)
        for (int x = 40; x < 300; ++x)
            ASSERT_EQ(rgb_pixel(0, 0, 255 - (255 * y) / client.height()),
                      image.pixel(client.left + x, client.top + y))
                << "at " << x << "," << y;
}

TEST(SetupStart, WelcomeShowsItsEntriesAndIgnoresEsc) {
    SetupSession session;
    session.Capture("welcome").Step("key Esc").Capture("after-esc");
    session.Finish();

    const Dump& dump = session.DumpOf("welcome");
    const json& welcome = Window(dump, kWelcomeTitle);
    EXPECT_EQ("Welcome to the Vantrel Samples installer. 100% free.", Text(welcome, 1000));
    EXPECT_EQ("Okay", Text(welcome, 1));
    EXPECT_FALSE(Window(dump, "Setup")["enabled"].get<bool>()) << "the dialog is modal";
    // Centred on the backdrop.
    const DumpRect outer = Dump::rect(Window(dump, "Setup"));
    const DumpRect inner = Dump::rect(welcome);
    EXPECT_NEAR((outer.left + outer.right) / 2, (inner.left + inner.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (inner.top + inner.bottom) / 2, 1);

    EXPECT_NE(session.DumpOf("after-esc").top_level(kWelcomeTitle), nullptr);
}

} // namespace
} // namespace setup_tests
