// Setup end to end: the Change button's directory browser and what the location dialog does
// with its choice.
#include "setup_session.h"

namespace setup_tests {
namespace {

constexpr int kInstallDir = 1003;
constexpr int kChange = 1002;
constexpr int kCurrentDir = 1008;
constexpr int kNewDir = 1015;
constexpr int kTree = 1016;

class SetupBrowseTest : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(m_session.DriveC() / "Apps" / "Tools");
        std::filesystem::create_directories(m_session.DriveC() / "Data");
        // A CD-ROM drive without a medium: its directory does not exist.
        m_session.AddDrive("D=" + (m_session.Directory() / "no-disc").string() + ":cdrom");
        m_session.Step("click \"" + kWelcomeTitle + "\"#1").Step("wait-window " + kLocationTitle);
    }

    SetupSession& OpenBrowser() {
        return m_session.Step("click \"" + kLocationTitle + "\"#" + std::to_string(kChange))
            .Step("wait-window " + kBrowseTitle);
    }

    SetupSession& Click(const std::string& title, int id) {
        return m_session.Step("click \"" + title + "\"#" + std::to_string(id));
    }

    // Location OK, then the completion dialog closed; the program then ends.
    void InstallAndEnd() {
        Click(kLocationTitle, 1).Step("wait-window " + kFinishTitle).Step("key Enter");
        m_session.Step("exit-code 1");
        const ProgramResult result = m_session.Finish(false);
        EXPECT_EQ(1, result.exit_status) << result.output;
    }

    // The top-level items of the tree by their texts.
    static std::vector<std::string> TopLevelTexts(const json& browser) {
        std::vector<std::string> texts;
        for (const auto& item : Control(browser, kTree)["items"])
            texts.push_back(item["text"].get<std::string>());
        return texts;
    }

    SetupSession m_session;
};

TEST_F(SetupBrowseTest, OpensWithTheDrivesAndTheFirstFixedDriveSelected) {
    OpenBrowser().Capture("browser");
    Click(kBrowseTitle, 2);
    InstallAndEnd();

    const json& browser = Window(m_session.DumpOf("browser"), kBrowseTitle);
    EXPECT_EQ("Current:", Text(browser, 1000));
    EXPECT_EQ("New:", Text(browser, 1010));
    EXPECT_EQ("Okay", Text(browser, 1));
    EXPECT_EQ("Stop", Text(browser, 2));
    EXPECT_EQ("C:\\", Text(browser, kCurrentDir));
    const std::vector<std::string> drives = TopLevelTexts(browser);
    ASSERT_GE(drives.size(), 2u);
    EXPECT_EQ("C:\\", drives[0]);
    EXPECT_EQ("D:\\", drives[1]);
    const json& first = Control(browser, kTree)["items"][0];
    EXPECT_TRUE(first["selected"].get<bool>());
    EXPECT_FALSE(first["expanded"].get<bool>()) << "nothing is read before it is expanded";
}

TEST_F(SetupBrowseTest, ExpandingListsSubdirectoriesAndSelectingOneIsTheResult) {
    // The tree has the focus and C:\ is selected: Right expands it, Down selects Apps.
    OpenBrowser().Step("key Right").Step("key Down").Capture("expanded");
    Click(kBrowseTitle, 1).Capture("chosen");
    InstallAndEnd();

    const json& browser = Window(m_session.DumpOf("expanded"), kBrowseTitle);
    const json& drive = Control(browser, kTree)["items"][0];
    EXPECT_TRUE(drive["expanded"].get<bool>());
    std::vector<std::string> children;
    for (const auto& item : drive["items"])
        children.push_back(item["text"].get<std::string>());
    std::sort(children.begin(), children.end());
    EXPECT_EQ((std::vector<std::string>{"Apps", "Data"}), children);
    EXPECT_EQ("C:\\" + drive["items"][0]["text"].get<std::string>(), Text(browser, kCurrentDir));

    const std::string chosen =
        Text(Window(m_session.DumpOf("chosen"), kLocationTitle), kInstallDir);
    EXPECT_EQ(Text(browser, kCurrentDir), chosen);
    const std::string name = chosen.substr(3);
    EXPECT_TRUE(std::filesystem::exists(m_session.DriveC() / name / "readme.txt"));
}

TEST_F(SetupBrowseTest, DriveWithoutAMediumCannotBeExpanded) {
    OpenBrowser().Step("key Down").Step("key Right").Capture("tried");
    Click(kBrowseTitle, 2);
    InstallAndEnd();

    const json& drive = Control(Window(m_session.DumpOf("tried"), kBrowseTitle), kTree)["items"][1];
    EXPECT_EQ("D:\\", drive["text"].get<std::string>());
    EXPECT_TRUE(drive["selected"].get<bool>());
    EXPECT_FALSE(drive["expanded"].get<bool>());
}

TEST_F(SetupBrowseTest, NewDirectoryIsAppendedAndCreatedAfterYes) {
    OpenBrowser();
    Click(kBrowseTitle, kNewDir).Step("type Fresh Dir");
    Click(kBrowseTitle, 1).Capture("question").Step("key Y");
    m_session.Capture("created");
    InstallAndEnd();

    const json* box = MessageBoxWindow(m_session.DumpOf("question"), "Setup");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ("Create this directory?", MessageBoxText(*box));
    EXPECT_EQ("C:\\Fresh Dir",
              Text(Window(m_session.DumpOf("created"), kLocationTitle), kInstallDir));
    EXPECT_TRUE(std::filesystem::exists(m_session.DriveC() / "Fresh Dir" / "readme.txt"));
}

TEST_F(SetupBrowseTest, NewDirectoryRefusedWithNoRestoresTheDefault) {
    OpenBrowser();
    Click(kBrowseTitle, kNewDir).Step("type Elsewhere");
    Click(kBrowseTitle, 1).Step("key N");
    m_session.Capture("refused");
    InstallAndEnd();

    EXPECT_EQ("C:\\Vantrel",
              Text(Window(m_session.DumpOf("refused"), kLocationTitle), kInstallDir));
    EXPECT_FALSE(std::filesystem::exists(m_session.DriveC() / "Elsewhere"));
    EXPECT_TRUE(std::filesystem::exists(m_session.DriveC() / "Vantrel" / "readme.txt"));
}

TEST_F(SetupBrowseTest, NewDirectoryFieldDropsCharactersThatAreNotAllowed) {
    OpenBrowser();
    Click(kBrowseTitle, kNewDir).Step("type a-(b.c_d").Capture("typed");
    Click(kBrowseTitle, 2);
    InstallAndEnd();

    EXPECT_EQ("a(bcd", Text(Window(m_session.DumpOf("typed"), kBrowseTitle), kNewDir));
}

TEST_F(SetupBrowseTest, WithoutAFixedDriveNothingIsChosen) {
    // Later entries of the drive list replace earlier ones: C: and Z: become removable.
    m_session.AddDrive("C=" + m_session.DriveC().string() + ":removable");
    m_session.AddDrive("Z=/:removable");
    OpenBrowser().Capture("browser");
    Click(kBrowseTitle, kNewDir).Step("type Other");
    Click(kBrowseTitle, 1).Capture("chosen");
    InstallAndEnd();

    const json& browser = Window(m_session.DumpOf("browser"), kBrowseTitle);
    EXPECT_EQ("", Text(browser, kCurrentDir));
    for (const auto& item : Control(browser, kTree)["items"])
        EXPECT_FALSE(item["selected"].get<bool>()) << item["text"];
    EXPECT_EQ("C:\\Vantrel", Text(Window(m_session.DumpOf("chosen"), kLocationTitle), kInstallDir));
    EXPECT_TRUE(std::filesystem::exists(m_session.DriveC() / "Vantrel" / "readme.txt"));
}

TEST_F(SetupBrowseTest, CancelRestoresTheDefaultNotTheEarlierChoice) {
    OpenBrowser();
    Click(kBrowseTitle, kNewDir).Step("type Data");
    Click(kBrowseTitle, 1).Capture("first");
    OpenBrowser();
    Click(kBrowseTitle, 2).Capture("cancelled");
    InstallAndEnd();

    EXPECT_EQ("C:\\Data", Text(Window(m_session.DumpOf("first"), kLocationTitle), kInstallDir));
    EXPECT_EQ("C:\\Vantrel",
              Text(Window(m_session.DumpOf("cancelled"), kLocationTitle), kInstallDir));
    EXPECT_TRUE(std::filesystem::exists(m_session.DriveC() / "Vantrel" / "readme.txt"));
}

} // namespace
} // namespace setup_tests
