// CWelcomeDialog: the first dialog of the sequence. Only OK closes it; Esc does nothing.
#pragma once

#include "setup_dialog.h"

class CWelcomeDialog : public CSetupDialog {
public:
    CWelcomeDialog();

    BOOL OnInitDialog() override;
    void OnCancel() override;
};
