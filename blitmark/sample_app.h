// CSampleApp: creates Blitmark's main window.
#pragma once

#include "framework.h"

class CSampleApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
