// CSampleApp: creates Dialbook's main window and runs it.
#pragma once

#include "framework.h"

class CSampleApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
