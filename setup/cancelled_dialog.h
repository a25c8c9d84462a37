// CCancelledDialog: tells the user that the copy was cancelled.
#pragma once

#include "setup_dialog.h"

class CCancelledDialog : public CSetupDialog {
public:
    CCancelledDialog();

    BOOL OnInitDialog() override;
};
