// CFinishDialog: tells the user that the product is installed.
#pragma once

#include "setup_dialog.h"

class CFinishDialog : public CSetupDialog {
public:
    CFinishDialog();

    BOOL OnInitDialog() override;
};
