// CCmdUI: the user-interface item of one command (a menu item) whose state an update handler
// (ON_UPDATE_COMMAND_UI) sets.
#pragma once

#include "cstring.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;    // position of the item in m_pMenu
    UINT m_nIndexMax = 0; // number of items in m_pMenu
    CMenu* m_pMenu = nullptr;
    CWnd* m_pOther = nullptr; // a window standing for the command instead of a menu item

    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1); // 0 unchecked, 1 checked
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    // Asks pTarget's update handler for the item's state. With bDisableIfNoHandler, an item
    // whose state no handler enabled is enabled exactly when a command handler exists.
    void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

protected:
    BOOL m_bEnableChanged = FALSE;
};
