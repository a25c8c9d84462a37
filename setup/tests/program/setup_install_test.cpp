// Setup end to end: the location dialog, the copy, the completion and the cancel paths.
#include "setup_session.h"

namespace setup_tests {
namespace {

const std::string kMissingSourceMessage =
    "The book's files are supposed to be in a directory named 'Missing'. Setup can't find this "
    "directory so it's exiting.";

// Welcome OK, then the location dialog.
SetupSession& ToLocation(SetupSession& session) {
    return session.Step("click \"" + kWelcomeTitle + "\"#1").Step("wait-window " + kLocationTitle);
}

void ExpectEndedWithExitCodeOne(SetupSession& session) {
    session.Step("exit-code 1");
    const ProgramResult result = session.Finish(false);
    EXPECT_EQ(1, result.exit_status) << result.output;
}

TEST(SetupInstall, LocationOkCopiesTheTreeAndShowsTheFinishDialog) {
    SetupSession session;
    ToLocation(session)
        .Capture("location")
        .Step("click \"" + kLocationTitle + "\"#1")
        .CaptureWhenShown(kFinishTitle, "finish")
        .Step("click \"" + kFinishTitle + "\"#1");
    ExpectEndedWithExitCodeOne(session);

    const Dump& location = session.DumpOf("location");
    const json& dialog = Window(location, kLocationTitle);
    EXPECT_EQ("Vantrel Samples will be installed here:", Text(dialog, 1000));
    EXPECT_EQ("C:\\Vantrel", Text(dialog, 1003));
    EXPECT_EQ("Okay", Text(dialog, 1));
    EXPECT_EQ("Stop", Text(dialog, 2));
    EXPECT_TRUE(Window(location, "Setup")["enabled"].get<bool>()) << "the dialog is modeless";

    const json& finish = Window(session.DumpOf("finish"), kFinishTitle);
    EXPECT_EQ("Vantrel Samples is now installed.", Text(finish, 1000));
    EXPECT_EQ("Okay", Text(finish, 1));
    EXPECT_EQ(session.DumpOf("finish").top_level(kProgressTitle), nullptr);

    const auto target = session.DriveC() / "Vantrel";
    EXPECT_EQ("Read me first.\n", ReadHostFile(target / "readme.txt"));
    EXPECT_EQ(std::string(3000, 'd'), ReadHostFile(target / "sub" / "data.bin"));
    EXPECT_EQ("notes", ReadHostFile(target / "sub" / "deeper" / "notes.txt"));
    EXPECT_FALSE(std::filesystem::exists(target / ".hidden")) << "dot directories are skipped";
}

TEST(SetupInstall, UnderscoreModeRenamesTheInstalledFiles) {
    SetupSession session;
    std::vector<std::string> ini = DefaultIniEntries();
    ini[7] = "Underscores";
    session.WriteIni(ini);
    session.WriteSource("Files/my_file_name.TXT", "x");
    ToLocation(session)
        .Step("click \"" + kLocationTitle + "\"#1")
        .Step("wait-window " + kFinishTitle)
        .Step("key Enter");
    ExpectEndedWithExitCodeOne(session);

    EXPECT_TRUE(std::filesystem::exists(session.DriveC() / "Vantrel" / "My File Name.txt"));
    EXPECT_TRUE(std::filesystem::exists(session.DriveC() / "Vantrel" / "Readme.txt"));
}

TEST(SetupInstall, ConfirmedLocationCancelEndsWithoutCopying) {
    SetupSession session;
    ToLocation(session)
        .Step("click \"" + kLocationTitle + "\"#2")
        .CaptureWhenShown(kCancelTitle, "confirm")
        .Step("click \"" + kCancelTitle + "\"#1");
    ExpectEndedWithExitCodeOne(session);

    const json& confirm = Window(session.DumpOf("confirm"), kCancelTitle);
    EXPECT_EQ("Do you really want to stop?", Text(confirm, 1000));
    EXPECT_EQ("Okay", Text(confirm, 1));
    EXPECT_EQ("Stop", Text(confirm, 2));
    EXPECT_FALSE(std::filesystem::exists(session.DriveC() / "Vantrel"));
}

TEST(SetupInstall, DeclinedLocationCancelKeepsTheDialogUsable) {
    SetupSession session;
    ToLocation(session)
        .Step("key Esc")
        .Step("wait-window " + kCancelTitle)
        .Step("click \"" + kCancelTitle + "\"#2")
        .Capture("declined")
        .Step("click \"" + kLocationTitle + "\"#1")
        .Step("wait-window " + kFinishTitle)
        .Step("key Enter");
    ExpectEndedWithExitCodeOne(session);

    const Dump& declined = session.DumpOf("declined");
    EXPECT_NE(declined.top_level(kLocationTitle), nullptr);
    EXPECT_EQ(declined.top_level(kCancelTitle), nullptr);
    EXPECT_TRUE(std::filesystem::exists(session.DriveC() / "Vantrel" / "readme.txt"));
}

TEST(SetupInstall, ClosingTheBackdropDuringTheLocationDialogEnds) {
    SetupSession session;
    ToLocation(session).Step("click \"Setup\" 200 200").Step("key Alt+F4");
    ExpectEndedWithExitCodeOne(session);
    EXPECT_FALSE(std::filesystem::exists(session.DriveC() / "Vantrel"));
}

TEST(SetupInstall, TooLittleFreeSpaceShowsTheMessageAndEnds) {
    SetupSession session;
    session.SetFreeBytes(59904); // below the 60000 bytes of Setup.ini entry 6
    ToLocation(session)
        .Step("click \"" + kLocationTitle + "\"#1")
        .CaptureWhenShown("Disk Full", "full")
        .Step("key Enter");
    ExpectEndedWithExitCodeOne(session);

    const json* box = MessageBoxWindow(session.DumpOf("full"), "Disk Full");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ("There is not enough room.", MessageBoxText(*box));
    EXPECT_EQ(session.DumpOf("full").top_level(kLocationTitle), nullptr);
    EXPECT_FALSE(std::filesystem::exists(session.DriveC() / "Vantrel"));
}

TEST(SetupInstall, FreeSpaceEqualToTheRequirementIsEnough) {
    SetupSession session;
    std::vector<std::string> ini = DefaultIniEntries();
    ini[5] = "61440"; // 120 sectors of 512 bytes
    session.WriteIni(ini);
    session.SetFreeBytes(61440);
    ToLocation(session)
        .Step("click \"" + kLocationTitle + "\"#1")
        .Step("wait-window " + kFinishTitle)
        .Step("key Enter");
    ExpectEndedWithExitCodeOne(session);
    EXPECT_TRUE(std::filesystem::exists(session.DriveC() / "Vantrel" / "readme.txt"));
}

TEST(SetupInstall, MissingSourceIsReportedAndTheSequenceFinishes) {
    SetupSession session;
    std::vector<std::string> ini = DefaultIniEntries();
    ini[0] = "Missing";
    session.WriteIni(ini);
    ToLocation(session)
        .Step("click \"" + kLocationTitle + "\"#1")
        .CaptureAfterCopy("missing")
        .Step("key Enter")
        .CaptureWhenShown(kFinishTitle, "finish")
        .Step("key Enter");
    ExpectEndedWithExitCodeOne(session);

    const json* box = MessageBoxWindow(session.DumpOf("missing"), "Setup");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(kMissingSourceMessage, MessageBoxText(*box));
    EXPECT_TRUE(std::filesystem::is_directory(session.DriveC() / "Vantrel"))
        << "the install directory is made before the source is looked for";
}

TEST(SetupInstall, FailedExpansionIsReportedInsteadOfTheFinishDialog) {
    SetupSession session;
    std::vector<std::string> ini = DefaultIniEntries();
    ini[6] = "compressed";
    session.WriteIni(ini);
    // A directory in the place of a target file: the expansion cannot create the file.
    std::filesystem::create_directories(session.DriveC() / "Vantrel" / "readme.txt");
    ToLocation(session)
        .Step("click \"" + kLocationTitle + "\"#1")
        .Step("wait-window " + kReplaceTitle)
        .Step("click \"" + kReplaceTitle + "\"#1")
        .CaptureAfterCopy("failed")
        .Step("key Enter");
    ExpectEndedWithExitCodeOne(session);

    const json* box = MessageBoxWindow(session.DumpOf("failed"), "Setup");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ("A file could not be expanded.", MessageBoxText(*box));
    EXPECT_EQ(session.DumpOf("failed").top_level(kFinishTitle), nullptr);
    // The other files are still expanded (copied unchanged: they are not compressed).
    EXPECT_EQ("notes", ReadHostFile(session.DriveC() / "Vantrel" / "sub" / "deeper" / "notes.txt"));
}

TEST(SetupInstall, DesktopShortcutPointsAtTheInstallDirectory) {
    SetupSession session;
    std::vector<std::string> ini = DefaultIniEntries();
    ini[3] = "Desktop";
    session.WriteIni(ini);
    std::filesystem::create_directories(session.Directory() / "config");
    std::filesystem::create_directories(session.Directory() / "desk");
    std::ofstream(session.Directory() / "config" / "user-dirs.dirs")
        << "XDG_DESKTOP_DIR=\"$HOME/desk\"\n";
    ToLocation(session)
        .Step("click \"" + kLocationTitle + "\"#1")
        .Step("wait-window " + kFinishTitle)
        .Step("key Enter");
    ExpectEndedWithExitCodeOne(session);

    const std::string link = ReadHostFile(session.Directory() / "desk" / "Vantrel.Lnk");
    ASSERT_FALSE(link.empty());
    EXPECT_NE(std::string::npos, link.find("C:\\Vantrel")) << "the link names its target";
}

} // namespace
} // namespace setup_tests
