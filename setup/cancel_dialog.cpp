#include "cancel_dialog.h"

#include "resource.h"

CCancelDialog::CCancelDialog(CWnd* pParentWnd) : CSetupDialog(IDD_CANCEL, pParentWnd) {}

BOOL CCancelDialog::OnInitDialog() {
    ShowTitleEntry(9);
    ShowEntry(IDC_TEXT, 10);
    ShowEntry(IDOK, 1);
    ShowEntry(IDCANCEL, 2);
    CenterOnOwner();
    return CSetupDialog::OnInitDialog();
}
