#include "copy_test_support.h"

#include "copy_tree.h"
#include "copy_worker.h"
#include "scratch_drive.h"
#include "setup_globals.h"

#include <algorithm>

void ScriptedFeedback::ShowCurrentFile(const CString& strSourceName, const CString& strTargetPath) {
    shownNames.emplace_back(static_cast<LPCSTR>(strSourceName));
    shownTargets.emplace_back(static_cast<LPCSTR>(strTargetPath));
}

ReplaceAnswer ScriptedFeedback::AskReplace(const CReplaceQuestion& question) {
    questions.push_back(question);
    const auto answer = replaceAnswers.find(static_cast<LPCSTR>(question.strName));
    return answer == replaceAnswers.end() ? kReplaceYes : answer->second;
}

BOOL ScriptedFeedback::ConfirmCancel() {
    ++cancelQuestions;
    if (cancelAnswers.empty())
        return TRUE;
    const bool confirmed = cancelAnswers.front();
    cancelAnswers.pop_front();
    return confirmed;
}

void ScriptedFeedback::ShowMissingSource(const CString& strMessage) {
    missingSourceMessages.emplace_back(static_cast<LPCSTR>(strMessage));
}

void CopyTest::SetUp() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    m_base = std::string("C:\\") + info->test_suite_name() + "_" + info->name();
    m_sourceDir = m_base + "\\src";
    m_targetDir = m_base + "\\dst";
    std::filesystem::remove_all(scratch::host_path(m_base));
    std::filesystem::create_directories(scratch::host_path(m_sourceDir));
    std::filesystem::create_directories(scratch::host_path(m_targetDir));

    g_bCompressed = FALSE;
    g_bUnderscores = FALSE;
    g_bYesToAll = FALSE;
    g_bCopyFailed = FALSE;
    g_bCancelled = false;
    CreateCopyEvents();

    m_startDirectory = CurrentDirectory();
    ASSERT_TRUE(SetCurrentDirectoryA(m_sourceDir.c_str()));
}

void CopyTest::TearDown() {
    SetCurrentDirectoryA(m_startDirectory.c_str());
    CloseCopyEvents();
}

std::filesystem::path CopyTest::Source(const std::string& relative) const {
    return scratch::host_path(m_sourceDir + "\\" + relative);
}

std::filesystem::path CopyTest::Target(const std::string& relative) const {
    return scratch::host_path(m_targetDir + "\\" + relative);
}

void CopyTest::MakeSource(const std::string& relative, const std::string& contents) {
    scratch::write_file(Source(relative), contents);
}

std::string CopyTest::CurrentDirectory() const {
    char szDirectory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, szDirectory);
    return szDirectory;
}

void CopyTest::RunCopy() {
    CopyTree(m_targetDir.c_str(), m_feedback);
    EXPECT_EQ(CurrentDirectory(), m_sourceDir);
}

std::vector<std::string> FilesUnder(const std::filesystem::path& root) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        std::string relative = std::filesystem::relative(entry.path(), root).string();
        std::replace(relative.begin(), relative.end(), '/', '\\');
        files.push_back(entry.is_directory() ? relative + "\\" : relative);
    }
    std::sort(files.begin(), files.end());
    return files;
}
