// CLocationDialog: the modeless dialog where the user confirms or changes the install
// directory. OK checks the free space and starts the copy; Cancel ends Setup after a
// confirmation.
#pragma once

#include "setup_dialog.h"

class CProgressDialog;

class CLocationDialog : public CSetupDialog {
public:
    // pProgressDialog is the dialog that OK opens.
    explicit CLocationDialog(CProgressDialog* pProgressDialog);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    // Change: the browse dialog, then the install directory it chose.
    afx_msg void OnChange();

    DECLARE_MESSAGE_MAP()

private:
    // Control 1003 shows g_strInstallDir, shortened to the control's width.
    void ShowInstallDir();

    CProgressDialog* m_pProgressDialog;
};
