#include "kernel/process.h"

#include "windows.h"

#include <gtest/gtest.h>

#include <cstring>

namespace mullion {
namespace {

TEST(CommandLine, PlainArgumentsAreJoinedByBlanks) {
    EXPECT_EQ(join_command_line({"setup", "/q", "C:\\dir"}), "setup /q C:\\dir");
}

TEST(CommandLine, ArgumentsWithBlanksOrNothingAreQuoted) {
    EXPECT_EQ(join_command_line({"prog", "two words", ""}), "prog \"two words\" \"\"");
    EXPECT_EQ(join_command_line({"a\tb"}), "\"a\tb\"");
}

TEST(CommandLine, QuotesAndTheBackslashesBeforeThemAreEscaped) {
    // Splitting rules of the Win32 command line: 2n backslashes before a quote stand for n,
    // 2n+1 for n and a literal quote; other backslashes are literal.
    EXPECT_EQ(join_command_line({"say \"hi\""}), R"("say \"hi\"")");
    EXPECT_EQ(join_command_line({"C:\\my dir\\"}), R"("C:\my dir\\")");
    EXPECT_EQ(join_command_line({"a\\\"b"}), R"("a\\\"b")");
}

TEST(Process, GetCommandLineAStartsWithTheProgram) {
    // Until main() records its arguments they come from the system: this test program's.
    std::string line = GetCommandLineA();
    std::string invoked = program_invocation_name;
    EXPECT_EQ(line.substr(0, invoked.size()), invoked);
    EXPECT_EQ(Process::instance().program_name(), program_invocation_short_name);
}

TEST(Process, StartupInfoAsksForANormalWindow) {
    STARTUPINFOA info;
    std::memset(&info, 0xAB, sizeof info);
    GetStartupInfoA(&info);
    EXPECT_EQ(info.cb, sizeof(STARTUPINFOA));
    EXPECT_TRUE(info.dwFlags & STARTF_USESHOWWINDOW);
    EXPECT_EQ(info.wShowWindow, SW_SHOWNORMAL);
}

TEST(Process, ExitProcessRunsTheExitHookAndEndsWithItsStatus) {
    EXPECT_EXIT(
        {
            Process::instance().set_exit_hook([](int code) { return code + 1; });
            ExitProcess(41);
        },
        ::testing::ExitedWithCode(42), "");
}

} // namespace
} // namespace mullion
