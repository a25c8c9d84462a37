#include "display/screen.h"
#include "display/screen_mode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

namespace mullion {
namespace {

TEST(ScreenMode, ParsesSizeAndDepth) {
    EXPECT_EQ(parse_screen_mode("800x600"), (ScreenMode{800, 600, 32}));
    EXPECT_EQ(parse_screen_mode("640X480"), (ScreenMode{640, 480, 32}));
    EXPECT_EQ(parse_screen_mode("640x480x8"), (ScreenMode{640, 480, 8}));
    EXPECT_EQ(parse_screen_mode("1280x1024x32"), (ScreenMode{1280, 1024, 32}));
}

TEST(ScreenMode, RefusesMalformedValues) {
    for (const char* text :
         {"", "800", "800x", "x600", "800x600x", "800x600x16", "800x600x8x1", "0x600", "800x-1",
          "-800x600", "800 x 600", "800x600 ", "axb", "99999x600", "800*600"})
        EXPECT_FALSE(parse_screen_mode(text).has_value()) << '"' << text << '"';
}

class ScreenModeEnvironment : public ::testing::Test {
protected:
    void TearDown() override { unsetenv("MULLION_SCREEN"); }
};

TEST_F(ScreenModeEnvironment, UnsetGivesTheDefaultQuietly) {
    unsetenv("MULLION_SCREEN");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(screen_mode_from_environment(), (ScreenMode{1024, 768, 32}));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(ScreenModeEnvironment, ValidValueIsUsed) {
    setenv("MULLION_SCREEN", "320x200x8", 1);
    EXPECT_EQ(screen_mode_from_environment(), (ScreenMode{320, 200, 8}));
}

TEST_F(ScreenModeEnvironment, BadValueFallsBackToTheDefaultWithAMessage) {
    setenv("MULLION_SCREEN", "huge", 1);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(screen_mode_from_environment(), (ScreenMode{1024, 768, 32}));
    std::string message = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("MULLION_SCREEN"), std::string::npos) << message;
}

// The screen is one per process; each test starts from an empty change area.
class ScreenChanges : public ::testing::Test {
protected:
    void SetUp() override { screen.take_changes(); }
    void TearDown() override { screen.set_change_callback(nullptr); }
    Screen& screen = Screen::instance();
};

bool same_rect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(ScreenChanges, TheScreenHasTheDefaultSizeAndGuardsItsSurfaceWithItsLock) {
    EXPECT_EQ(screen.width(), 1024);
    EXPECT_EQ(screen.height(), 768);
    EXPECT_EQ(screen.bits_per_pixel(), 32);
    EXPECT_EQ(screen.surface().lock(), &screen.lock());
}

TEST_F(ScreenChanges, ChangesAccumulateAsTheirBoundingRectangle) {
    screen.changed(RECT{10, 20, 30, 40});
    screen.changed(RECT{100, 5, 110, 25});
    EXPECT_TRUE(same_rect(screen.take_changes(), RECT{10, 5, 110, 40}));
    EXPECT_TRUE(same_rect(screen.take_changes(), RECT{0, 0, 0, 0}));
}

TEST_F(ScreenChanges, ChangesAreClippedToTheScreenAndEmptyOnesIgnored) {
    screen.changed(RECT{-50, -50, 10, 10});
    screen.changed(RECT{1000, 700, 5000, 5000});
    screen.changed(RECT{300, 300, 300, 400});
    EXPECT_TRUE(same_rect(screen.take_changes(), RECT{0, 0, 1024, 768}));
    screen.changed(RECT{2000, 2000, 2100, 2100});
    EXPECT_TRUE(same_rect(screen.take_changes(), RECT{0, 0, 0, 0}));
}

int callback_calls = 0;

TEST_F(ScreenChanges, DrawingNotifiesThroughTheSurfaceAndCallsTheCallback) {
    callback_calls = 0;
    screen.set_change_callback([] { ++callback_calls; });
    screen.surface().notify_changed(RECT{1, 2, 3, 4});
    EXPECT_EQ(callback_calls, 1);
    EXPECT_TRUE(same_rect(screen.take_changes(), RECT{1, 2, 3, 4}));
}

TEST_F(ScreenChanges, WaitingForAChangeWakesWhenOneArrives) {
    uint64_t seen = screen.change_count();
    auto far_deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
    std::thread drawer([this] { screen.changed(RECT{0, 0, 1, 1}); });
    EXPECT_TRUE(screen.wait_for_change(seen, far_deadline));
    drawer.join();
    EXPECT_NE(screen.change_count(), seen);
}

TEST_F(ScreenChanges, WaitingWithoutAChangeEndsAtTheDeadline) {
    uint64_t seen = screen.change_count();
    EXPECT_FALSE(screen.wait_for_change(seen, std::chrono::steady_clock::now()));
    screen.wake_change_waiters();
    EXPECT_TRUE(screen.wait_for_change(seen, std::chrono::steady_clock::now()));
}

} // namespace
} // namespace mullion
