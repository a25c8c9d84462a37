#include "setup_dialog.h"

#include "entry_format.h"
#include "setup_globals.h"

CSetupDialog::CSetupDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

void CSetupDialog::ShowTitleEntry(int nEntry) {
    if (g_bConfigLoaded)
        SetWindowText(TextEntry(nEntry));
}

void CSetupDialog::ShowEntry(int nIDC, int nEntry) {
    if (g_bConfigLoaded)
        SetDlgItemText(nIDC, TextEntry(nEntry));
}

void CSetupDialog::ShowEntryWith(int nIDC, int nEntry, const CString& strValue) {
    if (g_bConfigLoaded)
        SetDlgItemText(nIDC, FormatEntry(TextEntry(nEntry), strValue));
}

void CSetupDialog::CenterOnOwner() {
    CRect rcArea(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (const HWND hwndOwner = ::GetWindow(m_hWnd, GW_OWNER))
        ::GetWindowRect(hwndOwner, &rcArea);
    CRect rcDialog;
    GetWindowRect(&rcDialog);
    const int x = rcArea.left + (rcArea.Width() - rcDialog.Width()) / 2;
    const int y = rcArea.top + (rcArea.Height() - rcDialog.Height()) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CSetupDialog::GetItemWidth(int nIDC) const {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    const HWND hwndItem = ::GetDlgItem(m_hWnd, nIDC);
    if (!hwndItem || !::GetWindowPlacement(hwndItem, &placement))
        return -1;
    return placement.rcNormalPosition.right - placement.rcNormalPosition.left;
}
