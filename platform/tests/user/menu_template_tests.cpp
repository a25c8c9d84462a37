// Menus from hand-built standard and extended menu templates, and damaged templates.
#include "user/menu_template.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>
#include <windows.h>

namespace mullion {
namespace {

class TemplateWriter {
public:
    TemplateWriter& word(uint16_t value) {
        m_bytes.push_back(uint8_t(value & 0xff));
        m_bytes.push_back(uint8_t(value >> 8));
        return *this;
    }
    TemplateWriter& dword(uint32_t value) {
        return word(uint16_t(value)).word(uint16_t(value >> 16));
    }
    TemplateWriter& text(const std::u16string& value) {
        for (char16_t unit : value)
            word(uint16_t(unit));
        return word(0);
    }
    TemplateWriter& align() {
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
        return *this;
    }
    const std::vector<uint8_t>& bytes() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

std::string item_text(HMENU menu, UINT position) {
    char buffer[64] = {};
    GetMenuStringA(menu, position, buffer, int(sizeof buffer), MF_BYPOSITION);
    return buffer;
}

// POPUP "&File" { "&New" 100, SEPARATOR, "E&xit" 102 GRAYED }
// POPUP "&Édition" { "Copier" 200 CHECKED }
std::vector<uint8_t> standard_template() {
    TemplateWriter w;
    w.word(0).word(0);
    w.word(MF_POPUP).text(u"&File");
    w.word(0).word(100).text(u"&New");
    w.word(0).word(0).text(u"");
    w.word(MF_GRAYED | MF_END).word(102).text(u"E&xit");
    w.word(MF_POPUP | MF_END).text(u"&\u00C9dition");
    w.word(MF_CHECKED | MF_END).word(200).text(u"Copier");
    return w.bytes();
}

TEST(StandardMenuTemplate, BuildsTheTreeWithStatesAndSeparators) {
    std::vector<uint8_t> bytes = standard_template();
    HMENU menu = LoadMenuIndirectA(bytes.data());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(item_text(menu, 0), "&File");
    // UTF-16 text becomes UTF-8.
    EXPECT_EQ(item_text(menu, 1), "&\xC3\x89"
                                  "dition");
    HMENU file = GetSubMenu(menu, 0);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 0), 100u);
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    EXPECT_EQ(GetMenuState(file, 102, MF_BYCOMMAND) & MF_GRAYED, UINT(MF_GRAYED));
    HMENU edit = GetSubMenu(menu, 1);
    ASSERT_EQ(GetMenuItemCount(edit), 1);
    EXPECT_EQ(GetMenuState(edit, 200, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
    DestroyMenu(menu);
}

TEST(StandardMenuTemplate, TruncatedOrUnknownVersionIsRefused) {
    std::vector<uint8_t> bytes = standard_template();
    for (size_t cut : {size_t(0), size_t(3), size_t(10), bytes.size() - 2})
        EXPECT_EQ(load_menu_template(bytes.data(), cut), nullptr) << "cut at " << cut;
    std::vector<uint8_t> wrong_version = bytes;
    wrong_version[0] = 7;
    EXPECT_EQ(load_menu_template(wrong_version.data(), wrong_version.size()), nullptr);
    HMENU whole = load_menu_template(bytes.data(), bytes.size());
    EXPECT_NE(whole, nullptr);
    DestroyMenu(whole);
}

constexpr uint16_t ex_submenu = 0x01;
constexpr uint16_t ex_last = 0x80;

// Extended: POPUP "&File" { "&New" 100, separator, "&Radio" 101 radio checked }, "&Help" 300
// grayed at the top level.
std::vector<uint8_t> extended_template() {
    TemplateWriter w;
    w.word(1).word(4).dword(0);
    w.dword(MFT_STRING).dword(0).dword(0).word(ex_submenu).text(u"&File").align().dword(0);
    w.dword(MFT_STRING).dword(0).dword(100).word(0).text(u"&New").align();
    w.dword(MFT_SEPARATOR).dword(0).dword(0).word(0).text(u"").align();
    w.dword(MFT_STRING | MFT_RADIOCHECK)
        .dword(MFS_CHECKED)
        .dword(101)
        .word(ex_last)
        .text(u"&Radio")
        .align();
    w.dword(MFT_STRING).dword(MFS_GRAYED).dword(300).word(ex_last).text(u"&Help").align();
    return w.bytes();
}

TEST(ExtendedMenuTemplate, TypesStatesIdsAndPadding) {
    std::vector<uint8_t> bytes = extended_template();
    HMENU menu = LoadMenuIndirectA(bytes.data());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(item_text(menu, 0), "&File");
    EXPECT_EQ(item_text(menu, 1), "&Help");
    EXPECT_EQ(GetMenuState(menu, 300, MF_BYCOMMAND) & MF_GRAYED, UINT(MF_GRAYED));
    HMENU file = GetSubMenu(menu, 0);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(item_text(file, 0), "&New");
    EXPECT_EQ(GetMenuItemID(file, 0), 100u);
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    MENUITEMINFOA info{sizeof info};
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoA(file, 2, TRUE, &info));
    EXPECT_EQ(info.wID, 101u);
    EXPECT_EQ(info.fType & MFT_RADIOCHECK, UINT(MFT_RADIOCHECK));
    EXPECT_EQ(info.fState & MFS_CHECKED, UINT(MFS_CHECKED));
    DestroyMenu(menu);
}

TEST(ExtendedMenuTemplate, TruncatedTemplateIsRefused) {
    std::vector<uint8_t> bytes = extended_template();
    EXPECT_EQ(load_menu_template(bytes.data(), bytes.size() - 6), nullptr);
    EXPECT_EQ(load_menu_template(bytes.data(), 8), nullptr);
}

} // namespace
} // namespace mullion
