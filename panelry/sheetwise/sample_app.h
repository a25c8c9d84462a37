// CSampleApp: creates the banner window of Sheetwise and runs it.
#pragma once

#include "framework.h"

class CSampleApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
