// CListBox over the platform's list box: strings in and out through CString, sorted adds, the
// selection, and tab stops accepted only with LBS_USETABSTOPS.
#include "framework.h"

#include <gtest/gtest.h>

namespace {

class ListBoxTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "List parent", WS_POPUP, 0, 0, 200,
                                      200, nullptr, nullptr));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    CWnd m_parent;
};

TEST_F(ListBoxTest, SortedStringsComeBackThroughCString) {
    CListBox list;
    ASSERT_TRUE(
        list.Create(WS_VISIBLE | LBS_SORT | LBS_USETABSTOPS, CRect(0, 0, 150, 100), &m_parent, 40));
    EXPECT_EQ(list.AddString("Smith, Ann\t555-0100"), 0);
    EXPECT_EQ(list.AddString("Jones, Bob\t555-0199"), 0);
    EXPECT_EQ(list.GetCount(), 2);

    CString text;
    list.GetText(1, text);
    EXPECT_STREQ(text, "Smith, Ann\t555-0100");
    list.GetText(5, text);
    EXPECT_TRUE(text.IsEmpty());

    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(list.SetCurSel(1), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.DeleteString(0), 1);
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_TRUE(list.SetTabStops(128));
}

} // namespace
