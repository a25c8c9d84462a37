// CSampleApp: creates the window and, in idle time, notices when the cursor has left it.
#pragma once

#include "framework.h"

class CSampleApp : public CWinApp {
public:
    BOOL InitInstance() override;
    // Polls while the cursor is over the window; once it has left, clears the box and stops
    // asking for idle time until the next message.
    BOOL OnIdle(LONG lCount) override;
};
