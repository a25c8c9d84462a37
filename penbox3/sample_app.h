// CSampleApp of Penbox3: creates and shows the main window.
#pragma once

#include "framework.h"

class CSampleApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
