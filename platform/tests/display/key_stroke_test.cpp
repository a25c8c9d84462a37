#include "display/key_stroke.h"

#include <gtest/gtest.h>

namespace mullion {
namespace {

using Type = InputEvent::Type;

// A compact form of an event sequence: "v41" key down, "^41" key up, "'a" text.
std::string trace(const std::vector<InputEvent>& events) {
    std::string text;
    char part[16];
    for (const InputEvent& event : events) {
        if (event.type == Type::KeyDown)
            std::snprintf(part, sizeof part, "v%02X ", event.virtual_key);
        else if (event.type == Type::KeyUp)
            std::snprintf(part, sizeof part, "^%02X ", event.virtual_key);
        else
            std::snprintf(part, sizeof part, "'%s ", event.text);
        text += part;
    }
    return text;
}

std::string spec_trace(const char* spec) {
    auto stroke = parse_key_spec(spec);
    return stroke ? trace(stroke->events()) : "invalid";
}

TEST(KeySpec, NamedKeysGiveTheirVirtualKeyCodes) {
    // Virtual-key codes as Win32 documents them.
    EXPECT_EQ(spec_trace("F5"), "v74 ^74 ");
    EXPECT_EQ(spec_trace("F12"), "v7B ^7B ");
    EXPECT_EQ(spec_trace("Enter"), "v0D ^0D ");
    EXPECT_EQ(spec_trace("Esc"), "v1B ^1B ");
    EXPECT_EQ(spec_trace("Tab"), "v09 ^09 ");
    EXPECT_EQ(spec_trace("Backspace"), "v08 ^08 ");
    EXPECT_EQ(spec_trace("Del"), "v2E ^2E ");
    EXPECT_EQ(spec_trace("Insert"), "v2D ^2D ");
    EXPECT_EQ(spec_trace("Home"), "v24 ^24 ");
    EXPECT_EQ(spec_trace("End"), "v23 ^23 ");
    EXPECT_EQ(spec_trace("PgUp"), "v21 ^21 ");
    EXPECT_EQ(spec_trace("PgDn"), "v22 ^22 ");
    EXPECT_EQ(spec_trace("Left"), "v25 ^25 ");
    EXPECT_EQ(spec_trace("Up"), "v26 ^26 ");
    EXPECT_EQ(spec_trace("Right"), "v27 ^27 ");
    EXPECT_EQ(spec_trace("Down"), "v28 ^28 ");
}

TEST(KeySpec, NamesIgnoreCase) {
    EXPECT_EQ(spec_trace("enter"), spec_trace("ENTER"));
    EXPECT_EQ(spec_trace("ctrl+n"), spec_trace("Ctrl+N"));
    EXPECT_EQ(spec_trace("f1"), "v70 ^70 ");
}

TEST(KeySpec, PrintableKeysTypeTheirCharacter) {
    EXPECT_EQ(spec_trace("A"), "v41 'a ^41 ");
    EXPECT_EQ(spec_trace("5"), "v35 '5 ^35 ");
    EXPECT_EQ(spec_trace("Space"), "v20 '  ^20 ");
    EXPECT_EQ(spec_trace(";"), "vBA '; ^BA ");
    EXPECT_EQ(spec_trace("/"), "vBF '/ ^BF ");
}

TEST(KeySpec, ModifiersGoDownInOrderAndComeUpInReverse) {
    EXPECT_EQ(spec_trace("Ctrl+N"), "v11 v4E ^4E ^11 ");
    EXPECT_EQ(spec_trace("Alt+S"), "v12 v53 ^53 ^12 ");
    EXPECT_EQ(spec_trace("Shift+Tab"), "v10 v09 ^09 ^10 ");
    EXPECT_EQ(spec_trace("Ctrl+Shift+F5"), "v11 v10 v74 ^74 ^10 ^11 ");
}

TEST(KeySpec, ShiftChangesTheCharacterButCtrlAndAltTypeNone) {
    EXPECT_EQ(spec_trace("Shift+A"), "v10 v41 'A ^41 ^10 ");
    EXPECT_EQ(spec_trace("Shift+1"), "v10 v31 '! ^31 ^10 ");
    EXPECT_EQ(spec_trace("Ctrl+A"), "v11 v41 ^41 ^11 ");
    EXPECT_EQ(spec_trace("Alt+5"), "v12 v35 ^35 ^12 ");
}

TEST(KeySpec, ShiftedPunctuationPressesShift) {
    EXPECT_EQ(spec_trace("?"), "v10 vBF '? ^BF ^10 ");
    EXPECT_EQ(spec_trace("+"), "v10 vBB '+ ^BB ^10 ");
    EXPECT_EQ(spec_trace("Ctrl++"), "v11 v10 vBB ^BB ^10 ^11 ");
}

TEST(KeySpec, MalformedSpecsAreRefused) {
    EXPECT_EQ(spec_trace(""), "invalid");
    EXPECT_EQ(spec_trace("Ctrl+"), "invalid");
    EXPECT_EQ(spec_trace("Hyper"), "invalid");
    EXPECT_EQ(spec_trace("A+B"), "invalid");
    EXPECT_EQ(spec_trace("F0"), "invalid");
    EXPECT_EQ(spec_trace("F25"), "invalid");
    EXPECT_EQ(spec_trace("F5x"), "invalid");
}

std::string typed(std::string_view text) {
    std::string result;
    for (std::string_view character : split_utf8_characters(text))
        result += trace(key_stroke_for_character(character).events());
    return result;
}

TEST(TypeText, LowercaseLettersAndDigitsPressOneKey) {
    EXPECT_EQ(typed("a1"), "v41 'a ^41 v31 '1 ^31 ");
}

TEST(TypeText, CapitalsAndShiftedPunctuationHoldShift) {
    EXPECT_EQ(typed("H"), "v10 v48 'H ^48 ^10 ");
    EXPECT_EQ(typed(":"), "v10 vBA ': ^BA ^10 ");
    EXPECT_EQ(typed("\""), "v10 vDE '\" ^DE ^10 ");
}

TEST(TypeText, LineBreaksAndTabsPressTheirKeysOnly) {
    EXPECT_EQ(typed("\n"), "v0D ^0D ");
    EXPECT_EQ(typed("\t"), "v09 ^09 ");
}

TEST(TypeText, CharactersWithoutAKeyAreTextAlone) {
    EXPECT_EQ(typed("é"), "'é ");
    EXPECT_EQ(typed("a€b"), "v41 'a ^41 '€ v42 'b ^42 ");
}

TEST(Utf8, SplitsMultiByteCharactersAndKeepsStrayBytesAlone) {
    auto characters = split_utf8_characters("x\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\x80y");
    ASSERT_EQ(characters.size(), 6u);
    EXPECT_EQ(characters[1], "\xC3\xA9");
    EXPECT_EQ(characters[2], "\xE2\x82\xAC");
    EXPECT_EQ(characters[3], "\xF0\x9F\x98\x80");
    EXPECT_EQ(characters[4], "\x80");
    EXPECT_EQ(characters[5], "y");
}

} // namespace
} // namespace mullion
