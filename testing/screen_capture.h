#pragma once

#include "dump.h"
#include "png_image.h"

#include <string>

namespace mullion::testing {

// What the screen showed at the end of a scripted run: the window dump and the snapshot.
struct ScreenCapture {
    Dump dump;
    PngImage image;
};

// Runs the program headless, performs the steps, then dumps and photographs the screen once
// everything is idle, and quits.
ScreenCapture run_and_capture(const std::string& program, const std::string& steps = "");

} // namespace mullion::testing
