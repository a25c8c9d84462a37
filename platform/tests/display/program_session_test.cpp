#include "display/program_session.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace mullion {
namespace {

class ProgramSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        script_path = (std::filesystem::temp_directory_path() /
                       ("mullion_session_" + std::to_string(getpid()) + ".script"))
                          .string();
        setenv("MULLION_DISPLAY", "headless", 1);
    }
    void TearDown() override {
        std::remove(script_path.c_str());
        unsetenv("MULLION_SCRIPT");
        unsetenv("MULLION_SNAPSHOT");
    }
    void write_script(const char* text) {
        std::FILE* file = std::fopen(script_path.c_str(), "w");
        std::fputs(text, file);
        std::fclose(file);
        setenv("MULLION_SCRIPT", script_path.c_str(), 1);
    }
    std::string script_path;
    char program[8] = "prog";
    char spaced[8] = "a b";
    char plain[8] = "c";
    char* argv[4] = {program, spaced, plain, nullptr};
};

TEST_F(ProgramSessionTest, ASyntaxErrorStopsThePlatformWithStatusTwo) {
    write_script("idle\n\nbogus 1 2\n");
    EXPECT_EXIT(ProgramSession(3, argv), ::testing::ExitedWithCode(2),
                "script .*mullion_session_.*\\.script:3: unknown step \"bogus\"");
}

TEST_F(ProgramSessionTest, AnUnreadableScriptStopsThePlatformWithStatusTwo) {
    setenv("MULLION_SCRIPT", "/nonexistent/dir/steps.script", 1);
    EXPECT_EXIT(ProgramSession(3, argv), ::testing::ExitedWithCode(2),
                "script /nonexistent/dir/steps.script: cannot be read");
}

TEST_F(ProgramSessionTest, WinMainGetsTheArgumentsAfterTheProgramsName) {
    // In a child process: the session records the arguments for the whole process.
    EXPECT_EXIT(
        {
            ProgramSession session(3, argv);
            bool quoted = session.arguments_line() == "\"a b\" c";
            bool whole = std::string(GetCommandLineA()) == "prog \"a b\" c";
            std::_Exit(quoted && whole && session.finish(5) == 5 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(ProgramSessionTest, ExitProcessEndsThroughTheScriptsExitCodeCheck) {
    write_script("exit-code 4\n");
    EXPECT_EXIT(
        {
            ProgramSession session(3, argv);
            ExitProcess(5);
        },
        ::testing::ExitedWithCode(3), "ended with 5, expected 4");
}

} // namespace
} // namespace mullion
