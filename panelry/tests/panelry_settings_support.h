// Support for the end-to-end tests of the banner programs with settings dialogs: a scripted
// session that takes named captures (dump and snapshot), and readers of what they show.
#pragma once

#include "testing/dump.h"
#include "testing/png_image.h"
#include "testing/program_run.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace panelry_tests {

using mullion::testing::Dump;
using mullion::testing::DumpRect;
using mullion::testing::PngImage;
using mullion::testing::ProgramRun;
using mullion::testing::rgb_pixel;
using nlohmann::json;

// Control identifiers of the settings dialog (template 130).
enum SettingsControl {
    kSolidFill = 131,
    kGradientFill = 132,
    kRed = 133,
    kGreen = 134,
    kBlue = 135,
    kMagenta = 136,
    kCyan = 137,
    kText = 138,
    kTextHeight = 139,
    kBold = 140,
    kItalic = 141,
    kDefaults = 142
};

// The OK and Cancel buttons of dialogs and message boxes.
constexpr int kOk = 1;
constexpr int kCancel = 2;

// The text control of a message box.
constexpr int kMessageBoxText = 0xFFFE;

// One run of a program: steps are collected, then run at once by Finish; a capture writes a
// dump and a snapshot under a name, read back after the run.
class Session {
public:
    explicit Session(const std::string& program) : m_program(program), m_run(program) {}

    Session& Step(const std::string& step) {
        m_script += step + "\n";
        return *this;
    }
    // "Settings..." of the Options menu.
    Session& OpenSettings() { return Step("key Alt+O").Step("key S"); }
    // The script steps that replace the whole text of a dialog field reached by a mnemonic,
    // which selects the field's text (an empty text deletes it).
    Session& ReplaceField(const std::string& mnemonic, const std::string& text) {
        Step("key Alt+" + mnemonic);
        return text.empty() ? Step("key Del") : Step("type " + text);
    }
    Session& Capture(const std::string& name) {
        return Step("idle").Step("dump " + name + ".json").Step("shot " + name + ".png");
    }
    // Runs the steps; the program is told to quit afterwards unless it ended by itself.
    mullion::testing::ProgramResult Finish(bool quit = true) {
        m_result = m_run.run_script("idle\n" + m_script + (quit ? "quit\n" : ""));
        EXPECT_FALSE(m_result.timed_out) << m_result.output;
        return m_result;
    }

    // Loaded once and kept for the session, so that windows found in it stay valid.
    const Dump& DumpOf(const std::string& name) {
        auto found = m_dumps.find(name);
        if (found == m_dumps.end())
            found = m_dumps.emplace(name, Dump::load(m_run.file(name + ".json"))).first;
        return found->second;
    }
    PngImage ImageOf(const std::string& name) const {
        return PngImage::load(m_run.file(name + ".png"));
    }
    const std::string& Program() const { return m_program; }

private:
    std::string m_program;
    ProgramRun m_run;
    std::string m_script;
    mullion::testing::ProgramResult m_result;
    std::map<std::string, Dump> m_dumps;
};

// The settings dialog, or null.
inline const json* SettingsDialog(const Dump& dump) {
    return dump.top_level("Settings");
}

// The message box with this caption (a dialog with a message text control), or null.
inline const json* MessageBoxWindow(const Dump& dump, const std::string& caption) {
    for (const auto& window : dump.json()["windows"])
        if (window["text"] == caption && window["visible"] == true &&
            Dump::child_with_id(window, kMessageBoxText))
            return &window;
    return nullptr;
}

inline std::string MessageBoxText(const json& box) {
    return (*Dump::child_with_id(box, kMessageBoxText))["text"].get<std::string>();
}

inline const json& Control(const json& dialog, int id) {
    const json* control = Dump::child_with_id(dialog, id);
    if (!control)
        throw std::runtime_error("no control " + std::to_string(id));
    return *control;
}

inline int Checked(const json& dialog, int id) {
    return Control(dialog, id)["checked"].get<int>();
}

inline std::string Text(const json& dialog, int id) {
    return Control(dialog, id)["text"].get<std::string>();
}

inline bool Focused(const json& dialog, int id) {
    return Control(dialog, id)["focused"].get<bool>();
}

inline std::string Selection(const json& dialog, int id) {
    const json& selection = Control(dialog, id)["selection"];
    return selection.is_null() ? std::string("(none)") : selection.get<std::string>();
}

// The settings the dialog's controls show, in the order of the window's members.
struct ShownSettings {
    int fillType = -1;
    int fillColor = -1;
    std::string text;
    std::string height;
    int bold = -1;
    int italic = -1;
    bool operator==(const ShownSettings&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ShownSettings& s) {
    return out << "{fill " << s.fillType << ", colour " << s.fillColor << ", \"" << s.text
               << "\", height \"" << s.height << "\", bold " << s.bold << ", italic " << s.italic
               << "}";
}

inline ShownSettings Shown(const json& dialog) {
    ShownSettings shown;
    for (int i = 0; i < 2; ++i)
        if (Checked(dialog, kSolidFill + i) == 1)
            shown.fillType = i;
    for (int i = 0; i < 5; ++i)
        if (Checked(dialog, kRed + i) == 1)
            shown.fillColor = i;
    shown.text = Text(dialog, kText);
    shown.height = Text(dialog, kTextHeight);
    shown.bold = Checked(dialog, kBold);
    shown.italic = Checked(dialog, kItalic);
    return shown;
}

inline const ShownSettings kDefaultSettings{1, 2, "Hello, MFC", "72", 1, 1};

// The banner's client area in a capture.
inline DumpRect BannerClient(const Dump& dump, const std::string& program) {
    const json* window = dump.top_level(program);
    if (!window)
        throw std::runtime_error("no window " + program);
    return Dump::client(*window);
}

// The bounding box of the white (text) pixels in the client area; empty when there are none.
inline DumpRect WhiteInk(const PngImage& image, const DumpRect& client) {
    DumpRect ink{client.right, client.bottom, client.left, client.top};
    for (int y = client.top; y < client.bottom; ++y)
        for (int x = client.left; x < client.right; ++x)
            if (image.pixel(x, y) == rgb_pixel(255, 255, 255)) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
    return ink;
}

// The banner's fill, read at the client area's left edge (left of any text): a solid fill
// has the table colour in every row; the gradient has shade (y * 63) / H, intensity
// 255 - 4 * shade, in the colour's channels.
inline void ExpectSolidFill(const PngImage& image, const DumpRect& client, uint32_t colour) {
    for (int y : {0, client.height() / 2, client.height() - 1})
        EXPECT_EQ(colour, image.pixel(client.left + 1, client.top + y)) << "row " << y;
}

inline void ExpectBlueGradient(const PngImage& image, const DumpRect& client) {
    for (int y : {0, client.height() / 3, client.height() - 1}) {
        const int v = 255 - 4 * (y * 63 / client.height());
        EXPECT_EQ(rgb_pixel(0, 0, v), image.pixel(client.left + 1, client.top + y)) << "row " << y;
    }
}

// The default banner: blue gradient, white 72-point text (96 pixels of character height at 96
// pixels per inch) centred.
inline void ExpectDefaultBanner(const PngImage& image, const DumpRect& client) {
    ExpectBlueGradient(image, client);
    const DumpRect ink = WhiteInk(image, client);
    ASSERT_LT(ink.left, ink.right) << "no text drawn";
    EXPECT_GT(ink.height(), 60);
    EXPECT_LT(ink.height(), 110);
}

} // namespace panelry_tests
