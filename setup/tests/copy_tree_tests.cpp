// The copy of a source tree: recreation, name conversion, overwrite answers, cancel, modes.
#include "copy_test_support.h"
#include "copy_tree.h"
#include "scratch_drive.h"
#include "setup_globals.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

using scratch::read_file;
using Files = std::vector<std::string>;

TEST_F(CopyTest, ANestedTreeIsRecreated) {
    MakeSource("top.txt", "top");
    MakeSource("Docs\\guide.txt", "guide");
    MakeSource("Docs\\Deep\\Deeper\\notes.txt", "notes");
    std::filesystem::create_directories(Source("Empty"));

    RunCopy();

    EXPECT_EQ(FilesUnder(Target("")),
              (Files{"Docs\\", "Docs\\Deep\\", "Docs\\Deep\\Deeper\\",
                     "Docs\\Deep\\Deeper\\notes.txt", "Docs\\guide.txt", "Empty\\", "top.txt"}));
    EXPECT_EQ(read_file(Target("Docs\\Deep\\Deeper\\notes.txt")), "notes");
    EXPECT_EQ(read_file(Target("top.txt")), "top");
}

TEST_F(CopyTest, EveryFileIsShownWithItsTargetPath) {
    MakeSource("a.txt", "a");
    MakeSource("Sub\\b.txt", "b");
    RunCopy();

    Files names = m_feedback.shownNames;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Files{"a.txt", "b.txt"}));
    Files targets = m_feedback.shownTargets;
    std::sort(targets.begin(), targets.end());
    EXPECT_EQ(targets, (Files{m_targetDir + "\\Sub\\b.txt", m_targetDir + "\\a.txt"}));
}

TEST_F(CopyTest, UnderscoreModeConvertsFileNamesButNotDirectoryNames) {
    g_bUnderscores = TRUE;
    MakeSource("my_file_name.TXT", "data");
    MakeSource("some_dir\\read_me.txt", "read");

    RunCopy();

    EXPECT_EQ(FilesUnder(Target("")),
              (Files{"My File Name.txt", "some_dir\\", "some_dir\\Read Me.txt"}));
    EXPECT_EQ(read_file(Target("My File Name.txt")), "data");
    // The progress display shows the name as found.
    EXPECT_NE(
        std::find(m_feedback.shownNames.begin(), m_feedback.shownNames.end(), "my_file_name.TXT"),
        m_feedback.shownNames.end());
}

TEST_F(CopyTest, DirectoriesNamedWithALeadingDotAreSkipped) {
    MakeSource(".hidden\\secret.txt", "secret");
    MakeSource(".profile", "a file, not a directory");
    MakeSource("visible\\shown.txt", "shown");

    RunCopy();

    EXPECT_EQ(FilesUnder(Target("")), (Files{".profile", "visible\\", "visible\\shown.txt"}));
}

TEST_F(CopyTest, NoSkipsTheFileButStillShowsIt) {
    MakeSource("kept.txt", "new");
    scratch::write_file(Target("kept.txt"), "old contents");
    m_feedback.replaceAnswers["kept.txt"] = kReplaceNo;

    RunCopy();

    EXPECT_EQ(read_file(Target("kept.txt")), "old contents");
    EXPECT_EQ(m_feedback.shownNames, (Files{"kept.txt"}));
    ASSERT_EQ(m_feedback.questions.size(), 1u);
}

TEST_F(CopyTest, TheQuestionDescribesTheNewFileAndTheExistingOne) {
    MakeSource("report.txt", "12345");
    scratch::write_file(Target("report.txt"), "123456789");
    const std::filesystem::file_time_type oldTime =
        std::filesystem::last_write_time(Target("report.txt"));
    std::filesystem::last_write_time(Source("report.txt"), oldTime + std::chrono::hours(48));

    RunCopy();

    ASSERT_EQ(m_feedback.questions.size(), 1u);
    const CReplaceQuestion& question = m_feedback.questions[0];
    EXPECT_STREQ(question.strName, "report.txt");
    EXPECT_EQ(question.nNewSize, 5);
    EXPECT_EQ(question.nOldSize, 9);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    // Two days apart, in 100-nanosecond ticks.
    EXPECT_EQ(ticks(question.ftNewTime) - ticks(question.ftOldTime), 48LL * 3600 * 10000000);
    EXPECT_EQ(read_file(Target("report.txt")), "12345");
}

TEST_F(CopyTest, YesToAllIsNeverAskedAgainInAnyDirectory) {
    MakeSource("first.txt", "new 1");
    MakeSource("Sub\\second.txt", "new 2");
    MakeSource("Sub\\Deeper\\third.txt", "new 3");
    MakeSource("other.txt", "new 4");
    for (const char* name : {"first.txt", "Sub\\second.txt", "Sub\\Deeper\\third.txt", "other.txt"})
        scratch::write_file(Target(name), "old");
    for (const char* name : {"first.txt", "second.txt", "third.txt", "other.txt"})
        m_feedback.replaceAnswers[name] = kReplaceYesToAll;

    RunCopy();

    EXPECT_EQ(m_feedback.questions.size(), 1u);
    EXPECT_TRUE(g_bYesToAll);
    EXPECT_EQ(read_file(Target("first.txt")), "new 1");
    EXPECT_EQ(read_file(Target("Sub\\second.txt")), "new 2");
    EXPECT_EQ(read_file(Target("Sub\\Deeper\\third.txt")), "new 3");
    EXPECT_EQ(read_file(Target("other.txt")), "new 4");
}

TEST_F(CopyTest, YesReplacesAndAsksAgainForTheNextFile) {
    MakeSource("one.txt", "new 1");
    MakeSource("two.txt", "new 2");
    scratch::write_file(Target("one.txt"), "old");
    scratch::write_file(Target("two.txt"), "old");

    RunCopy();

    EXPECT_EQ(m_feedback.questions.size(), 2u);
    EXPECT_FALSE(g_bYesToAll);
    EXPECT_EQ(read_file(Target("one.txt")), "new 1");
    EXPECT_EQ(read_file(Target("two.txt")), "new 2");
}

TEST_F(CopyTest, CancelDeclinedReplacesTheFileAndGoesOn) {
    MakeSource("clash.txt", "new");
    MakeSource("Sub\\after.txt", "after");
    scratch::write_file(Target("clash.txt"), "old");
    m_feedback.replaceAnswers["clash.txt"] = kReplaceCancel;
    m_feedback.cancelAnswers = {false};

    RunCopy();

    EXPECT_EQ(m_feedback.cancelQuestions, 1);
    EXPECT_FALSE(g_bCancelled);
    EXPECT_EQ(read_file(Target("clash.txt")), "new");
    EXPECT_EQ(read_file(Target("Sub\\after.txt")), "after");
}

TEST_F(CopyTest, CancelConfirmedDeepInTheTreeStopsEveryLevel) {
    // Several files and directories at every level, so that whatever order the directory
    // listing has, some work is left at each level when the cancel comes.
    for (const char* name : {"a.txt", "b.txt", "c.txt", "L1a\\x.txt", "L1b\\y.txt", "Deep\\d1.txt",
                             "Deep\\d2.txt", "Deep\\Deeper\\e1.txt", "Deep\\Deeper\\e2.txt",
                             "Deep\\Deeper\\e3.txt", "Deep\\Deeper\\clash.txt"})
        MakeSource(name, "new");
    scratch::write_file(Target("Deep\\Deeper\\clash.txt"), "old");
    m_feedback.replaceAnswers["clash.txt"] = kReplaceCancel;
    m_feedback.cancelAnswers = {true};

    RunCopy();

    EXPECT_TRUE(g_bCancelled);
    EXPECT_EQ(WaitForSingleObject(g_cancelEvent, 0), WAIT_OBJECT_0);
    EXPECT_EQ(read_file(Target("Deep\\Deeper\\clash.txt")), "old");
    // Nothing was looked at after the cancelled file, at any level.
    ASSERT_FALSE(m_feedback.shownNames.empty());
    EXPECT_EQ(m_feedback.shownNames.back(), "clash.txt");
    // Every file in the target was shown before the cancel (or was there before).
    for (const std::string& file : FilesUnder(Target(""))) {
        if (file.back() == '\\' || file == "Deep\\Deeper\\clash.txt")
            continue;
        const std::string name = file.substr(file.rfind('\\') + 1);
        EXPECT_NE(std::find(m_feedback.shownNames.begin(), m_feedback.shownNames.end(), name),
                  m_feedback.shownNames.end())
            << file;
    }
}

TEST_F(CopyTest, ACancelledCopyDoesNotStartAgain) {
    MakeSource("a.txt", "a");
    g_bCancelled = true;
    RunCopy();
    EXPECT_TRUE(m_feedback.shownNames.empty());
    EXPECT_TRUE(FilesUnder(Target("")).empty());
}

TEST_F(CopyTest, APlainCopyClearsTheAttributesItTookOver) {
    MakeSource("locked.txt", "read only");
    ASSERT_TRUE(SetFileAttributesA((m_sourceDir + "\\locked.txt").c_str(),
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));

    RunCopy();

    const DWORD attributes = GetFileAttributesA((m_targetDir + "\\locked.txt").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE), 0u);
    EXPECT_EQ(read_file(Target("locked.txt")), "read only");
    // The copy can be replaced later: it is writable.
    SetFileAttributesA((m_sourceDir + "\\locked.txt").c_str(), 0);
}

// Compresses a file with the LZ compression tool; returns the compressed file's host path.
std::filesystem::path CompressWithTool(const std::filesystem::path& file) {
    const std::string command = "mscompress '" + file.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return file.string() + "_";
}

TEST_F(CopyTest, CompressedModeExpandsCompressedFilesAndCopiesOthersUnchanged) {
    g_bCompressed = TRUE;
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line " + std::to_string(i % 7) + " of a text that compresses well\n";
    const std::filesystem::path work = scratch::host_path(m_base + "\\work");
    scratch::write_file(work / "readme.txt", text);
    const std::filesystem::path compressed = CompressWithTool(work / "readme.txt");
    ASSERT_LT(std::filesystem::file_size(compressed), text.size());
    std::filesystem::copy_file(compressed, Source("readme.txt"));
    std::filesystem::create_directories(Source("Sub"));
    std::filesystem::copy_file(compressed, Source("Sub\\nested.txt"));
    MakeSource("plain.dat", std::string("plain \0 bytes", 13));

    RunCopy();

    EXPECT_FALSE(g_bCopyFailed);
    EXPECT_EQ(read_file(Target("readme.txt")), text);
    EXPECT_EQ(read_file(Target("Sub\\nested.txt")), text);
    EXPECT_EQ(read_file(Target("plain.dat")), std::string("plain \0 bytes", 13));
}

TEST_F(CopyTest, CompressedModeKeepsTheConvertedTargetName) {
    g_bCompressed = TRUE;
    g_bUnderscores = TRUE;
    const std::filesystem::path work = scratch::host_path(m_base + "\\work");
    scratch::write_file(work / "read_me.txt", "expanded text expanded text expanded text");
    // The name recorded inside the compressed file is not used; the converted one is.
    std::filesystem::copy_file(CompressWithTool(work / "read_me.txt"), Source("read_me.txt"));

    RunCopy();

    EXPECT_EQ(FilesUnder(Target("")), (Files{"Read Me.txt"}));
    EXPECT_EQ(read_file(Target("Read Me.txt")), "expanded text expanded text expanded text");
}

class UncreatableTargetTest : public CopyTest {
protected:
    // A target directory under a regular file: nothing can be created there.
    void CopyIntoUncreatableTarget() {
        MakeSource("a.txt", "a");
        MakeSource("Sub\\b.txt", "b");
        scratch::write_file(scratch::host_path(m_base + "\\blocker"), "a file");
        CopyTree((m_base + "\\blocker\\dst").c_str(), m_feedback);
        EXPECT_EQ(CurrentDirectory(), m_sourceDir);
    }
};

TEST_F(UncreatableTargetTest, PlainModeFailsSilently) {
    CopyIntoUncreatableTarget();
    EXPECT_FALSE(g_bCopyFailed);
    EXPECT_EQ(m_feedback.shownNames.size(), 2u);
}

TEST_F(UncreatableTargetTest, CompressedModeSetsTheCopyFailedFlag) {
    g_bCompressed = TRUE;
    CopyIntoUncreatableTarget();
    EXPECT_TRUE(g_bCopyFailed);
    EXPECT_EQ(m_feedback.shownNames.size(), 2u);
}

} // namespace
