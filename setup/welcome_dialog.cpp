#include "welcome_dialog.h"

#include "resource.h"
#include "setup_globals.h"

CWelcomeDialog::CWelcomeDialog() : CSetupDialog(IDD_WELCOME) {}

BOOL CWelcomeDialog::OnInitDialog() {
    ShowTitleEntry(5);
    ShowEntryWith(IDC_TEXT, 6, IniEntry(3));
    ShowEntry(IDOK, 1);
    CenterOnOwner();
    return CSetupDialog::OnInitDialog();
}

void CWelcomeDialog::OnCancel() {}
