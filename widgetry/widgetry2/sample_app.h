// CSampleApp: creates the Widgetry2 window and runs it.
#pragma once

#include "framework.h"

class CSampleApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
