// CCancelDialog: asks whether the user really wants to cancel; OK confirms, Cancel declines.
#pragma once

#include "setup_dialog.h"

class CCancelDialog : public CSetupDialog {
public:
    explicit CCancelDialog(CWnd* pParentWnd = nullptr);

    BOOL OnInitDialog() override;
};
