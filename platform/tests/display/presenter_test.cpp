#include "display/presenter.h"
#include "display/screen.h"
#include "display/sdl_key_map.h"

#include <SDL2/SDL_keycode.h>
#include <gtest/gtest.h>

namespace mullion {
namespace {

TEST(PresenterChoice, SdlOnlyWithAHostDisplayAndNotForcedHeadless) {
    EXPECT_EQ(&choose_presenter(":0", nullptr, nullptr), &sdl_presenter);
    EXPECT_EQ(&choose_presenter(nullptr, "wayland-0", nullptr), &sdl_presenter);
    EXPECT_EQ(&choose_presenter(":0", nullptr, "sdl"), &sdl_presenter);
    EXPECT_EQ(&choose_presenter(":0", "wayland-0", "headless"), &headless_presenter);
    EXPECT_EQ(&choose_presenter(nullptr, nullptr, nullptr), &headless_presenter);
    EXPECT_EQ(&choose_presenter("", "", nullptr), &headless_presenter);
}

// SDL's off-screen video driver stands in for a host display.
TEST(SdlPresenter, StartsShowsChangesAndStopsAgainAndAgain) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    for (int round = 0; round < 2; ++round) {
        std::string error;
        ASSERT_TRUE(sdl_presenter.start("presenter test", error)) << error;
        for (int x = 0; x < 200; ++x)
            Screen::instance().changed(RECT{x, x, x + 10, x + 10});
        sdl_presenter.stop();
    }
    sdl_presenter.stop();
    unsetenv("SDL_VIDEODRIVER");
}

TEST(SdlPresenter, AVideoDriverThatCannotStartIsReported) {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    std::string error;
    EXPECT_FALSE(sdl_presenter.start("presenter test", error));
    EXPECT_FALSE(error.empty());
    sdl_presenter.stop();
    unsetenv("SDL_VIDEODRIVER");
}

TEST(SdlKeyMap, LettersDigitsAndFunctionKeys) {
    EXPECT_EQ(virtual_key_from_sdl(SDLK_a), 0x41u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_z), 0x5Au);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_0), 0x30u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_9), 0x39u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_F1), 0x70u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_F12), 0x7Bu);
}

TEST(SdlKeyMap, EitherSideOfAModifierGivesTheGenericKey) {
    EXPECT_EQ(virtual_key_from_sdl(SDLK_LSHIFT), 0x10u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_RSHIFT), 0x10u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_LCTRL), 0x11u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_RCTRL), 0x11u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_LALT), 0x12u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_RALT), 0x12u);
}

TEST(SdlKeyMap, EditingAndCursorKeys) {
    EXPECT_EQ(virtual_key_from_sdl(SDLK_RETURN), 0x0Du);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_ESCAPE), 0x1Bu);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_TAB), 0x09u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_BACKSPACE), 0x08u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_SPACE), 0x20u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_INSERT), 0x2Du);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_DELETE), 0x2Eu);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_HOME), 0x24u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_END), 0x23u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_PAGEUP), 0x21u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_PAGEDOWN), 0x22u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_LEFT), 0x25u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_DOWN), 0x28u);
}

TEST(SdlKeyMap, PunctuationOfAUsLayout) {
    const std::pair<SDL_Keycode, UINT> expected[] = {
        {SDLK_SEMICOLON, 0xBA},    {SDLK_EQUALS, 0xBB},      {SDLK_COMMA, 0xBC},
        {SDLK_MINUS, 0xBD},        {SDLK_PERIOD, 0xBE},      {SDLK_SLASH, 0xBF},
        {SDLK_BACKQUOTE, 0xC0},    {SDLK_LEFTBRACKET, 0xDB}, {SDLK_BACKSLASH, 0xDC},
        {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE}};
    for (auto [keycode, virtual_key] : expected)
        EXPECT_EQ(virtual_key_from_sdl(keycode), virtual_key) << char(keycode);
}

TEST(SdlKeyMap, KeysTheProgramsNeverSeeMapToNothing) {
    EXPECT_EQ(virtual_key_from_sdl(SDLK_AUDIOPLAY), 0u);
    EXPECT_EQ(virtual_key_from_sdl(SDLK_UNKNOWN), 0u);
}

} // namespace
} // namespace mullion
