// CMainWindow of Dialbook: the "Names and Phones" frame, its client area covered by the list of
// entries, with an Options menu that adds an entry or ends the program.
#pragma once

#include "phone_list.h"

class CMainWindow : public CFrameWnd {
public:
    CMainWindow();

protected:
    CPhoneList m_list;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnOptionsNew();
    afx_msg void OnOptionsExit();

    DECLARE_MESSAGE_MAP()
};
