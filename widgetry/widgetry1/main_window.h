// CMainWindow of Widgetry1: a minimal text editor. One multi-line edit control fills the client
// area; the Edit menu's items are enabled only when their operation can do something.
#pragma once

#include "framework.h"

class CMainWindow : public CFrameWnd {
public:
    CMainWindow();

protected:
    CEdit m_wndEdit;

    // The edit control's selection is not empty.
    BOOL HasSelection() const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnFileNew();
    afx_msg void OnFileExit();
    afx_msg void OnEditUndo();
    afx_msg void OnEditCut();
    afx_msg void OnEditCopy();
    afx_msg void OnEditPaste();
    afx_msg void OnEditDelete();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditCut(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditCopy(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditDelete(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
