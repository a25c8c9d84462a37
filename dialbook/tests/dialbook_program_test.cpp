// End-to-end tests of Dialbook, run headless through the scripted driver: entries added through
// the "Add/Edit Entry" dialog land in sorted order, the OK button's faces follow the name field
// and the focus, the phone field drops what is not part of a phone number, double-click edits
// an entry, Cancel and the close box change nothing, and the phone column sits at its tab stop.
#include "bmp_file.h"

#include "testing/dump.h"
#include "testing/png_image.h"
#include "testing/program_run.h"
#include "testing/screen_capture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using mullion::testing::Dump;
using mullion::testing::DumpRect;
using mullion::testing::PngImage;
using mullion::testing::ProgramRun;
using mullion::testing::run_and_capture;
using Capture = mullion::testing::ScreenCapture;
using mullion::testing::rgb_pixel;
using widgetry_test::BmpFile;

namespace {

const std::string kProgram = "Dialbook";
const std::string kTitle = "Names and Phones";
const std::string kDialog = "Add/Edit Entry";
const std::filesystem::path kPictures = DIALBOOK_RES_DIR;
const int kList = 130;
const int kName = 121;
const int kPhone = 122;

const std::string kOpenNew = "key Alt+O\nkey N\nidle\n";

std::string typed(const std::string& text) {
    return text.empty() ? "" : "type " + text + "\n";
}

// Adds an entry through Options > New... and OK.
std::string add_entry(const std::string& name, const std::string& phone) {
    return kOpenNew + typed(name) + "key Tab\n" + typed(phone) + "key Enter\nidle\n";
}

const nlohmann::json& main_window(const Capture& capture) {
    const auto* window = capture.dump.top_level(kTitle);
    if (!window)
        throw std::runtime_error("no main window");
    return *window;
}

const nlohmann::json& list(const Capture& capture) {
    const auto* found = Dump::child_with_id(main_window(capture), kList);
    if (!found)
        throw std::runtime_error("no list box");
    return *found;
}

std::vector<std::string> items(const Capture& capture) {
    return list(capture)["items"].get<std::vector<std::string>>();
}

std::optional<std::string> selection(const Capture& capture) {
    const auto& value = list(capture)["selection"];
    if (value.is_null())
        return std::nullopt;
    return value.get<std::string>();
}

const nlohmann::json* dialog(const Capture& capture) {
    return capture.dump.top_level(kDialog);
}

const nlohmann::json& dialog_item(const Capture& capture, int id) {
    const auto* box = dialog(capture);
    if (!box)
        throw std::runtime_error("no Add/Edit Entry dialog");
    const auto* found = Dump::child_with_id(*box, id);
    if (!found)
        throw std::runtime_error("no dialog item " + std::to_string(id));
    return *found;
}

// The number of pixels of the button that differ from the face bitmap.
int differences_from_face(const Capture& capture, int id, const std::string& face) {
    const BmpFile bitmap = BmpFile::load(kPictures / (face + ".bmp"));
    const DumpRect rect = Dump::rect(dialog_item(capture, id));
    EXPECT_EQ(rect.width(), bitmap.width) << face;
    EXPECT_EQ(rect.height(), bitmap.height) << face;
    int different = 0;
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x)
            different += capture.image.pixel(rect.left + x, rect.top + y) != bitmap.pixel(x, y);
    return different;
}

// The list's 8-point font as the program asks for it, measured here.
HFONT create_list_font(HDC dc) {
    const int height = -((GetDeviceCaps(dc, LOGPIXELSY) * 8) / 72);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 0,
                       "MS Sans Serif");
}

struct ListFontMetrics {
    int item_height = 0;     // a list box item is one character height
    int base_unit_width = 0; // the average width of the 52 letters, rounded
};

ListFontMetrics list_font_metrics() {
    HDC dc = GetDC(nullptr);
    HFONT font = create_list_font(dc);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SIZE letters{};
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return {metrics.tmHeight, (letters.cx / 26 + 1) / 2};
}

// A double click on the list's item `index`, in the main window's client coordinates (the list
// covers the client area).
std::string double_click_item(int index) {
    const int y = list_font_metrics().item_height * index + 2;
    return "dblclick \"" + kTitle + "\" 20 " + std::to_string(y) + "\nidle\n";
}

const std::string kThreeEntries = add_entry("Adams", "555-0101") + add_entry("Baker", "555-0102") +
                                  add_entry("Clark", "555-0103");
const std::vector<std::string> kThreeItems = {"Adams\t555-0101", "Baker\t555-0102",
                                              "Clark\t555-0103"};

TEST(DialbookList, EntriesAddedOutOfOrderAreShownSorted) {
    const auto capture = run_and_capture(kProgram, add_entry("Young, Zoe", "555-0199") +
                                                       add_entry("Brown, Al", "555-0101") +
                                                       add_entry("Moss, Kim", ""));
    EXPECT_EQ(dialog(capture), nullptr);
    EXPECT_EQ(items(capture), (std::vector<std::string>{"Brown, Al\t555-0101", "Moss, Kim\t",
                                                        "Young, Zoe\t555-0199"}));
    EXPECT_TRUE(list(capture)["focused"]) << "the list gets the focus back";
}

// WS_CHILD | WS_VISIBLE from the main window, LBS_NOTIFY | LBS_SORT | LBS_USETABSTOPS |
// LBS_NOINTEGRALHEIGHT from the list itself: no border and no scroll bar.
TEST(DialbookList, ListStartsEmptyWithExactlyItsStyle) {
    const auto capture = run_and_capture(kProgram, "");
    EXPECT_EQ(list(capture)["style"], 0x50000183);
    EXPECT_EQ(list(capture)["class"], "ListBox");
    EXPECT_TRUE(items(capture).empty()) << "the list starts empty";
}

TEST(DialbookList, KeyboardMovesTheSelection) {
    const std::string four = add_entry("Adams", "1") + add_entry("Baker", "2") +
                             add_entry("Clark", "3") + add_entry("Dunn", "4");
    const auto upAndDown =
        run_and_capture(kProgram, four + "key Home\nkey Down\nkey Down\nkey Up\nidle\n");
    EXPECT_EQ(selection(upAndDown), "Baker\t2");
    const auto pageDown = run_and_capture(kProgram, four + "key Home\nkey PgDn\nidle\n");
    EXPECT_EQ(selection(pageDown), "Dunn\t4") << "the whole list fits on one page";
    const auto end = run_and_capture(kProgram, four + "key End\nkey PgUp\nidle\n");
    EXPECT_EQ(selection(end), "Adams\t1");
}

TEST(DialbookList, EqualEntriesCoexist) {
    const auto capture =
        run_and_capture(kProgram, add_entry("Lee", "555-0100") + add_entry("Lee", "555-0100"));
    EXPECT_EQ(items(capture), (std::vector<std::string>{"Lee\t555-0100", "Lee\t555-0100"}));
}

TEST(DialbookList, ListCoversTheClientAreaAndFollowsResizing) {
    const auto start = run_and_capture(kProgram, "");
    const DumpRect frame = Dump::rect(main_window(start));
    EXPECT_EQ(Dump::rect(list(start)).left, Dump::client(main_window(start)).left);
    EXPECT_EQ(Dump::rect(list(start)).top, Dump::client(main_window(start)).top);
    EXPECT_EQ(Dump::rect(list(start)).right, Dump::client(main_window(start)).right);
    EXPECT_EQ(Dump::rect(list(start)).bottom, Dump::client(main_window(start)).bottom);

    // Drag the bottom-right corner 100 pixels right and 50 down.
    const std::string from =
        std::to_string(frame.right - 2) + " " + std::to_string(frame.bottom - 2);
    const std::string to =
        std::to_string(frame.right + 98) + " " + std::to_string(frame.bottom + 48);
    const auto resized =
        run_and_capture(kProgram, "down " + from + "\nmove " + to + "\nup " + to + "\nidle\n");
    const DumpRect grown = Dump::rect(main_window(resized));
    EXPECT_EQ(grown.width(), frame.width() + 100);
    EXPECT_EQ(grown.height(), frame.height() + 50);
    const DumpRect client = Dump::client(main_window(resized));
    const DumpRect listRect = Dump::rect(list(resized));
    EXPECT_EQ(listRect.left, client.left);
    EXPECT_EQ(listRect.top, client.top);
    EXPECT_EQ(listRect.right, client.right);
    EXPECT_EQ(listRect.bottom, client.bottom);
}

TEST(DialbookList, PhoneColumnStartsAtTheTabStopOf128DialogUnits) {
    const auto capture = run_and_capture(
        kProgram, add_entry("A", "555-0100") + add_entry("Bartholomew Longname", "555-0100"));
    ASSERT_EQ(items(capture).size(), 2u);
    const ListFontMetrics metrics = list_font_metrics();
    const DumpRect rect = Dump::rect(list(capture));
    // 128 dialog units are 128 quarters of the font's average character width.
    const int tab = MulDiv(128, metrics.base_unit_width, 4);
    const uint32_t background = rgb_pixel(255, 255, 255);
    // The phone column's first ink in each row, searched from a third of the way to the stop
    // (past both names), so that the default stops of 8 characters would be found too. The
    // item's top and bottom lines are left out: the focus rectangle runs there.
    for (int row = 0; row < 2; ++row) {
        int first = -1;
        for (int x = rect.left + tab / 3 + 80 * (row == 1); x < rect.right && first < 0; ++x)
            for (int y = rect.top + row * metrics.item_height + 1;
                 y < rect.top + (row + 1) * metrics.item_height - 1 && first < 0; ++y)
                if (capture.image.pixel(x, y) != background)
                    first = x;
        // The text starts a small margin in from the list's edge; a glyph may bear a pixel.
        EXPECT_GE(first - rect.left, tab) << "row " << row;
        EXPECT_LE(first - rect.left, tab + 4) << "row " << row;
    }
}

TEST(DialbookDialog, OkIsDisabledWithItsXFaceWhileTheNameIsEmpty) {
    const auto capture = run_and_capture(kProgram, kOpenNew);
    ASSERT_NE(dialog(capture), nullptr);
    EXPECT_TRUE(dialog_item(capture, kName)["focused"]);
    EXPECT_FALSE(dialog_item(capture, IDOK)["enabled"]);
    EXPECT_EQ(differences_from_face(capture, IDOK, "okx"), 0);
    EXPECT_TRUE(dialog_item(capture, IDCANCEL)["enabled"]);
    EXPECT_EQ(differences_from_face(capture, IDCANCEL, "cancelu"), 0);
}

// The dialog's base units: the average width of the 52 letters (rounded) and the character
// height of its template font, 8-point "MS Sans Serif" (height -MulDiv(8, LOGPIXELSY, 72)).
SIZE dialog_base_units() {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL,
                             FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, "MS Sans Serif");
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SIZE letters{};
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return SIZE{(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

// The template's rectangles in dialog units. The bitmap buttons keep their template position
// but take their faces' size.
TEST(DialbookDialog, LayoutFollowsTheTemplateAndTheDialogIsCentred) {
    const auto capture = run_and_capture(kProgram, kOpenNew);
    ASSERT_NE(dialog(capture), nullptr);
    const DumpRect client = Dump::client(*dialog(capture));
    const SIZE base = dialog_base_units();
    const auto px_x = [&](int units) { return MulDiv(units, base.cx, 4); };
    const auto px_y = [&](int units) { return MulDiv(units, base.cy, 8); };
    const auto expect_at = [&](const DumpRect& rect, int x, int y, const char* what) {
        EXPECT_EQ(rect.left - client.left, px_x(x)) << what;
        EXPECT_EQ(rect.top - client.top, px_y(y)) << what;
    };
    for (const int id : {kName, kPhone}) {
        const DumpRect field = Dump::rect(dialog_item(capture, id));
        expect_at(field, 34, id == kName ? 12 : 32, id == kName ? "name" : "phone");
        EXPECT_EQ(field.width(), px_x(118));
        EXPECT_EQ(field.height(), px_y(12));
    }
    expect_at(Dump::rect(dialog_item(capture, IDOK)), 50, 54, "OK");
    expect_at(Dump::rect(dialog_item(capture, IDCANCEL)), 104, 54, "Cancel");
    EXPECT_EQ(client.width(), px_x(160));
    EXPECT_EQ(client.height(), px_y(88));

    const auto* box = dialog(capture);
    EXPECT_NE(Dump::child_with_text(*box, "&Name"), nullptr);
    EXPECT_NE(Dump::child_with_text(*box, "&Phone"), nullptr);
    const DumpRect frame = Dump::rect(*box);
    EXPECT_NEAR(frame.left + frame.right, capture.image.width(), 1) << "centred across";
    EXPECT_NEAR(frame.top + frame.bottom, capture.image.height(), 1) << "centred down";
}

TEST(DialbookDialog, EnterWithAnEmptyNameAddsNothing) {
    const auto capture =
        run_and_capture(kProgram, kOpenNew + "key Tab\ntype 555-0100\nkey Enter\nidle\n");
    EXPECT_NE(dialog(capture), nullptr) << "the dialog stays open";
    EXPECT_TRUE(items(capture).empty());
}

TEST(DialbookDialog, FirstCharacterEnablesOkAndDeletingItDisablesItAgain) {
    const auto typedOne = run_and_capture(kProgram, kOpenNew + "type A\nidle\n");
    EXPECT_TRUE(dialog_item(typedOne, IDOK)["enabled"]);
    EXPECT_EQ(differences_from_face(typedOne, IDOK, "oku"), 0);

    const auto erased = run_and_capture(kProgram, kOpenNew + "type A\nkey Backspace\nidle\n");
    EXPECT_FALSE(dialog_item(erased, IDOK)["enabled"]);
    EXPECT_EQ(differences_from_face(erased, IDOK, "okx"), 0);
}

// Undo selects the text it brings back; the name is no less there for being selected.
TEST(DialbookDialog, NameRestoredByUndoEnablesOk) {
    const auto capture = run_and_capture(
        kProgram, kOpenNew + "type Ann\nkey Shift+Home\nkey Del\nkey Ctrl+Z\nidle\n");
    EXPECT_EQ(dialog_item(capture, kName)["text"], "Ann");
    EXPECT_TRUE(dialog_item(capture, IDOK)["enabled"]);
}

TEST(DialbookDialog, ButtonsShowTheirFocusFaces) {
    const auto okFocused = run_and_capture(kProgram, kOpenNew + "type A\nkey Tab\nkey Tab\nidle\n");
    EXPECT_TRUE(dialog_item(okFocused, IDOK)["focused"]);
    EXPECT_EQ(differences_from_face(okFocused, IDOK, "okf"), 0);
    EXPECT_EQ(differences_from_face(okFocused, IDCANCEL, "cancelu"), 0);

    const auto cancelFocused =
        run_and_capture(kProgram, kOpenNew + "type A\nkey Tab\nkey Tab\nkey Tab\nidle\n");
    EXPECT_TRUE(dialog_item(cancelFocused, IDCANCEL)["focused"]);
    EXPECT_EQ(differences_from_face(cancelFocused, IDCANCEL, "cancelf"), 0);
    EXPECT_EQ(differences_from_face(cancelFocused, IDOK, "oku"), 0);
}

TEST(DialbookDialog, ButtonsShowTheirDownFacesWhileHeld) {
    const auto okHeld =
        run_and_capture(kProgram, kOpenNew + "type A\ndown \"" + kDialog + "\"#1\nidle\n");
    EXPECT_EQ(differences_from_face(okHeld, IDOK, "okd"), 0);
    const auto cancelHeld =
        run_and_capture(kProgram, kOpenNew + "type A\ndown \"" + kDialog + "\"#2\nidle\n");
    EXPECT_EQ(differences_from_face(cancelHeld, IDCANCEL, "canceld"), 0);
}

TEST(DialbookDialog, ControlsCarryTheirTemplateStyles) {
    const auto capture = run_and_capture(kProgram, kOpenNew);
    // The border of an edit control in a dialog becomes a sunken client edge.
    for (const int id : {kName, kPhone}) {
        const auto style = dialog_item(capture, id)["style"].get<long long>();
        EXPECT_EQ(style & (WS_TABSTOP | ES_AUTOHSCROLL), WS_TABSTOP | ES_AUTOHSCROLL) << id;
        EXPECT_EQ(style & ES_MULTILINE, 0) << id;
    }
    for (const int id : {IDOK, IDCANCEL}) {
        const auto style = dialog_item(capture, id)["style"].get<long long>();
        EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW) << id;
        EXPECT_EQ(style & (WS_GROUP | WS_TABSTOP), WS_GROUP | WS_TABSTOP) << id;
    }
    EXPECT_EQ(dialog(capture)->at("text"), kDialog);
}

TEST(DialbookDialog, CancelButtonAddsNothing) {
    const auto capture = run_and_capture(
        kProgram, kOpenNew + "type Lee\nkey Tab\ntype 555\nclick \"" + kDialog + "\"#2\nidle\n");
    EXPECT_EQ(dialog(capture), nullptr);
    EXPECT_TRUE(items(capture).empty());
    EXPECT_TRUE(list(capture)["focused"]);
}

TEST(DialbookDialog, ClickingOkAddsTheEntry) {
    const auto capture =
        run_and_capture(kProgram, kOpenNew + "type Lee\nkey Tab\ntype 555-0100\nclick \"" +
                                      kDialog + "\"#1\nidle\n");
    EXPECT_EQ(dialog(capture), nullptr);
    EXPECT_EQ(items(capture), (std::vector<std::string>{"Lee\t555-0100"}));
}

TEST(DialbookDialog, PhoneFieldTakesAWholePhoneNumber) {
    const auto capture =
        run_and_capture(kProgram, kOpenNew + "type Lee\nkey Tab\ntype (555) 010-0000\nidle\n");
    EXPECT_EQ(dialog_item(capture, kPhone)["text"], "(555) 010-0000");
}

TEST(DialbookDialog, PhoneFieldDropsLettersAndOtherPunctuation) {
    const auto open =
        run_and_capture(kProgram, kOpenNew + "type Lee\nkey Tab\ntype 5a5B5.+-x0*1\nidle\n");
    EXPECT_EQ(dialog_item(open, kPhone)["text"], "555-01");
    const auto added = run_and_capture(
        kProgram, kOpenNew + "type Lee\nkey Tab\ntype 5a5B5.+-x0*1\nkey Enter\nidle\n");
    EXPECT_EQ(items(added), (std::vector<std::string>{"Lee\t555-01"}));
}

TEST(DialbookDialog, NameFieldStopsAt32Characters) {
    const std::string forty(40, 'n');
    const auto capture =
        run_and_capture(kProgram, kOpenNew + "type " + forty + "\nkey Enter\nidle\n");
    EXPECT_EQ(dialog(capture), nullptr);
    EXPECT_EQ(items(capture), (std::vector<std::string>{std::string(32, 'n') + "\t"}));
}

TEST(DialbookEditing, DoubleClickOpensTheEntryAndOkMovesItToItsNewPlace) {
    const auto open = run_and_capture(kProgram, kThreeEntries + double_click_item(0));
    ASSERT_NE(dialog(open), nullptr);
    EXPECT_EQ(dialog_item(open, kName)["text"], "Adams");
    EXPECT_EQ(dialog_item(open, kPhone)["text"], "555-0101");
    EXPECT_TRUE(dialog_item(open, IDOK)["enabled"]);

    const auto edited =
        run_and_capture(kProgram, kThreeEntries + double_click_item(0) +
                                      "key Home\nkey Shift+End\ntype Zimmer\nkey Enter\nidle\n");
    EXPECT_EQ(dialog(edited), nullptr);
    EXPECT_EQ(items(edited),
              (std::vector<std::string>{"Baker\t555-0102", "Clark\t555-0103", "Zimmer\t555-0101"}));
    EXPECT_EQ(selection(edited), std::nullopt) << "the edited entry is no longer selected";
    EXPECT_TRUE(list(edited)["focused"]);
}

TEST(DialbookEditing, CancelChangesNothingAndKeepsTheSelection) {
    const auto capture =
        run_and_capture(kProgram, kThreeEntries + double_click_item(1) +
                                      "key Home\nkey Shift+End\ntype Zed\nkey Esc\nidle\n");
    EXPECT_EQ(dialog(capture), nullptr);
    EXPECT_EQ(items(capture), kThreeItems);
    EXPECT_EQ(selection(capture), "Baker\t555-0102");
    EXPECT_TRUE(list(capture)["focused"]);
}

// The dialog's close box, at the right end of its caption inside the fixed frame.
std::string close_box_click(const DumpRect& window, int frame) {
    const int x = window.right - frame - GetSystemMetrics(SM_CXSIZE) / 2;
    const int y = window.top + frame + GetSystemMetrics(SM_CYCAPTION) / 2;
    return "click " + std::to_string(x) + " " + std::to_string(y) + "\nidle\n";
}

TEST(DialbookEditing, DialogCloseBoxChangesNothingAndKeepsTheSelection) {
    const auto open = run_and_capture(kProgram, kThreeEntries + double_click_item(2));
    ASSERT_NE(dialog(open), nullptr);
    const DumpRect box = Dump::rect(*dialog(open));
    const auto closed = run_and_capture(
        kProgram, kThreeEntries + double_click_item(2) + "key Home\nkey Shift+End\ntype Aaron\n" +
                      close_box_click(box, GetSystemMetrics(SM_CXDLGFRAME)));
    EXPECT_EQ(dialog(closed), nullptr);
    EXPECT_EQ(items(closed), kThreeItems);
    EXPECT_EQ(selection(closed), "Clark\t555-0103");
}

TEST(DialbookEditing, DoubleClickOnAnEmptyListOpensNothing) {
    const auto capture = run_and_capture(kProgram, double_click_item(0));
    EXPECT_EQ(dialog(capture), nullptr);
    EXPECT_TRUE(items(capture).empty());
}

TEST(DialbookProgram, ExitCommandAndCloseBoxEndTheProgram) {
    ProgramRun byMenu(kProgram);
    auto result = byMenu.run_script("idle\nkey Alt+O\nkey X\n", std::chrono::seconds(20));
    EXPECT_FALSE(result.timed_out) << result.output;
    EXPECT_EQ(result.exit_status, 0);

    const auto start = run_and_capture(kProgram, "");
    const DumpRect frame = Dump::rect(main_window(start));
    ProgramRun byCloseBox(kProgram);
    result =
        byCloseBox.run_script("idle\n" + close_box_click(frame, GetSystemMetrics(SM_CXSIZEFRAME)),
                              std::chrono::seconds(20));
    EXPECT_FALSE(result.timed_out) << result.output;
    EXPECT_EQ(result.exit_status, 0);
}

} // namespace
