// CSampleApp: creates the banner window of Panelry4 and runs it.
#pragma once

#include "framework.h"

class CSampleApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
