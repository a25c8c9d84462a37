// Common controls: the tab control and the common-controls initialisation.
#pragma once

#include "windef.h"
#include "winuser.h"

#ifndef RC_INVOKED

#define WINCOMMCTRLAPI WINUSERAPI

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

WINCOMMCTRLAPI void WINAPI InitCommonControls(void);
WINCOMMCTRLAPI BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);

#endif

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_HOTKEY_CLASS 0x00000040
#define ICC_ANIMATE_CLASS 0x00000080
#define ICC_WIN95_CLASSES 0x000000FF

// Notification codes shared by the common controls.
#define NM_FIRST (0U - 0U)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_SETFOCUS (NM_FIRST - 7)
#define NM_KILLFOCUS (NM_FIRST - 8)

// The tab control.
#define WC_TABCONTROLA "SysTabControl32"
#define WC_TABCONTROL WC_TABCONTROLA

#define TCS_SCROLLOPPOSITE 0x0001
#define TCS_BOTTOM 0x0002
#define TCS_RIGHT 0x0002
#define TCS_MULTISELECT 0x0004
#define TCS_FLATBUTTONS 0x0008
#define TCS_FORCEICONLEFT 0x0010
#define TCS_FORCELABELLEFT 0x0020
#define TCS_HOTTRACK 0x0040
#define TCS_VERTICAL 0x0080
#define TCS_TABS 0x0000
#define TCS_BUTTONS 0x0100
#define TCS_SINGLELINE 0x0000
#define TCS_MULTILINE 0x0200
#define TCS_RIGHTJUSTIFY 0x0000
#define TCS_FIXEDWIDTH 0x0400
#define TCS_RAGGEDRIGHT 0x0800
#define TCS_FOCUSONBUTTONDOWN 0x1000
#define TCS_OWNERDRAWFIXED 0x2000
#define TCS_TOOLTIPS 0x4000
#define TCS_FOCUSNEVER 0x8000

#define TCM_FIRST 0x1300
#define TCM_GETIMAGELIST (TCM_FIRST + 2)
#define TCM_SETIMAGELIST (TCM_FIRST + 3)
#define TCM_GETITEMCOUNT (TCM_FIRST + 4)
#define TCM_GETITEMA (TCM_FIRST + 5)
#define TCM_SETITEMA (TCM_FIRST + 6)
#define TCM_INSERTITEMA (TCM_FIRST + 7)
#define TCM_DELETEITEM (TCM_FIRST + 8)
#define TCM_DELETEALLITEMS (TCM_FIRST + 9)
#define TCM_GETITEMRECT (TCM_FIRST + 10)
#define TCM_GETCURSEL (TCM_FIRST + 11)
#define TCM_SETCURSEL (TCM_FIRST + 12)
#define TCM_HITTEST (TCM_FIRST + 13)
#define TCM_SETITEMEXTRA (TCM_FIRST + 14)
#define TCM_ADJUSTRECT (TCM_FIRST + 40)
#define TCM_SETITEMSIZE (TCM_FIRST + 41)
#define TCM_GETROWCOUNT (TCM_FIRST + 44)
#define TCM_GETCURFOCUS (TCM_FIRST + 47)
#define TCM_SETCURFOCUS (TCM_FIRST + 48)
#define TCM_GETITEM TCM_GETITEMA
#define TCM_SETITEM TCM_SETITEMA
#define TCM_INSERTITEM TCM_INSERTITEMA

#define TCIF_TEXT 0x0001
#define TCIF_IMAGE 0x0002
#define TCIF_RTLREADING 0x0004
#define TCIF_PARAM 0x0008
#define TCIF_STATE 0x0010

#define TCIS_BUTTONPRESSED 0x0001
#define TCIS_HIGHLIGHTED 0x0002

#define TCHT_NOWHERE 0x0001
#define TCHT_ONITEMICON 0x0002
#define TCHT_ONITEMLABEL 0x0004
#define TCHT_ONITEM (TCHT_ONITEMICON | TCHT_ONITEMLABEL)

#define TCN_FIRST (0U - 550U)
#define TCN_KEYDOWN (TCN_FIRST - 0)
#define TCN_SELCHANGE (TCN_FIRST - 1)
#define TCN_SELCHANGING (TCN_FIRST - 2)

#ifndef RC_INVOKED
typedef struct tagTCITEMA {
    UINT mask;
    DWORD dwState;
    DWORD dwStateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
} TCITEMA, *LPTCITEMA;
typedef TCITEMA TCITEM;
typedef LPTCITEMA LPTCITEM;

// TCN_KEYDOWN: the key pressed while the tab control had the focus.
typedef struct tagTCKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
} NMTCKEYDOWN;

typedef struct tagTCHITTESTINFO {
    POINT pt;
    UINT flags;
} TCHITTESTINFO, *LPTCHITTESTINFO;

#define TabCtrl_GetItemCount(hwnd) ((int)SendMessageA((hwnd), TCM_GETITEMCOUNT, 0, 0))
#define TabCtrl_InsertItem(hwnd, iItem, pitem)                                                     \
    ((int)SendMessageA((hwnd), TCM_INSERTITEMA, (WPARAM)(int)(iItem), (LPARAM)(pitem)))
#define TabCtrl_GetItem(hwnd, iItem, pitem)                                                        \
    ((BOOL)SendMessageA((hwnd), TCM_GETITEMA, (WPARAM)(int)(iItem), (LPARAM)(pitem)))
#define TabCtrl_SetItem(hwnd, iItem, pitem)                                                        \
    ((BOOL)SendMessageA((hwnd), TCM_SETITEMA, (WPARAM)(int)(iItem), (LPARAM)(pitem)))
#define TabCtrl_DeleteItem(hwnd, i)                                                                \
    ((BOOL)SendMessageA((hwnd), TCM_DELETEITEM, (WPARAM)(int)(i), 0))
#define TabCtrl_DeleteAllItems(hwnd) ((BOOL)SendMessageA((hwnd), TCM_DELETEALLITEMS, 0, 0))
#define TabCtrl_GetItemRect(hwnd, i, prc)                                                          \
    ((BOOL)SendMessageA((hwnd), TCM_GETITEMRECT, (WPARAM)(int)(i), (LPARAM)(RECT*)(prc)))
#define TabCtrl_GetCurSel(hwnd) ((int)SendMessageA((hwnd), TCM_GETCURSEL, 0, 0))
#define TabCtrl_SetCurSel(hwnd, i) ((int)SendMessageA((hwnd), TCM_SETCURSEL, (WPARAM)(i), 0))
#define TabCtrl_HitTest(hwnd, pinfo)                                                               \
    ((int)SendMessageA((hwnd), TCM_HITTEST, 0, (LPARAM)(TCHITTESTINFO*)(pinfo)))
#define TabCtrl_AdjustRect(hwnd, bLarger, prc)                                                     \
    ((void)SendMessageA((hwnd), TCM_ADJUSTRECT, (WPARAM)(BOOL)(bLarger), (LPARAM)(RECT*)(prc)))
#define TabCtrl_GetCurFocus(hwnd) ((int)SendMessageA((hwnd), TCM_GETCURFOCUS, 0, 0))
#define TabCtrl_SetCurFocus(hwnd, i) SendMessageA((hwnd), TCM_SETCURFOCUS, (WPARAM)(i), 0)
#endif
