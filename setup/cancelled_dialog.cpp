#include "cancelled_dialog.h"

#include "resource.h"

CCancelledDialog::CCancelledDialog() : CSetupDialog(IDD_CANCELLED) {}

BOOL CCancelledDialog::OnInitDialog() {
    ShowTitleEntry(27);
    ShowEntry(IDC_TEXT, 28);
    ShowEntry(IDOK, 1);
    CenterOnOwner();
    return CSetupDialog::OnInitDialog();
}
