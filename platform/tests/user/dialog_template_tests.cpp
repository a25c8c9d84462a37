// Dialog templates as the resource compiler writes them: classic and extended headers, fonts,
// items with predefined classes by ordinal or by name, titles by ordinal, and damaged bytes.
#include "user/dialog_template.h"
#include "user/resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace mullion {
namespace {

std::vector<uint8_t> dialog_resource(int id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG);
    if (!info)
        return {};
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, info)));
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(module, info));
}

TEST(DialogTemplateParse, ClassicTemplateHeaderAndFont) {
    const auto bytes = dialog_resource(IDD_CLASSIC);
    ASSERT_FALSE(bytes.empty());
    const auto dialog = DialogTemplate::parse(bytes);
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(dialog->extended);
    // A FONT statement adds DS_SETFONT to the written style.
    EXPECT_EQ(dialog->style & (DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT),
              DWORD(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT));
    EXPECT_EQ(dialog->x, 10);
    EXPECT_EQ(dialog->y, 20);
    EXPECT_EQ(dialog->cx, 180);
    EXPECT_EQ(dialog->cy, 90);
    EXPECT_FALSE(dialog->menu);
    EXPECT_FALSE(dialog->window_class);
    EXPECT_EQ(dialog->title, "Classic");
    EXPECT_TRUE(dialog->has_font);
    EXPECT_EQ(dialog->point_size, 8);
    EXPECT_EQ(dialog->face, "MS Sans Serif");
}

TEST(DialogTemplateParse, ClassicTemplateItemsInOrder) {
    const auto bytes = dialog_resource(IDD_CLASSIC);
    const auto dialog = DialogTemplate::parse(bytes);
    ASSERT_TRUE(dialog);
    ASSERT_EQ(dialog->items.size(), 6u);

    const DialogItemTemplate& label = dialog->items[0];
    EXPECT_EQ(label.class_name(), "Static");
    EXPECT_EQ(label.id, DWORD(IDC_LABEL));
    EXPECT_EQ(label.title.name, "&Name:");
    EXPECT_EQ(label.style & SS_TYPEMASK, DWORD(SS_LEFT));
    EXPECT_TRUE(label.style & WS_CHILD);
    EXPECT_TRUE(label.style & WS_VISIBLE);
    EXPECT_EQ(label.x, 5);
    EXPECT_EQ(label.y, 7);
    EXPECT_EQ(label.cx, 30);
    EXPECT_EQ(label.cy, 8);

    const DialogItemTemplate& edit = dialog->items[1];
    EXPECT_EQ(edit.class_name(), "Edit");
    EXPECT_TRUE(edit.style & ES_AUTOHSCROLL);
    EXPECT_TRUE(edit.style & WS_TABSTOP);

    // An icon control names its icon resource by ordinal in the title.
    const DialogItemTemplate& picture = dialog->items[2];
    EXPECT_EQ(picture.class_name(), "Static");
    EXPECT_EQ(picture.style & SS_TYPEMASK, DWORD(SS_ICON));
    EXPECT_TRUE(picture.title.by_ordinal);
    EXPECT_EQ(picture.title.ordinal, IDI_TEST);

    const DialogItemTemplate& custom = dialog->items[3];
    EXPECT_EQ(custom.class_name(), "CustomClass");
    EXPECT_EQ(custom.title.name, "Custom");

    EXPECT_EQ(dialog->items[4].class_name(), "Button");
    EXPECT_EQ(dialog->items[4].style & BS_TYPEMASK, DWORD(BS_DEFPUSHBUTTON));
    EXPECT_EQ(dialog->items[4].id, DWORD(IDOK));
    EXPECT_EQ(dialog->items[5].style & BS_TYPEMASK, DWORD(BS_PUSHBUTTON));
    EXPECT_EQ(dialog->items[5].id, DWORD(IDCANCEL));
    for (const auto& item : dialog->items)
        EXPECT_EQ(item.creation_data, nullptr);
}

TEST(DialogTemplateParse, ExtendedTemplateCarriesWeightItalicCharsetAndExtendedStyle) {
    const auto bytes = dialog_resource(IDD_EXTENDED);
    const auto dialog = DialogTemplate::parse(bytes);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->extended);
    EXPECT_EQ(dialog->ex_style, DWORD(WS_EX_TOOLWINDOW));
    EXPECT_TRUE(dialog->style & WS_POPUP);
    EXPECT_EQ(dialog->title, "Extended");
    EXPECT_EQ(dialog->point_size, 9);
    EXPECT_EQ(dialog->weight, 700);
    EXPECT_TRUE(dialog->italic);
    EXPECT_EQ(dialog->charset, 2);
    EXPECT_EQ(dialog->face, "Arial");
    ASSERT_EQ(dialog->items.size(), 2u);
    EXPECT_EQ(dialog->items[0].class_name(), "Button");
    EXPECT_EQ(dialog->items[0].style & BS_TYPEMASK, DWORD(BS_CHECKBOX));
    EXPECT_TRUE(dialog->items[0].style & WS_GROUP);
    EXPECT_EQ(dialog->items[0].id, DWORD(IDC_CHECK));
    EXPECT_EQ(dialog->items[0].title.name, "&Check");
    EXPECT_EQ(dialog->items[1].id, DWORD(IDOK));
    EXPECT_EQ(dialog->items[1].x, 100);
    EXPECT_EQ(dialog->items[1].cy, 14);
}

TEST(DialogTemplateParse, CreationDataIsSkippedAndPointedTo) {
    // A classic template built by hand: no font, one item whose creation data is four bytes
    // (a size word of 4 that counts itself, then one more word).
    std::vector<uint16_t> words = {
        0x0000, 0x8000,              // style WS_POPUP
        0,      0,                   // extended style
        1,                           // one item
        1,      2,      30,  40,     // x y cx cy
        0,      0,      'T', 0,      // no menu, dialog class, title "T"
        0,                           // pad to a DWORD boundary (offset 26 -> 28)
        0x0000, 0x5000, 0,   0,      // item style WS_CHILD | WS_VISIBLE, extended style
        3,      4,      50,  12, 77, // x y cx cy id
        0xFFFF, 0x0082,              // Static
        'h',    'i',    0,           // title "hi"
        4,      0xBEEF,              // creation data
    };
    std::vector<uint8_t> bytes;
    for (uint16_t w : words) {
        bytes.push_back(uint8_t(w));
        bytes.push_back(uint8_t(w >> 8));
    }
    const auto dialog = DialogTemplate::parse(bytes);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->style, DWORD(WS_POPUP));
    EXPECT_EQ(dialog->title, "T");
    EXPECT_FALSE(dialog->has_font);
    ASSERT_EQ(dialog->items.size(), 1u);
    EXPECT_EQ(dialog->items[0].id, 77u);
    EXPECT_EQ(dialog->items[0].title.name, "hi");
    ASSERT_NE(dialog->items[0].creation_data, nullptr);
    EXPECT_EQ(static_cast<const uint8_t*>(dialog->items[0].creation_data)[2], 0xEF);

    // The same bytes claiming two items run out of data.
    bytes[8] = 2;
    EXPECT_FALSE(DialogTemplate::parse(bytes));
}

TEST(DialogTemplateParse, TruncatedTemplatesAreRejectedWithoutReadingPastThem) {
    for (int id : {IDD_CLASSIC, IDD_EXTENDED}) {
        const auto bytes = dialog_resource(id);
        const size_t full_items = DialogTemplate::parse(bytes)->items.size();
        for (size_t length = 0; length < bytes.size(); ++length) {
            std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + length);
            const auto dialog = DialogTemplate::parse(prefix);
            if (dialog) {
                EXPECT_EQ(dialog->items.size(), full_items) << "id " << id << " length " << length;
            }
        }
    }
}

} // namespace
} // namespace mullion
