// CPhoneList: the entry string (name, TAB, phone) and its split at the first TAB, the list box
// style the list adds before creation, and the 8-point font it sets when created.
#include "phone_list.h"

#include <gtest/gtest.h>

namespace {

struct Split {
    const char* entry;
    const char* name;
    const char* phone;
};

TEST(PhoneListEntryTest, SplitsAtTheFirstTab) {
    const Split cases[] = {
        {"Smith, Ann\t555-0100", "Smith, Ann", "555-0100"},
        {"Ann\t", "Ann", ""},                     // an empty phone leaves the TAB at the end
        {"\t555-0100", "", "555-0100"},           // an empty name
        {"One\tTwo\tThree", "One", "Two\tThree"}, // later TABs belong to the phone
        {"No tab at all", "No tab at all", ""},   // no TAB: all name, no phone
        {"", "", ""},
    };
    for (const Split& c : cases) {
        CString name = "old name", phone = "old phone";
        CPhoneList::SplitEntry(c.entry, name, phone);
        EXPECT_STREQ(name, c.name) << c.entry;
        EXPECT_STREQ(phone, c.phone) << c.entry;
    }
}

TEST(PhoneListEntryTest, EntryIsNameTabPhoneAndSplitsBack) {
    EXPECT_STREQ(CPhoneList::MakeEntry("Smith, Ann", "555-0100"), "Smith, Ann\t555-0100");
    EXPECT_STREQ(CPhoneList::MakeEntry("Ann", ""), "Ann\t");
    CString name, phone;
    CPhoneList::SplitEntry(CPhoneList::MakeEntry("Lee", "(555) 010-0000"), name, phone);
    EXPECT_STREQ(name, "Lee");
    EXPECT_STREQ(phone, "(555) 010-0000");
}

class PhoneListWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "List parent", WS_POPUP, 0, 0, 300,
                                      200, nullptr, nullptr));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &m_parent, 130));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    CWnd m_parent;
    CPhoneList m_list;
};

TEST_F(PhoneListWindowTest, CreationAddsNotifySortTabStopsAndNoIntegralHeightOnly) {
    const DWORD style = m_list.GetStyle();
    EXPECT_EQ(style & 0x0183u, 0x0183u);
    EXPECT_EQ(style & (WS_BORDER | WS_VSCROLL | WS_HSCROLL), 0u);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), DWORD(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(m_list.GetDlgCtrlID(), 130);
    // LBS_USETABSTOPS is there: the list accepts tab stops.
    EXPECT_TRUE(m_list.SetTabStops(128));
}

TEST_F(PhoneListWindowTest, CreationSetsAnEightPointSansSerifFont) {
    const auto font = reinterpret_cast<HFONT>(m_list.SendMessage(WM_GETFONT));
    ASSERT_NE(font, nullptr) << "the list's own WM_CREATE handler did not run";
    LOGFONTA logFont{};
    ASSERT_EQ(::GetObjectA(font, sizeof logFont, &logFont), int(sizeof logFont));
    const HDC screen = ::GetDC(nullptr);
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(logFont.lfHeight, -((pixelsPerInch * 8) / 72));
    EXPECT_EQ(logFont.lfWidth, 0);
    EXPECT_EQ(logFont.lfWeight, FW_NORMAL);
    EXPECT_FALSE(logFont.lfItalic);
    EXPECT_FALSE(logFont.lfUnderline);
    EXPECT_FALSE(logFont.lfStrikeOut);
    EXPECT_EQ(logFont.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(logFont.lfOutPrecision, OUT_CHARACTER_PRECIS);
    EXPECT_EQ(logFont.lfClipPrecision, CLIP_CHARACTER_PRECIS);
    EXPECT_EQ(logFont.lfQuality, DEFAULT_QUALITY);
    EXPECT_STREQ(logFont.lfFaceName, "MS Sans Serif");
}

TEST_F(PhoneListWindowTest, EntriesKeepAlphabeticalOrderAndEqualEntriesCoexist) {
    for (const char* entry : {"Young, Zoe\t555-0199", "Brown, Al\t555-0101", "Moss, Kim\t",
                              "Brown, Al\t555-0101", "Brown, Ada\t555-0150"})
        m_list.AddString(entry);
    const char* expected[] = {"Brown, Ada\t555-0150", "Brown, Al\t555-0101", "Brown, Al\t555-0101",
                              "Moss, Kim\t", "Young, Zoe\t555-0199"};
    ASSERT_EQ(m_list.GetCount(), 5);
    for (int i = 0; i < 5; ++i) {
        CString text;
        m_list.GetText(i, text);
        EXPECT_STREQ(text, expected[i]) << i;
    }
}

} // namespace
