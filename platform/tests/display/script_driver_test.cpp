#include "display/script_driver.h"

#include <gtest/gtest.h>

namespace mullion {
namespace {

Script parsed(std::string_view text) {
    ScriptParseResult result = parse_script(text, "t.script");
    EXPECT_FALSE(result.error);
    return result.script;
}

TEST(ScriptDriverExitCode, AMatchingExitCodeLetsTheProgramEndNormally) {
    ScriptDriver driver(parsed("exit-code 7"));
    driver.start();
    driver.program_ended(7);
}

TEST(ScriptDriverExitCode, AMismatchEndsTheProcessWithStatusThreeNamingTheLine) {
    EXPECT_EXIT(
        {
            ScriptDriver driver(parsed("# check\nexit-code 7"));
            driver.start();
            driver.program_ended(6);
        },
        ::testing::ExitedWithCode(3), "script t.script:2: .*ended with 6, expected 7");
}

TEST(ScriptDriverExitCode, StepsAfterTheEndAreSkippedButExitCodesStillChecked) {
    // Once the program has ended there is nothing to click or type into.
    EXPECT_EXIT(
        {
            ScriptDriver driver(parsed("sleep 600000\nclick 5 5\nexit-code 1\nexit-code 2"));
            driver.start();
            driver.program_ended(1);
        },
        ::testing::ExitedWithCode(3), "t.script:4: .*ended with 1, expected 2");
}

TEST(ScriptDriverQuit, EndsTheProcessWithStatusZero) {
    EXPECT_EXIT(
        {
            {
                // Leaving the scope joins the driver, which ends the process first.
                ScriptDriver driver(parsed("sleep 0\nquit"));
                driver.start();
            }
            std::_Exit(9);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace mullion
