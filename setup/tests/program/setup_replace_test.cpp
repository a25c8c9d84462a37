// Setup end to end: the overwrite prompt and cancelling while the copy runs.
#include "setup_session.h"

namespace setup_tests {
namespace {

// 10 April 1996, 16:59:40 and 1 January 2001, 00:05:09, both UTC (the runs' local time).
constexpr long long kNewFileTime = 829155580;
constexpr long long kOldFileTime = 978307509;
const std::string kNewContents(1536, 'n');
const std::string kOldContents = "old file!!";

class SetupReplaceTest : public testing::Test {
protected:
    void SetUp() override {
        m_session.WriteSource("Files/readme.txt", kNewContents);
        SetWriteTime(m_session.Directory() / "Files" / "readme.txt", kNewFileTime);
        PlaceOldFile("readme.txt");
    }

    // An older file already at the target.
    void PlaceOldFile(const std::string& relative) {
        const auto path = Target(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << kOldContents;
        SetWriteTime(path, kOldFileTime);
    }

    std::filesystem::path Target(const std::string& relative) const {
        return m_session.DriveC() / "Vantrel" / relative;
    }

    // Welcome OK, location OK, then the steps until the overwrite prompt is up.
    SetupSession& ToPrompt() {
        return m_session.Step("click \"" + kWelcomeTitle + "\"#1")
            .Step("wait-window " + kLocationTitle)
            .Step("click \"" + kLocationTitle + "\"#1")
            .Step("wait-window " + kReplaceTitle);
    }

    void Click(const std::string& title, int id) {
        m_session.Step("click \"" + title + "\"#" + std::to_string(id));
    }

    void FinishAfter(const std::string& lastTitle) {
        m_session.CaptureWhenShown(lastTitle, "last").Step("key Enter").Step("exit-code 1");
        const ProgramResult result = m_session.Finish(false);
        EXPECT_EQ(1, result.exit_status) << result.output;
    }

    SetupSession m_session;
};

TEST_F(SetupReplaceTest, PromptDescribesBothFilesAndTheProgressShowsTheFile) {
    ToPrompt().Capture("prompt");
    Click(kReplaceTitle, 1);
    FinishAfter(kFinishTitle);

    const Dump& dump = m_session.DumpOf("prompt");
    const json& prompt = Window(dump, kReplaceTitle);
    EXPECT_EQ("The folder already holds 'readme.txt'.", Text(prompt, 1000));
    EXPECT_EQ("Replace the file", Text(prompt, 1008));
    // The first pair of lines is the incoming file, the second the one already there.
    EXPECT_EQ("1.50 KB", Text(prompt, 1010));
    EXPECT_EQ("changed Wednesday,  April 10, 1996,  4:59:40  PM", Text(prompt, 1011));
    EXPECT_EQ("with this one?", Text(prompt, 1012));
    EXPECT_EQ("10 bytes", Text(prompt, 1013));
    EXPECT_EQ("changed Monday,  January 1, 2001,  12:05:09  AM", Text(prompt, 1014));
    EXPECT_EQ("Replace", Text(prompt, 1));
    EXPECT_EQ("All", Text(prompt, 1001));
    EXPECT_EQ("No", Text(prompt, 1006));
    EXPECT_EQ("Stop", Text(prompt, 2));

    const json& progress = Window(dump, kProgressTitle);
    EXPECT_EQ("Copying file", Text(progress, 1000));
    EXPECT_EQ("readme.txt", Text(progress, 1007));
    EXPECT_EQ("into", Text(progress, 1008));
    EXPECT_EQ("C:\\Vantrel\\readme.txt", Text(progress, 1009));
    EXPECT_EQ("Stop", Text(progress, 2));

    EXPECT_EQ(kNewContents, ReadHostFile(Target("readme.txt"))) << "Yes replaces the file";
}

TEST_F(SetupReplaceTest, LongTargetPathIsShortenedInTheMiddle) {
    const std::string longDir = "C:\\Installed Samples\\Second Level Directory\\Third Level "
                                "Directory\\Fourth Level Directory\\Fifth";
    const std::string fullTarget = longDir + "\\readme.txt";
    std::vector<std::string> ini = DefaultIniEntries();
    ini[1] = longDir;
    m_session.WriteIni(ini);
    const auto oldFile = m_session.DriveC() / "Installed Samples" / "Second Level Directory" /
                         "Third Level Directory" / "Fourth Level Directory" / "Fifth" /
                         "readme.txt";
    std::filesystem::create_directories(oldFile.parent_path());
    std::ofstream(oldFile, std::ios::binary) << kOldContents;
    ToPrompt().Capture("prompt");
    Click(kReplaceTitle, 1006);
    FinishAfter(kFinishTitle);

    const std::string shown = Text(Window(m_session.DumpOf("prompt"), kProgressTitle), 1009);
    const size_t ellipsis = shown.find("...");
    ASSERT_NE(std::string::npos, ellipsis) << shown;
    EXPECT_EQ(std::string::npos, shown.find("...", ellipsis + 3)) << "one ellipsis: " << shown;
    EXPECT_LT(shown.size(), fullTarget.size());
    const std::string head = shown.substr(0, ellipsis);
    const std::string tail = shown.substr(ellipsis + 3);
    EXPECT_EQ(fullTarget.substr(0, head.size()), head);
    EXPECT_EQ(fullTarget.substr(fullTarget.size() - tail.size()), tail);
    // Characters go from both sides of the middle in turn.
    EXPECT_LE(std::abs(static_cast<int>(head.size()) - static_cast<int>(tail.size())), 2) << shown;
}

TEST_F(SetupReplaceTest, NoSkipsTheFileAndCopiesTheRest) {
    ToPrompt();
    Click(kReplaceTitle, 1006);
    FinishAfter(kFinishTitle);
    EXPECT_EQ(kOldContents, ReadHostFile(Target("readme.txt")));
    EXPECT_EQ("notes", ReadHostFile(Target("sub/deeper/notes.txt")));
}

TEST_F(SetupReplaceTest, YesToAllReplacesEveryLaterFileWithoutAsking) {
    m_session.WriteSource("Files/sub/deeper/notes.txt", "new notes");
    PlaceOldFile("sub/deeper/notes.txt");
    ToPrompt();
    Click(kReplaceTitle, 1001);
    // A second prompt would keep the completion dialog from appearing.
    FinishAfter(kFinishTitle);
    EXPECT_EQ(kNewContents, ReadHostFile(Target("readme.txt")));
    EXPECT_EQ("new notes", ReadHostFile(Target("sub/deeper/notes.txt")));
    EXPECT_EQ(m_session.DumpOf("last").top_level(kReplaceTitle), nullptr);
}

TEST_F(SetupReplaceTest, ConfirmedCancelAtThePromptEndsWithTheCancelledNotice) {
    ToPrompt();
    Click(kReplaceTitle, 2);
    m_session.Step("wait-window " + kCancelTitle);
    Click(kCancelTitle, 1);
    FinishAfter(kCancelledTitle);

    const json& notice = Window(m_session.DumpOf("last"), kCancelledTitle);
    EXPECT_EQ("Nothing more was installed.", Text(notice, 1000));
    EXPECT_EQ("Okay", Text(notice, 1));
    EXPECT_EQ(kOldContents, ReadHostFile(Target("readme.txt"))) << "the file is not copied";
}

TEST_F(SetupReplaceTest, EscAtThePromptAsksAndDeclinedCancelReplaces) {
    ToPrompt().Step("key Esc").Step("wait-window " + kCancelTitle);
    Click(kCancelTitle, 2);
    FinishAfter(kFinishTitle);
    EXPECT_EQ(kNewContents, ReadHostFile(Target("readme.txt")));
}

TEST_F(SetupReplaceTest, ProgressCancelDuringThePromptTakesEffectWhenItIsAnswered) {
    // The top of the progress dialog's caption shows above the prompt (the progress dialog is
    // taller); a click there brings it forward.
    ToPrompt().Step("click \"" + kProgressTitle + "\" 40 -17");
    Click(kProgressTitle, 2);
    m_session.Step("wait-window " + kCancelTitle).Capture("asking");
    Click(kCancelTitle, 1);
    m_session.Capture("confirmed");
    // The prompt is wider than the progress dialog: its left border shows, and a click there
    // brings it forward again.
    m_session.Step("click \"" + kReplaceTitle + "\" -2 100");
    Click(kReplaceTitle, 1);
    FinishAfter(kCancelledTitle);

    EXPECT_FALSE(Window(m_session.DumpOf("asking"), kProgressTitle)["enabled"].get<bool>())
        << "the confirmation belongs to the progress dialog";
    const Dump& confirmed = m_session.DumpOf("confirmed");
    EXPECT_NE(confirmed.top_level(kReplaceTitle), nullptr) << "the prompt still waits";
    EXPECT_NE(confirmed.top_level(kProgressTitle), nullptr) << "the progress dialog stays";
    EXPECT_EQ(kNewContents, ReadHostFile(Target("readme.txt"))) << "Yes still copies the file";
}

} // namespace
} // namespace setup_tests
