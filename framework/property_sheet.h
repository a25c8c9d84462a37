// CPropertySheet: a modal dialog with a tab control above one property page at a time, and
// the buttons OK, Cancel and Apply below. The framework makes the sheet's window itself, sized
// to the largest page plus the tab frame and the button row; pages are created the first time
// they are shown.
//
// Switching pages (a tab click, Ctrl+Tab, Ctrl+Shift+Tab, SetActivePage) first asks the active
// page (OnKillActive), which keeps it when its data exchange fails. Apply (ID_APPLY_NOW, enabled
// while some page is modified) asks the active page the same, then calls OnApply of every page
// that has been created and clears the modified marks. OK applies and closes with IDOK; Cancel
// resets the pages and closes with IDCANCEL. Enter and Esc work as in any dialog.
#pragma once

#include "property_page.h"

#include <vector>

// The identifiers of the sheet's tab control and Apply button.
#define AFX_IDC_TAB_CONTROL 0x3020
#define ID_APPLY_NOW 0x3021

class CPropertySheet : public CDialog {
public:
    CPropertySheet() = default;
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // Pages are shown in the order they were added; a sheet does not own them.
    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const { return int(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return m_nActivePage; }
    // Before DoModal: the page shown first. While the sheet is open: a switch, which the
    // active page may refuse (FALSE).
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(LPCTSTR lpszText);
    // The tab control while the sheet is open.
    CWnd* GetTabControl() const;

    // Returns IDOK or IDCANCEL, or -1 when the sheet could not be created.
    INT_PTR DoModal() override;
    void EndDialog(int nEndID);

    // The sheet's keyboard interface: Ctrl+Tab and Ctrl+Shift+Tab (also Ctrl+PageDown and
    // Ctrl+PageUp) switch pages, Tab runs through the tab control, the active page's controls
    // and the buttons, and the other dialog keys work in the page and in the sheet.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Enables Apply exactly while some page is modified.
    void UpdateApplyButton();

protected:
    BOOL OnInitDialog() override;
    // OK: Apply, then EndDialog(IDOK) when every page agreed.
    void OnOK() override;
    // Cancel: OnReset of every page that was created, then EndDialog(IDCANCEL).
    void OnCancel() override;
    afx_msg void OnApplyNow();
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    DECLARE_MESSAGE_MAP()

private:
    // The exchange of the active page, then OnApply of the created pages; TRUE when all
    // agreed, after which no page is modified.
    BOOL ApplyChanges();
    // Hides the active page and shows page nPage, creating it the first time.
    BOOL ShowPage(int nPage);
    void LayOut();
    std::vector<BYTE> BuildTemplate() const;
    // The tab order across the sheet's own controls and the active page's controls.
    std::vector<HWND> TabOrder() const;
    void MoveFocus(BOOL bPrevious);
    void StepPage(int nStep);
    HWND ActivePageHandle() const;

    CString m_strCaption;
    std::vector<CPropertyPage*> m_pages;
    int m_nActivePage = 0;
    HWND m_hWndTab = nullptr;
    CRect m_rectPage;
    INT_PTR m_nModalResult = IDCANCEL;
    BOOL m_bEnded = FALSE;
};
