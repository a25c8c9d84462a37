#include "screen_capture.h"

#include "program_run.h"

#include <gtest/gtest.h>

namespace mullion::testing {

ScreenCapture run_and_capture(const std::string& program, const std::string& steps) {
    ProgramRun run(program);
    const auto result =
        run.run_script("idle\n" + steps + "idle\ndump state.json\nshot state.png\nquit\n");
    EXPECT_FALSE(result.timed_out) << result.output;
    return {Dump::load(run.file("state.json")), PngImage::load(run.file("state.png"))};
}

} // namespace mullion::testing
