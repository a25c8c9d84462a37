// CMainWindow of Penbox3: a frame whose whole client area is the gallery view.
#pragma once

#include "framework.h"

class CMainWindow : public CFrameWnd {
public:
    CMainWindow();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

    DECLARE_MESSAGE_MAP()
};
