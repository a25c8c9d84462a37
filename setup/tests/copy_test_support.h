// What the copy tests share: a feedback with scripted answers that records what the copy
// showed and asked, and a fixture with a source and a target tree on the scratch drive.
#pragma once

#include "copy_feedback.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

class ScriptedFeedback : public CCopyFeedback {
public:
    void ShowCurrentFile(const CString& strSourceName, const CString& strTargetPath) override;
    ReplaceAnswer AskReplace(const CReplaceQuestion& question) override;
    BOOL ConfirmCancel() override;
    void ShowMissingSource(const CString& strMessage) override;

    // Answers for the overwrite prompt by file name; a file without one is answered Yes.
    std::map<std::string, ReplaceAnswer> replaceAnswers;
    // Answers for the cancel confirmation, in order; confirmed when none is left.
    std::deque<bool> cancelAnswers;

    std::vector<std::string> shownNames;
    std::vector<std::string> shownTargets;
    std::vector<CReplaceQuestion> questions;
    int cancelQuestions = 0;
    std::vector<std::string> missingSourceMessages;
};

// Each test gets C:\<test name>\src and C:\<test name>\dst, fresh copy flags and events, and
// starts with src as the current directory.
class CopyTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Host path of a file or directory under src or dst ("sub\\file.txt" style or plain).
    std::filesystem::path Source(const std::string& relative) const;
    std::filesystem::path Target(const std::string& relative) const;
    void MakeSource(const std::string& relative, const std::string& contents);

    std::string CurrentDirectory() const;
    // Copies src into dst; checks the current directory is src again afterwards.
    void RunCopy();

    std::string m_base;      // C:\<test name>
    std::string m_sourceDir; // C:\<test name>\src
    std::string m_targetDir; // C:\<test name>\dst
    ScriptedFeedback m_feedback;
    std::string m_startDirectory;
};

std::vector<std::string> FilesUnder(const std::filesystem::path& root);
