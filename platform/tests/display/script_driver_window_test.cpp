// The driver against a window of this process: input reaches the window where the script says,
// and the dump describes what is on the screen.
#include "display/script_driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace mullion {
namespace {

constexpr int child_id = 42;

struct Received {
    std::vector<std::pair<HWND, POINT>> clicks; // window and client position of WM_LBUTTONDOWN
    std::string characters;                     // WM_CHAR
    std::vector<WPARAM> keys;                   // WM_KEYDOWN
};
Received received;

LRESULT CALLBACK record_input(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        received.clicks.push_back(
            {window, POINT{LONG(short(LOWORD(lparam))), LONG(short(HIWORD(lparam)))}});
        return 0;
    case WM_CHAR:
        received.characters += char(wparam);
        return 0;
    case WM_KEYDOWN:
        received.keys.push_back(wparam);
        break;
    case WM_DESTROY:
        if (!(GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
            PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

struct TargetWindow {
    HWND frame = nullptr;
    HWND child = nullptr;
};

// Runs the window's thread until the window is closed.
void run_target_window(std::promise<TargetWindow>* created) {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = record_input;
    window_class.lpszClassName = "DriverTestWindow";
    window_class.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    RegisterClassA(&window_class);
    TargetWindow target;
    target.frame =
        CreateWindowExA(0, "DriverTestWindow", "Driver Target", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        100, 100, 400, 300, nullptr, nullptr, nullptr, nullptr);
    target.child =
        CreateWindowExA(0, "DriverTestWindow", "Inner", WS_CHILD | WS_VISIBLE, 200, 100, 60, 40,
                        target.frame, HMENU(intptr_t(child_id)), nullptr, nullptr);
    created->set_value(target);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Runs a script against a fresh target window; the script ends by closing the window.
class ScriptDriverWindow : public ::testing::Test {
protected:
    void run_script(const std::string& text) {
        received = Received{};
        ScriptParseResult parsed = parse_script(text, "window.script");
        ASSERT_FALSE(parsed.error);
        ScriptStep close;
        close.kind = ScriptStep::Kind::CloseMainWindow;
        parsed.script.steps.push_back(close);

        std::promise<TargetWindow> created;
        std::future<TargetWindow> target_future = created.get_future();
        std::thread window_thread(run_target_window, &created);
        target = target_future.get();
        ScriptDriver driver(parsed.script);
        driver.start();
        window_thread.join(); // closing the window ends its thread
        driver.program_ended(0);
    }
    TargetWindow target;
};

TEST_F(ScriptDriverWindow, ClicksLandAtClientPositionsAndControlCentres) {
    run_script("wait-window Driver Target\n"
               "click \"Driver Target\" 10 20\n"
               "click \"Driver Target\"#42\n");
    ASSERT_EQ(received.clicks.size(), 2u);
    EXPECT_EQ(received.clicks[0].first, target.frame);
    EXPECT_EQ(received.clicks[0].second.x, 10);
    EXPECT_EQ(received.clicks[0].second.y, 20);
    // The centre of the 60 x 40 child, in its own client coordinates.
    EXPECT_EQ(received.clicks[1].first, target.child);
    EXPECT_EQ(received.clicks[1].second.x, 30);
    EXPECT_EQ(received.clicks[1].second.y, 20);
}

TEST_F(ScriptDriverWindow, KeysArriveAsKeyMessages) {
    run_script("click \"Driver Target\" 10 20\n"
               "type Hi!\n"
               "key Ctrl+N\n");
    // Shift, H, I, Shift, 1, Ctrl, N.
    EXPECT_EQ(received.keys, (std::vector<WPARAM>{0x10, 'H', 'I', 0x10, '1', 0x11, 'N'}));
}

TEST_F(ScriptDriverWindow, TypedTextArrivesOnceAsCharacters) {
    run_script("click \"Driver Target\" 10 20\n"
               "type Hi!\n");
    EXPECT_EQ(received.characters, "Hi!");
}

TEST_F(ScriptDriverWindow, TheDumpDescribesTheWindowAndItsChild) {
    std::string dump_path = (std::filesystem::temp_directory_path() /
                             ("mullion_driver_" + std::to_string(getpid()) + ".json"))
                                .string();
    run_script("wait-window Driver Target\ndump " + dump_path + "\n");
    std::ifstream file(dump_path);
    std::stringstream dump;
    dump << file.rdbuf();
    std::string json = dump.str();
    std::remove(dump_path.c_str());
    EXPECT_NE(json.find("\"class\": \"DriverTestWindow\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"text\": \"Driver Target\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"rect\": [100, 100, 500, 400]"), std::string::npos) << json;
    EXPECT_NE(json.find("\"id\": 42"), std::string::npos) << json;
    EXPECT_NE(json.find("\"menus\": []"), std::string::npos) << json;
}

TEST_F(ScriptDriverWindow, ClipPutsTheTextOnTheClipboard) {
    run_script("wait-window Driver Target\nclip (555) 123-4567\n");
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), "(555) 123-4567");
    GlobalUnlock(data);
    CloseClipboard();
}

} // namespace
} // namespace mullion
