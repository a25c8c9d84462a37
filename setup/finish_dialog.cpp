#include "finish_dialog.h"

#include "resource.h"
#include "setup_globals.h"

CFinishDialog::CFinishDialog() : CSetupDialog(IDD_FINISH) {}

BOOL CFinishDialog::OnInitDialog() {
    ShowTitleEntry(14);
    ShowEntryWith(IDC_TEXT, 15, IniEntry(3));
    ShowEntry(IDOK, 1);
    CenterOnOwner();
    return CSetupDialog::OnInitDialog();
}
