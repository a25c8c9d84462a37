// Property sheets and pages: the sheet's layout and buttons, page switching (which the active
// page may refuse, and which a failed exchange refuses), the Apply button following the pages'
// modified marks, Apply, OK and Cancel, the keyboard, and reading page templates.
#include "framework.h"
#include "framework_tests.h"
#include "page_template.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <string>

namespace {

// Runs steps from inside the sheet's modal loop: each step is a posted message, and the next
// one is posted before a step runs, so that a step opening a message box finds its successor.
class SheetSteps {
public:
    SheetSteps() {
        WNDCLASSA description{};
        description.lpfnWndProc = &Procedure;
        description.lpszClassName = "SheetTestSteps";
        if (!::GetClassInfoA(nullptr, description.lpszClassName, &description))
            ::RegisterClassA(&description);
        m_hWnd = ::CreateWindowExA(0, "SheetTestSteps", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   nullptr, nullptr);
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~SheetSteps() { ::DestroyWindow(m_hWnd); }

    void Add(std::function<void()> step) { m_steps.push_back(std::move(step)); }
    void Start() { ::PostMessageA(m_hWnd, kStep, 0, 0); }
    bool Done() const { return m_steps.empty(); }

private:
    static constexpr UINT kStep = WM_USER + 31;
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<SheetSteps*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (message != kStep || !self)
            return ::DefWindowProcA(hWnd, message, wParam, lParam);
        if (self->m_steps.empty())
            return 0;
        auto step = std::move(self->m_steps.front());
        self->m_steps.pop_front();
        if (!self->m_steps.empty())
            self->Start();
        step();
        return 0;
    }

    HWND m_hWnd = nullptr;
    std::deque<std::function<void()>> m_steps;
};

// A page that appends what happens to it to a trace: S(et active), K(ill active), A(pply),
// R(eset), each followed by its number.
class CTracePage : public CPropertyPage {
public:
    CTracePage(UINT nIDTemplate, char number, std::string& trace)
        : CPropertyPage(nIDTemplate), m_number(number), m_trace(trace) {}

    int m_nValue = 5;
    BOOL m_bRefuseLeaving = FALSE;
    BOOL m_bRefuseApply = FALSE;
    BOOL m_bExchanges = TRUE;

    BOOL OnSetActive() override {
        Note('S');
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override {
        Note('K');
        return m_bRefuseLeaving ? FALSE : CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override {
        Note('A');
        return m_bRefuseApply ? FALSE : CPropertyPage::OnApply();
    }
    void OnReset() override {
        Note('R');
        CPropertyPage::OnReset();
    }

protected:
    // As a program's page does: any change of the edit control marks the page modified.
    afx_msg void OnNumberChanged() { SetModified(TRUE); }

    void DoDataExchange(CDataExchange* pDX) override {
        if (!m_bExchanges)
            return;
        DDX_Text(pDX, IDC_PAGE_NUMBER, m_nValue);
        DDV_MinMaxInt(pDX, m_nValue, 0, 10);
    }

private:
    void Note(char what) {
        m_trace += what;
        m_trace += m_number;
    }
    char m_number;
    std::string& m_trace;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTracePage, CPropertyPage)
ON_EN_CHANGE(IDC_PAGE_NUMBER, OnNumberChanged)
END_MESSAGE_MAP()

class PropertySheetTest : public ::testing::Test {
protected:
    CWinApp m_app{"Sheet test"};
    std::string m_trace;
    CTracePage m_first{IDD_PAGE_ONE, '0', m_trace};
    CTracePage m_second{IDD_PAGE_TWO, '1', m_trace};
    CPropertySheet m_sheet{"Settings"};
    SheetSteps m_steps;

    void SetUp() override {
        m_second.m_bExchanges = FALSE;
        m_sheet.AddPage(&m_first);
        m_sheet.AddPage(&m_second);
    }

    // Runs the sheet with the steps queued; returns DoModal's result.
    INT_PTR Run() {
        m_steps.Start();
        const INT_PTR result = m_sheet.DoModal();
        EXPECT_TRUE(m_steps.Done()) << "the sheet closed before every step ran";
        return result;
    }
    // Steps run with the sheet open; the last step should close it.
    void Then(std::function<void()> step) { m_steps.Add(std::move(step)); }

    HWND Sheet() const { return m_sheet.m_hWnd; }
    HWND Tab() const { return ::GetDlgItem(Sheet(), AFX_IDC_TAB_CONTROL); }
    HWND Button(int id) const { return ::GetDlgItem(Sheet(), id); }
    void Press(int id) const {
        ::SendMessageA(Sheet(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(Button(id)));
    }
    void ClickTab(int index) const {
        RECT item{};
        ::SendMessageA(Tab(), TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&item));
        const LPARAM where = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        ::SendMessageA(Tab(), WM_LBUTTONDOWN, MK_LBUTTON, where);
        ::SendMessageA(Tab(), WM_LBUTTONUP, 0, where);
    }
    bool ApplyEnabled() const { return ::IsWindowEnabled(Button(ID_APPLY_NOW)) != FALSE; }
    std::string TabText(int index) const {
        char buffer[64] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        ::SendMessageA(Tab(), TCM_GETITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    // A key as the sheet's loop would see it, for the control with the focus.
    BOOL Key(UINT key) {
        MSG msg{::GetFocus(), WM_KEYDOWN, key, 1, 0, {0, 0}};
        return m_sheet.PreTranslateMessage(&msg);
    }
    // Acknowledges the message box that is open; its text, or empty when none is.
    static std::string AcknowledgeMessageBox() {
        const HWND box = ::GetActiveWindow();
        const HWND text = ::GetDlgItem(box, 0xFFFE);
        if (!text)
            return "";
        char buffer[256] = {};
        ::GetWindowTextA(text, buffer, sizeof buffer);
        ::SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
        return buffer;
    }
};

TEST_F(PropertySheetTest, SheetShowsTabsFromThePageCaptionsAndTheThreeButtons) {
    Then([&] {
        char caption[64] = {};
        ::GetWindowTextA(Sheet(), caption, sizeof caption);
        EXPECT_STREQ(caption, "Settings");
        EXPECT_EQ(::SendMessageA(Tab(), TCM_GETITEMCOUNT, 0, 0), 2);
        EXPECT_EQ(TabText(0), "One");
        EXPECT_EQ(TabText(1), "Second page");
        EXPECT_EQ(::SendMessageA(Tab(), TCM_GETCURSEL, 0, 0), 0);
        const char* texts[] = {"OK", "Cancel", "&Apply"};
        const int ids[] = {IDOK, IDCANCEL, ID_APPLY_NOW};
        for (int i = 0; i < 3; ++i) {
            ASSERT_NE(Button(ids[i]), nullptr);
            ::GetWindowTextA(Button(ids[i]), caption, sizeof caption);
            EXPECT_STREQ(caption, texts[i]);
        }
        EXPECT_FALSE(ApplyEnabled());
        EXPECT_EQ(::GetWindowLongA(Button(IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        // The first page is the one shown, and the only one made.
        EXPECT_NE(m_first.m_hWnd, nullptr);
        EXPECT_EQ(m_second.m_hWnd, nullptr);
        EXPECT_EQ(m_sheet.GetActivePage(), &m_first);
        EXPECT_TRUE(::IsWindowVisible(m_first.m_hWnd));
        // A page is a captionless child.
        const DWORD style = DWORD(::GetWindowLongA(m_first.m_hWnd, GWL_STYLE));
        EXPECT_TRUE(style & WS_CHILD);
        EXPECT_EQ(style & (WS_CAPTION | WS_DISABLED), 0u);
        Press(IDCANCEL);
    });
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_EQ(m_trace, "S0R0");
}

TEST_F(PropertySheetTest, SheetIsSizedToTheLargestPageInsideTheTabFrame) {
    Then([&] {
        // The largest page is 150 dialog units wide (the second) and 80 high (the first).
        RECT largest{0, 0, 150, 80};
        ::MapDialogRect(Sheet(), &largest);
        RECT page{};
        ::GetWindowRect(m_first.m_hWnd, &page);
        // (The button row may make the sheet, and so the page area, wider still.)
        EXPECT_GE(page.right - page.left, largest.right);
        EXPECT_EQ(page.bottom - page.top, largest.bottom);
        // The page lies in the tab control's display area.
        RECT tab{};
        ::GetWindowRect(Tab(), &tab);
        RECT display = tab;
        ::SendMessageA(Tab(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        EXPECT_GE(page.left, display.left);
        EXPECT_GE(page.top, display.top);
        EXPECT_LE(page.right, display.right);
        EXPECT_LE(page.bottom, display.bottom);
        // The buttons sit in one row below the tab control, in the order OK, Cancel, Apply,
        // the last one ending at the tab control's right edge, all inside the client area.
        RECT ok{}, cancel{}, apply{}, client{};
        ::GetWindowRect(Button(IDOK), &ok);
        ::GetWindowRect(Button(IDCANCEL), &cancel);
        ::GetWindowRect(Button(ID_APPLY_NOW), &apply);
        EXPECT_GT(ok.top, tab.bottom);
        EXPECT_EQ(ok.top, cancel.top);
        EXPECT_EQ(ok.top, apply.top);
        EXPECT_LT(ok.right, cancel.left);
        EXPECT_LT(cancel.right, apply.left);
        EXPECT_EQ(apply.right, tab.right);
        RECT size{0, 0, 50, 14};
        ::MapDialogRect(Sheet(), &size);
        EXPECT_EQ(ok.right - ok.left, size.right);
        EXPECT_EQ(ok.bottom - ok.top, size.bottom);
        ::GetClientRect(Sheet(), &client);
        ::MapWindowPoints(Sheet(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        EXPECT_LT(apply.right, client.right);
        EXPECT_LT(apply.bottom, client.bottom);
        Press(IDCANCEL);
    });
    Run();
}

TEST_F(PropertySheetTest, ClickingATabLeavesThePageAndShowsTheOther) {
    Then([&] {
        ClickTab(1);
        EXPECT_EQ(m_sheet.GetActiveIndex(), 1);
        EXPECT_NE(m_second.m_hWnd, nullptr);
        EXPECT_TRUE(::IsWindowVisible(m_second.m_hWnd));
        EXPECT_FALSE(::IsWindowVisible(m_first.m_hWnd));
        ClickTab(0);
        EXPECT_EQ(m_sheet.GetActivePage(), &m_first);
        Press(IDCANCEL);
    });
    Run();
    EXPECT_EQ(m_trace, "S0K0S1K1S0R0R1");
}

TEST_F(PropertySheetTest, PageThatRefusesToBeLeftKeepsTheSheetOnIt) {
    m_first.m_bRefuseLeaving = TRUE;
    Then([&] {
        ClickTab(1);
        EXPECT_EQ(m_sheet.GetActiveIndex(), 0);
        EXPECT_EQ(::SendMessageA(Tab(), TCM_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(m_second.m_hWnd, nullptr);
        EXPECT_FALSE(m_sheet.SetActivePage(1));
        EXPECT_EQ(m_sheet.GetActiveIndex(), 0);
        Press(IDCANCEL);
    });
    Run();
    EXPECT_EQ(m_trace, "S0K0K0R0");
}

TEST_F(PropertySheetTest, FailedExchangeKeepsThePageAndReportsTheValue) {
    std::string reported;
    Then([&] {
        ::SetDlgItemTextA(m_first.m_hWnd, IDC_PAGE_NUMBER, "11");
        ClickTab(1); // the range message opens here; the next step answers it
    });
    Then([&] { reported = AcknowledgeMessageBox(); });
    Then([&] {
        EXPECT_EQ(m_sheet.GetActiveIndex(), 0);
        EXPECT_EQ(m_second.m_hWnd, nullptr);
        ::SetDlgItemTextA(m_first.m_hWnd, IDC_PAGE_NUMBER, "7");
        ClickTab(1);
        EXPECT_EQ(m_sheet.GetActiveIndex(), 1);
        Press(IDCANCEL);
    });
    Run();
    EXPECT_FALSE(reported.empty()) << "no message box was shown";
    EXPECT_EQ(m_first.m_nValue, 7);
}

TEST_F(PropertySheetTest, ApplyIsEnabledWhileAnyPageIsModified) {
    Then([&] {
        EXPECT_FALSE(ApplyEnabled());
        m_first.SetModified(TRUE);
        EXPECT_TRUE(ApplyEnabled());
        // A page never shown can be marked too.
        m_second.SetModified(TRUE);
        m_first.SetModified(FALSE);
        EXPECT_TRUE(ApplyEnabled());
        m_second.SetModified(FALSE);
        EXPECT_FALSE(ApplyEnabled());
        Press(IDCANCEL);
    });
    Run();
}

TEST_F(PropertySheetTest, LoadingAPageDoesNotMarkItModified) {
    Then([&] {
        // The first page's edit control got its text from the member when the page was made.
        char text[16] = {};
        ::GetDlgItemTextA(m_first.m_hWnd, IDC_PAGE_NUMBER, text, sizeof text);
        EXPECT_STREQ(text, "5");
        EXPECT_FALSE(m_first.IsModified());
        EXPECT_FALSE(ApplyEnabled());
        // A change afterwards does.
        ::SetDlgItemTextA(m_first.m_hWnd, IDC_PAGE_NUMBER, "6");
        EXPECT_TRUE(m_first.IsModified());
        EXPECT_TRUE(ApplyEnabled());
        Press(IDCANCEL);
    });
    Run();
}

TEST_F(PropertySheetTest, ApplyExchangesTheActivePageAndAppliesTheCreatedPages) {
    Then([&] {
        ::SetDlgItemTextA(m_first.m_hWnd, IDC_PAGE_NUMBER, "3");
        m_first.SetModified(TRUE);
        m_second.SetModified(TRUE);
        ASSERT_TRUE(ApplyEnabled());
        ::SendMessageA(Sheet(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Button(ID_APPLY_NOW)),
                       TRUE);
        Press(ID_APPLY_NOW);
        // The page never shown was not applied; every mark is cleared.
        EXPECT_EQ(m_trace, "S0K0A0");
        EXPECT_EQ(m_first.m_nValue, 3);
        EXPECT_FALSE(m_first.IsModified());
        EXPECT_FALSE(m_second.IsModified());
        EXPECT_FALSE(ApplyEnabled());
        // The focus left the button that became disabled.
        EXPECT_NE(::GetFocus(), Button(ID_APPLY_NOW));
        EXPECT_TRUE(::IsWindowVisible(Sheet()));
        Press(IDCANCEL);
    });
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_EQ(m_first.m_nValue, 3);
}

TEST_F(PropertySheetTest, PageRefusingApplyIsShownAndKeepsApplyEnabled) {
    m_second.m_bRefuseApply = TRUE;
    Then([&] {
        ClickTab(1);
        ClickTab(0);
        m_first.SetModified(TRUE);
        m_trace.clear();
        Press(ID_APPLY_NOW);
        EXPECT_EQ(m_trace, "K0A0A1K0S1");
        EXPECT_EQ(m_sheet.GetActiveIndex(), 1);
        EXPECT_TRUE(ApplyEnabled());
        Press(IDCANCEL);
    });
    Run();
}

TEST_F(PropertySheetTest, OkAppliesAndEndsWithIdok) {
    Then([&] {
        ::SetDlgItemTextA(m_first.m_hWnd, IDC_PAGE_NUMBER, "9");
        Press(IDOK);
    });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(m_trace, "S0K0A0");
    EXPECT_EQ(m_first.m_nValue, 9);
    EXPECT_EQ(m_sheet.m_hWnd, nullptr);
    EXPECT_EQ(m_first.m_hWnd, nullptr);
}

TEST_F(PropertySheetTest, OkWithARefusedValueKeepsTheSheetOpen) {
    std::string reported;
    Then([&] {
        ::SetDlgItemTextA(m_first.m_hWnd, IDC_PAGE_NUMBER, "abc");
        Press(IDOK);
    });
    Then([&] { reported = AcknowledgeMessageBox(); });
    Then([&] {
        EXPECT_TRUE(::IsWindowVisible(Sheet()));
        Press(IDCANCEL);
    });
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_FALSE(reported.empty());
    EXPECT_EQ(m_first.m_nValue, 5);
}

TEST_F(PropertySheetTest, CancelEndsWithoutExchange) {
    Then([&] {
        ::SetDlgItemTextA(m_first.m_hWnd, IDC_PAGE_NUMBER, "2");
        Press(IDCANCEL);
    });
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_EQ(m_first.m_nValue, 5);
    EXPECT_EQ(m_trace, "S0R0");
}

TEST_F(PropertySheetTest, EnterPressesOkAndEscapePressesCancelFromInsideAPage) {
    Then([&] {
        ::SendMessageA(Sheet(), WM_NEXTDLGCTL,
                       reinterpret_cast<WPARAM>(::GetDlgItem(m_first.m_hWnd, IDC_PAGE_NUMBER)),
                       TRUE);
        ::SetDlgItemTextA(m_first.m_hWnd, IDC_PAGE_NUMBER, "4");
        EXPECT_TRUE(Key(VK_RETURN));
    });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(m_first.m_nValue, 4);

    Then([&] {
        ::SendMessageA(Sheet(), WM_NEXTDLGCTL,
                       reinterpret_cast<WPARAM>(::GetDlgItem(m_first.m_hWnd, IDC_PAGE_CHECK)),
                       TRUE);
        EXPECT_TRUE(Key(VK_ESCAPE));
    });
    EXPECT_EQ(Run(), IDCANCEL);
}

TEST_F(PropertySheetTest, TabRunsThroughTheTabControlThePageAndTheEnabledButtons) {
    std::vector<HWND> visited;
    Then([&] {
        ::SendMessageA(Sheet(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Tab()), TRUE);
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(Key(VK_TAB));
            visited.push_back(::GetFocus());
        }
        const std::vector<HWND> expected{::GetDlgItem(m_first.m_hWnd, IDC_PAGE_NUMBER),
                                         ::GetDlgItem(m_first.m_hWnd, IDC_PAGE_CHECK), Button(IDOK),
                                         Button(IDCANCEL), Tab()};
        EXPECT_EQ(visited, expected);
        Press(IDCANCEL);
    });
    Run();
}

TEST_F(PropertySheetTest, SetActivePageBeforeRunningChoosesTheFirstPageShown) {
    EXPECT_TRUE(m_sheet.SetActivePage(&m_second));
    EXPECT_FALSE(m_sheet.SetActivePage(2));
    EXPECT_EQ(m_sheet.GetPageCount(), 2);
    EXPECT_EQ(m_sheet.GetPage(1), &m_second);
    EXPECT_EQ(m_sheet.GetPageIndex(&m_first), 0);
    Then([&] {
        EXPECT_EQ(::SendMessageA(Tab(), TCM_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(m_first.m_hWnd, nullptr);
        Press(IDCANCEL);
    });
    Run();
    EXPECT_EQ(m_trace, "S1R1");
}

// Page templates as the sheet reads them, built by hand.
std::vector<BYTE> PlainTemplate(DWORD style, short cx, short cy, const char* caption) {
    std::vector<BYTE> bytes;
    auto word = [&bytes](WORD value) {
        bytes.push_back(BYTE(value & 0xFF));
        bytes.push_back(BYTE(value >> 8));
    };
    word(LOWORD(style));
    word(HIWORD(style));
    word(0);
    word(0);
    word(0); // no items
    word(0);
    word(0);
    word(WORD(cx));
    word(WORD(cy));
    word(0xFFFF); // a menu by ordinal
    word(7);
    word(0); // the dialog class
    for (const char* p = caption; *p; ++p)
        word(WORD(*p));
    word(0);
    return bytes;
}

TEST(PageTemplate, ReadsCaptionAndSizeAndGivesThePageStyle) {
    const DWORD style = WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT;
    const auto bytes = PlainTemplate(style, 132, 144, "Background");
    const auto page = framework::ReadPageTemplate(bytes.data(), bytes.size());
    ASSERT_TRUE(page.has_value());
    EXPECT_STREQ(page->caption, "Background");
    EXPECT_EQ(page->size.cx, 132);
    EXPECT_EQ(page->size.cy, 144);
    DWORD pageStyle = 0;
    std::memcpy(&pageStyle, page->bytes.data(), 4);
    EXPECT_EQ(pageStyle, DWORD(WS_CHILD | DS_SETFONT | DS_CONTROL));
}

TEST(PageTemplate, PopupTemplatesBecomeChildren) {
    const DWORD style = framework::PageStyle(WS_POPUP | WS_VISIBLE | WS_SYSMENU | DS_MODALFRAME);
    EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE | WS_SYSMENU | DS_MODALFRAME), 0u);
    EXPECT_EQ(style & (WS_CHILD | DS_CONTROL), DWORD(WS_CHILD | DS_CONTROL));
}

TEST(PageTemplate, ReadsTheExtendedLayout) {
    std::vector<BYTE> bytes{1, 0, 0xFF, 0xFF}; // version 1, signature 0xFFFF
    bytes.resize(26, 0);
    const DWORD style = WS_CHILD | WS_CAPTION;
    std::memcpy(bytes.data() + 12, &style, 4);
    bytes[22] = 60; // cx
    bytes[24] = 40; // cy
    for (WORD unit : {WORD(0), WORD(0), WORD('T'), WORD('x'), WORD(0)}) {
        bytes.push_back(BYTE(unit));
        bytes.push_back(0);
    }
    const auto page = framework::ReadPageTemplate(bytes.data(), bytes.size());
    ASSERT_TRUE(page.has_value());
    EXPECT_STREQ(page->caption, "Tx");
    EXPECT_EQ(page->size.cx, 60);
    EXPECT_EQ(page->size.cy, 40);
    DWORD pageStyle = 0;
    std::memcpy(&pageStyle, page->bytes.data() + 12, 4);
    EXPECT_EQ(pageStyle & WS_CAPTION, 0u);
}

TEST(PageTemplate, TruncatedTemplatesAreRefused) {
    const auto bytes = PlainTemplate(WS_CHILD, 10, 10, "Caption");
    // Every cut before the caption's terminating zero is refused.
    for (size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(framework::ReadPageTemplate(bytes.data(), length).has_value()) << length;
    EXPECT_FALSE(framework::ReadPageTemplate(nullptr, 100).has_value());
}

} // namespace
