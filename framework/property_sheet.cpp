#include "property_sheet.h"

#include "message_thunks.h"
#include "win_app.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The classic layout, in dialog units of the sheet's font.
constexpr int kMargin = 7;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 6;

constexpr DWORD kSheetStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK;

void AppendString(std::vector<WORD>& words, const char* ascii) {
    for (const char* p = ascii; *p; ++p)
        words.push_back(WORD(*p));
    words.push_back(0);
}

DWORD StyleOf(HWND hWnd) {
    return DWORD(::GetWindowLongA(hWnd, GWL_STYLE));
}

bool CanTakeTab(HWND hWnd) {
    const DWORD style = StyleOf(hWnd);
    return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

bool IsWithin(HWND ancestor, HWND hWnd) {
    return hWnd && (hWnd == ancestor || ::IsChild(ancestor, hWnd));
}

} // namespace

BEGIN_MESSAGE_MAP(CPropertySheet, CDialog)
ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_nActivePage(int(iSelectPage)) {
    m_pParentWnd = pParentWnd;
    m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption), m_nActivePage(int(iSelectPage)) {
    m_pParentWnd = pParentWnd;
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
    if (!pPage)
        return;
    pPage->m_pSheet = this;
    m_pages.push_back(pPage);
    if (m_hWndTab) {
        const CString title = pPage->GetTitle();
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPSTR>(static_cast<LPCTSTR>(title));
        ::SendMessageA(m_hWndTab, TCM_INSERTITEMA, m_pages.size() - 1,
                       reinterpret_cast<LPARAM>(&item));
    }
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[size_t(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
    const auto found = std::find(m_pages.begin(), m_pages.end(), pPage);
    return found == m_pages.end() ? -1 : int(found - m_pages.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    return GetPage(m_nActivePage);
}

HWND CPropertySheet::ActivePageHandle() const {
    CPropertyPage* page = GetActivePage();
    return page ? page->m_hWnd : nullptr;
}

BOOL CPropertySheet::SetActivePage(int nPage) {
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_nActivePage = nPage;
        return TRUE;
    }
    if (nPage == m_nActivePage)
        return TRUE;
    if (CPropertyPage* page = GetActivePage(); page && page->m_hWnd && !page->OnKillActive())
        return FALSE;
    ::SendMessageA(m_hWndTab, TCM_SETCURSEL, WPARAM(nPage), 0);
    return ShowPage(nPage);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) {
    return SetActivePage(GetPageIndex(pPage));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText) {
    m_strCaption = lpszText;
    if (m_hWnd)
        SetWindowText(m_strCaption);
}

CWnd* CPropertySheet::GetTabControl() const {
    return CWnd::FromHandle(m_hWndTab);
}

std::vector<BYTE> CPropertySheet::BuildTemplate() const {
    // A DLGTEMPLATE without controls: the sheet makes its controls once it knows its pages.
    std::vector<WORD> words;
    const DWORD style = kSheetStyle;
    words.push_back(LOWORD(style));
    words.push_back(HIWORD(style));
    words.push_back(0); // extended style
    words.push_back(0);
    words.push_back(0);   // no items
    words.push_back(0);   // x
    words.push_back(0);   // y
    words.push_back(100); // cx, corrected by LayOut
    words.push_back(100); // cy
    words.push_back(0);   // no menu
    words.push_back(0);   // the dialog class
    words.push_back(0);   // the caption is set by OnInitDialog
    words.push_back(8);   // point size
    AppendString(words, "MS Sans Serif");
    std::vector<BYTE> bytes(words.size() * sizeof(WORD));
    for (size_t i = 0; i < words.size(); ++i) {
        bytes[2 * i] = BYTE(words[i] & 0xFF);
        bytes[2 * i + 1] = BYTE(words[i] >> 8);
    }
    return bytes;
}

INT_PTR CPropertySheet::DoModal() {
    if (m_pages.empty() || m_hWnd)
        return -1;
    m_nActivePage = std::clamp(m_nActivePage, 0, GetPageCount() - 1);
    const HWND owner = ParentHandle();
    const std::vector<BYTE> dialogTemplate = BuildTemplate();
    m_bEnded = FALSE;
    m_nModalResult = IDCANCEL;
    const HWND hWnd = ::CreateDialogIndirectParamA(
        AfxGetResourceHandle(), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()), owner,
        &DialogProc, reinterpret_cast<LPARAM>(this));
    if (!hWnd) {
        Detach();
        return -1;
    }
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    ::ShowWindow(hWnd, SW_SHOWNORMAL);
    ::SendMessageA(hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hWndTab), TRUE);
    ::UpdateWindow(hWnd);

    // The sheet's own modal loop, so that its keyboard interface sees every message first. It
    // ends with EndDialog, which also hides the window.
    MSG msg;
    while (!m_bEnded && ::IsWindow(hWnd) && ::IsWindowVisible(hWnd)) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT ends the sheet and is posted again for the loop outside.
            if (got == 0)
                ::PostQuitMessage(int(msg.wParam));
            break;
        }
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && ::IsWindow(owner))
        ::SetActiveWindow(owner);
    if (::IsWindow(hWnd))
        ::DestroyWindow(hWnd);
    Detach();
    m_hWndTab = nullptr;
    return m_nModalResult;
}

void CPropertySheet::EndDialog(int nEndID) {
    m_nModalResult = nEndID;
    m_bEnded = TRUE;
    CDialog::EndDialog(nEndID);
}

BOOL CPropertySheet::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(m_strCaption);
    const HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    m_hWndTab = ::CreateWindowExA(
        0, WC_TABCONTROLA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS | TCS_FOCUSONBUTTONDOWN, 0,
        0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(INT_PTR(AFX_IDC_TAB_CONTROL)), nullptr, nullptr);
    ::SendMessageA(m_hWndTab, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (size_t i = 0; i < m_pages.size(); ++i) {
        const CString title = m_pages[i]->GetTitle();
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPSTR>(static_cast<LPCTSTR>(title));
        ::SendMessageA(m_hWndTab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    struct ButtonSpec {
        int id;
        LPCTSTR text;
        DWORD style;
    };
    const ButtonSpec buttons[] = {{IDOK, "OK", BS_DEFPUSHBUTTON | WS_GROUP},
                                  {IDCANCEL, "Cancel", BS_PUSHBUTTON},
                                  {ID_APPLY_NOW, "&Apply", BS_PUSHBUTTON | WS_DISABLED}};
    for (const ButtonSpec& button : buttons) {
        const HWND hButton = ::CreateWindowExA(
            0, "Button", button.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | button.style, 0, 0, 0, 0,
            m_hWnd, reinterpret_cast<HMENU>(INT_PTR(button.id)), nullptr, nullptr);
        ::SendMessageA(hButton, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    LayOut();
    ::SendMessageA(m_hWndTab, TCM_SETCURSEL, WPARAM(m_nActivePage), 0);
    ShowPage(m_nActivePage);
    UpdateApplyButton();
    return FALSE;
}

void CPropertySheet::LayOut() {
    CRect page(0, 0, 0, 0);
    for (CPropertyPage* pPage : m_pages) {
        const CSize size = pPage->GetTemplateSize();
        page.right = std::max(page.right, LONG(size.cx));
        page.bottom = std::max(page.bottom, LONG(size.cy));
    }
    ::MapDialogRect(m_hWnd, &page);
    CRect units(0, 0, kMargin, kMargin);
    ::MapDialogRect(m_hWnd, &units);
    const int marginX = units.right;
    const int marginY = units.bottom;
    CRect button(0, 0, kButtonWidth, kButtonHeight);
    ::MapDialogRect(m_hWnd, &button);
    CRect gap(0, 0, kButtonGap, 0);
    ::MapDialogRect(m_hWnd, &gap);

    CRect tab = page;
    ::SendMessageA(m_hWndTab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&tab));
    tab.OffsetRect(marginX - tab.left, marginY - tab.top);
    const int buttonsWidth = 3 * button.Width() + 2 * gap.right;
    const int clientWidth = std::max(int(tab.right), buttonsWidth + marginX) + marginX;
    tab.right = clientWidth - marginX;
    m_rectPage = tab;
    ::SendMessageA(m_hWndTab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&m_rectPage));
    ::MoveWindow(m_hWndTab, tab.left, tab.top, tab.Width(), tab.Height(), FALSE);

    const int buttonTop = tab.bottom + marginY;
    int x = tab.right - buttonsWidth;
    for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW}) {
        ::MoveWindow(::GetDlgItem(m_hWnd, id), x, buttonTop, button.Width(), button.Height(),
                     FALSE);
        x += button.Width() + gap.right;
    }

    CRect frame(0, 0, clientWidth, buttonTop + button.Height() + marginY);
    ::AdjustWindowRectEx(&frame, StyleOf(m_hWnd), FALSE, DWORD(GetExStyle()));
    // Centred on the screen, as the sheet's size is known only now.
    const int width = frame.Width();
    const int height = frame.Height();
    const int left = std::max(0, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    const int top = std::max(0, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    ::SetWindowPos(m_hWnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CPropertySheet::ShowPage(int nPage) {
    CPropertyPage* page = GetPage(nPage);
    if (!page)
        return FALSE;
    if (!page->m_hWnd && !page->CreatePage(this))
        return FALSE;
    CPropertyPage* previous = GetActivePage();
    const bool hadFocus = previous && previous != page && previous->m_hWnd &&
                          IsWithin(previous->m_hWnd, ::GetFocus());
    m_nActivePage = nPage;
    // The page lies inside the tab control's frame and above it, so that it takes the mouse
    // input there; the tab order puts it after the tab control all the same.
    ::SetWindowPos(page->m_hWnd, HWND_TOP, m_rectPage.left, m_rectPage.top, m_rectPage.Width(),
                   m_rectPage.Height(), SWP_NOACTIVATE);
    page->OnSetActive();
    ::ShowWindow(page->m_hWnd, SW_SHOW);
    if (previous && previous != page && previous->m_hWnd)
        ::ShowWindow(previous->m_hWnd, SW_HIDE);
    if (hadFocus) {
        // The focus was on the page just hidden: it goes to the new page's first control.
        const HWND first = ::GetNextDlgTabItem(page->m_hWnd, nullptr, FALSE);
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first ? first : m_hWndTab),
                       TRUE);
    }
    return TRUE;
}

void CPropertySheet::UpdateApplyButton() {
    if (!m_hWnd)
        return;
    const HWND apply = ::GetDlgItem(m_hWnd, ID_APPLY_NOW);
    if (!apply)
        return;
    const bool modified = std::any_of(m_pages.begin(), m_pages.end(),
                                      [](const CPropertyPage* page) { return page->m_bModified; });
    if (!modified && ::GetFocus() == apply)
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, IDOK)),
                       TRUE);
    ::EnableWindow(apply, modified ? TRUE : FALSE);
}

BOOL CPropertySheet::ApplyChanges() {
    if (CPropertyPage* active = GetActivePage(); active && !active->OnKillActive())
        return FALSE;
    for (size_t i = 0; i < m_pages.size(); ++i) {
        CPropertyPage* page = m_pages[i];
        if (!page->m_hWnd)
            continue;
        if (!page->OnApply()) {
            // The page that refused is shown, so that the user can correct it.
            SetActivePage(int(i));
            return FALSE;
        }
    }
    for (CPropertyPage* page : m_pages)
        page->m_bModified = FALSE;
    UpdateApplyButton();
    return TRUE;
}

void CPropertySheet::OnApplyNow() {
    ApplyChanges();
}

void CPropertySheet::OnOK() {
    if (ApplyChanges())
        EndDialog(IDOK);
}

void CPropertySheet::OnCancel() {
    for (CPropertyPage* page : m_pages)
        if (page->m_hWnd)
            page->OnReset();
    EndDialog(IDCANCEL);
}

BOOL CPropertySheet::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_NOTIFY && m_hWndTab) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == m_hWndTab) {
            *pResult = 0;
            if (header->code == TCN_SELCHANGING) {
                // A page whose exchange fails keeps the sheet on it.
                CPropertyPage* page = GetActivePage();
                *pResult = page && page->m_hWnd && !page->OnKillActive();
            } else if (header->code == TCN_SELCHANGE) {
                ShowPage(int(::SendMessageA(m_hWndTab, TCM_GETCURSEL, 0, 0)));
            }
            return TRUE;
        }
    }
    return CDialog::OnWndMsg(message, wParam, lParam, pResult);
}

std::vector<HWND> CPropertySheet::TabOrder() const {
    // The tab control, the active page's controls, then the sheet's other controls.
    std::vector<HWND> order;
    if (CanTakeTab(m_hWndTab))
        order.push_back(m_hWndTab);
    const HWND page = ActivePageHandle();
    if (page)
        for (HWND control = ::GetWindow(page, GW_CHILD); control;
             control = ::GetWindow(control, GW_HWNDNEXT))
            if (CanTakeTab(control))
                order.push_back(control);
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (child != m_hWndTab && child != page && CanTakeTab(child))
            order.push_back(child);
    return order;
}

void CPropertySheet::MoveFocus(BOOL bPrevious) {
    const std::vector<HWND> order = TabOrder();
    if (order.empty())
        return;
    const HWND focus = ::GetFocus();
    auto at = std::find_if(order.begin(), order.end(),
                           [focus](HWND control) { return IsWithin(control, focus); });
    const int count = int(order.size());
    int index = at == order.end() ? (bPrevious ? 0 : count - 1) : int(at - order.begin());
    index = (index + (bPrevious ? count - 1 : 1)) % count;
    const HWND target = order[size_t(index)];
    // The dialog that holds the control moves the focus, selecting an edit control's text.
    const HWND holder = ::GetParent(target);
    ::SendMessageA(holder, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
}

void CPropertySheet::StepPage(int nStep) {
    const int count = GetPageCount();
    if (count < 2)
        return;
    // Through the tab control, so that the active page can refuse as with a click.
    const int next = ((m_nActivePage + nStep) % count + count) % count;
    ::SendMessageA(m_hWndTab, TCM_SETCURFOCUS, WPARAM(next), 0);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
    if (!m_hWnd || !IsWithin(m_hWnd, pMsg->hwnd))
        return FALSE;
    const UINT message = pMsg->message;
    const bool isKey = message == WM_KEYDOWN || message == WM_CHAR || message == WM_SYSCHAR ||
                       message == WM_SYSKEYDOWN;
    if (message == WM_KEYDOWN) {
        const bool control = ::GetKeyState(VK_CONTROL) < 0;
        const bool shift = ::GetKeyState(VK_SHIFT) < 0;
        if (control &&
            (pMsg->wParam == VK_TAB || pMsg->wParam == VK_NEXT || pMsg->wParam == VK_PRIOR)) {
            const bool backwards = pMsg->wParam == VK_PRIOR || (pMsg->wParam == VK_TAB && shift);
            StepPage(backwards ? -1 : 1);
            return TRUE;
        }
        if (pMsg->wParam == VK_TAB && !(::SendMessageA(pMsg->hwnd, WM_GETDLGCODE, pMsg->wParam,
                                                       reinterpret_cast<LPARAM>(pMsg)) &
                                        (DLGC_WANTTAB | DLGC_WANTMESSAGE))) {
            MoveFocus(shift);
            return TRUE;
        }
    }
    // Keys in the page are the page's (arrows in a radio group, mnemonics), except Enter and
    // Esc, which press the sheet's buttons.
    const HWND page = ActivePageHandle();
    const bool sheetKey =
        message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE);
    if (isKey && page && IsWithin(page, pMsg->hwnd) && !sheetKey)
        return ::IsDialogMessageA(page, pMsg);
    return ::IsDialogMessageA(m_hWnd, pMsg);
}
