#include "location_dialog.h"

#include "browse_dialog.h"
#include "cancel_dialog.h"
#include "fit_path_to_width.h"
#include "free_space_check.h"
#include "path_operations.h"
#include "progress_dialog.h"
#include "resource.h"
#include "setup_globals.h"

BEGIN_MESSAGE_MAP(CLocationDialog, CSetupDialog)
ON_BN_CLICKED(IDC_CHANGE, OnChange)
END_MESSAGE_MAP()

CLocationDialog::CLocationDialog(CProgressDialog* pProgressDialog)
    : CSetupDialog(IDD_LOCATION), m_pProgressDialog(pProgressDialog) {}

BOOL CLocationDialog::OnInitDialog() {
    ShowTitleEntry(7);
    ShowEntryWith(IDC_TEXT, 8, IniEntry(3));
    if (g_bConfigLoaded)
        SetDlgItemText(IDC_INSTALL_DIR, IniEntry(2));
    ShowEntry(IDOK, 1);
    ShowEntry(IDCANCEL, 2);
    CenterOnOwner();
    return CSetupDialog::OnInitDialog();
}

void CLocationDialog::OnChange() {
    CBrowseDialog dlg;
    if (dlg.DoModal() != IDOK || dlg.m_strCurrentDir.IsEmpty()) {
        // Cancel goes back to the default directory, not to an earlier choice. So does an
        // empty choice, which would otherwise install into the current drive's root.
        g_strInstallDir = g_strDefaultDir;
    } else {
        g_strInstallDir = dlg.m_strCurrentDir;
        if (!PathExists(g_strInstallDir)) {
            if (AfxMessageBox(TextEntry(34), MB_YESNO) == IDYES)
                CreateDirectoryPath(g_strInstallDir);
            else
                g_strInstallDir = g_strDefaultDir;
        }
    }
    ShowInstallDir();
}

void CLocationDialog::ShowInstallDir() {
    SetDlgItemText(IDC_INSTALL_DIR,
                   FitPathToWidth(g_strInstallDir, m_hWnd, GetItemWidth(IDC_INSTALL_DIR)));
}

void CLocationDialog::OnOK() {
    DestroyWindow();
    if (HasRoomToInstall(g_strInstallDir, IniEntry(6))) {
        ::SetEvent(g_startEvent);
        m_pProgressDialog->Create(IDD_PROGRESS, AfxGetMainWnd());
        return;
    }
    ::MessageBoxA(g_hwndMain, TextEntry(17), TextEntry(16), MB_OK);
    ::DestroyWindow(g_hwndMain);
}

void CLocationDialog::OnCancel() {
    CCancelDialog dlg;
    if (dlg.DoModal() == IDOK)
        ::DestroyWindow(g_hwndMain);
}
