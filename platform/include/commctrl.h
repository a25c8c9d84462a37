// Common controls: the tab control, image lists, the tree view and the common-controls
// initialisation.
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

// Image lists.
#ifndef RC_INVOKED
struct _IMAGELIST;
typedef struct _IMAGELIST* HIMAGELIST;
#endif

#define CLR_NONE 0xFFFFFFFFL
#define CLR_DEFAULT 0xFF000000L

#define ILC_MASK 0x00000001
#define ILC_COLOR 0x00000000
#define ILC_COLORDDB 0x000000FE
#define ILC_COLOR4 0x00000004
#define ILC_COLOR8 0x00000008
#define ILC_COLOR16 0x00000010
#define ILC_COLOR24 0x00000018
#define ILC_COLOR32 0x00000020

#define ILD_NORMAL 0x00000000
#define ILD_TRANSPARENT 0x00000001
#define ILD_BLEND25 0x00000002
#define ILD_FOCUS ILD_BLEND25
#define ILD_BLEND50 0x00000004
#define ILD_SELECTED ILD_BLEND50
#define ILD_BLEND ILD_BLEND50
#define ILD_MASK 0x00000010
#define ILD_IMAGE 0x00000020

#ifndef RC_INVOKED
WINCOMMCTRLAPI HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int cInitial,
                                                  int cGrow);
WINCOMMCTRLAPI BOOL WINAPI ImageList_Destroy(HIMAGELIST himl);
WINCOMMCTRLAPI int WINAPI ImageList_GetImageCount(HIMAGELIST himl);
WINCOMMCTRLAPI int WINAPI ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask);
WINCOMMCTRLAPI int WINAPI ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask);
WINCOMMCTRLAPI BOOL WINAPI ImageList_Remove(HIMAGELIST himl, int i);
WINCOMMCTRLAPI BOOL WINAPI ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y,
                                          UINT fStyle);
WINCOMMCTRLAPI BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
WINCOMMCTRLAPI COLORREF WINAPI ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk);
WINCOMMCTRLAPI COLORREF WINAPI ImageList_GetBkColor(HIMAGELIST himl);
WINCOMMCTRLAPI HIMAGELIST WINAPI ImageList_LoadImageA(HINSTANCE hi, LPCSTR lpbmp, int cx, int cGrow,
                                                      COLORREF crMask, UINT uType, UINT uFlags);
#define ImageList_RemoveAll(himl) ImageList_Remove((himl), -1)
#define ImageList_LoadBitmap(hi, lpbmp, cx, cGrow, crMask)                                         \
    ImageList_LoadImageA((hi), (lpbmp), (cx), (cGrow), (crMask), IMAGE_BITMAP, 0)
#endif

// The tree-view control.
#define WC_TREEVIEWA "SysTreeView32"
#define WC_TREEVIEW WC_TREEVIEWA

#define TVS_HASBUTTONS 0x0001
#define TVS_HASLINES 0x0002
#define TVS_LINESATROOT 0x0004
#define TVS_EDITLABELS 0x0008
#define TVS_DISABLEDRAGDROP 0x0010
#define TVS_SHOWSELALWAYS 0x0020
#define TVS_RTLREADING 0x0040
#define TVS_NOTOOLTIPS 0x0080
#define TVS_CHECKBOXES 0x0100
#define TVS_TRACKSELECT 0x0200
#define TVS_SINGLEEXPAND 0x0400
#define TVS_INFOTIP 0x0800
#define TVS_FULLROWSELECT 0x1000
#define TVS_NOSCROLL 0x2000
#define TVS_NONEVENHEIGHT 0x4000
#define TVS_NOHSCROLL 0x8000

#define TVIF_TEXT 0x0001
#define TVIF_IMAGE 0x0002
#define TVIF_PARAM 0x0004
#define TVIF_STATE 0x0008
#define TVIF_HANDLE 0x0010
#define TVIF_SELECTEDIMAGE 0x0020
#define TVIF_CHILDREN 0x0040
#define TVIF_INTEGRAL 0x0080

#define TVIS_SELECTED 0x0002
#define TVIS_CUT 0x0004
#define TVIS_DROPHILITED 0x0008
#define TVIS_BOLD 0x0010
#define TVIS_EXPANDED 0x0020
#define TVIS_EXPANDEDONCE 0x0040
#define TVIS_EXPANDPARTIAL 0x0080
#define TVIS_OVERLAYMASK 0x0F00
#define TVIS_STATEIMAGEMASK 0xF000
#define TVIS_USERMASK 0xF000

#define I_CHILDRENCALLBACK (-1)
#define I_IMAGECALLBACK (-1)
#define I_IMAGENONE (-2)
#define LPSTR_TEXTCALLBACKA ((LPSTR)-1L)
#define LPSTR_TEXTCALLBACK LPSTR_TEXTCALLBACKA

#define TVI_ROOT ((HTREEITEM)(ULONG_PTR)-0x10000)
#define TVI_FIRST ((HTREEITEM)(ULONG_PTR)-0x0FFFF)
#define TVI_LAST ((HTREEITEM)(ULONG_PTR)-0x0FFFE)
#define TVI_SORT ((HTREEITEM)(ULONG_PTR)-0x0FFFD)

#define TVE_COLLAPSE 0x0001
#define TVE_EXPAND 0x0002
#define TVE_TOGGLE 0x0003
#define TVE_EXPANDPARTIAL 0x4000
#define TVE_COLLAPSERESET 0x8000

#define TVSIL_NORMAL 0
#define TVSIL_STATE 2

#define TVGN_ROOT 0x0000
#define TVGN_NEXT 0x0001
#define TVGN_PREVIOUS 0x0002
#define TVGN_PARENT 0x0003
#define TVGN_CHILD 0x0004
#define TVGN_FIRSTVISIBLE 0x0005
#define TVGN_NEXTVISIBLE 0x0006
#define TVGN_PREVIOUSVISIBLE 0x0007
#define TVGN_DROPHILITE 0x0008
#define TVGN_CARET 0x0009
#define TVGN_LASTVISIBLE 0x000A

#define TVC_UNKNOWN 0x0000
#define TVC_BYMOUSE 0x0001
#define TVC_BYKEYBOARD 0x0002

#define TVHT_NOWHERE 0x0001
#define TVHT_ONITEMICON 0x0002
#define TVHT_ONITEMLABEL 0x0004
#define TVHT_ONITEMSTATEICON 0x0040
#define TVHT_ONITEM (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)
#define TVHT_ONITEMINDENT 0x0008
#define TVHT_ONITEMBUTTON 0x0010
#define TVHT_ONITEMRIGHT 0x0020
#define TVHT_ABOVE 0x0100
#define TVHT_BELOW 0x0200
#define TVHT_TORIGHT 0x0400
#define TVHT_TOLEFT 0x0800

#define TV_FIRST 0x1100
#define TVM_INSERTITEMA (TV_FIRST + 0)
#define TVM_DELETEITEM (TV_FIRST + 1)
#define TVM_EXPAND (TV_FIRST + 2)
#define TVM_GETITEMRECT (TV_FIRST + 4)
#define TVM_GETCOUNT (TV_FIRST + 5)
#define TVM_GETINDENT (TV_FIRST + 6)
#define TVM_SETINDENT (TV_FIRST + 7)
#define TVM_GETIMAGELIST (TV_FIRST + 8)
#define TVM_SETIMAGELIST (TV_FIRST + 9)
#define TVM_GETNEXTITEM (TV_FIRST + 10)
#define TVM_SELECTITEM (TV_FIRST + 11)
#define TVM_GETITEMA (TV_FIRST + 12)
#define TVM_SETITEMA (TV_FIRST + 13)
#define TVM_GETVISIBLECOUNT (TV_FIRST + 16)
#define TVM_HITTEST (TV_FIRST + 17)
#define TVM_SORTCHILDREN (TV_FIRST + 19)
#define TVM_ENSUREVISIBLE (TV_FIRST + 20)
#define TVM_SETITEMHEIGHT (TV_FIRST + 27)
#define TVM_GETITEMHEIGHT (TV_FIRST + 28)
#define TVM_SETBKCOLOR (TV_FIRST + 29)
#define TVM_SETTEXTCOLOR (TV_FIRST + 30)
#define TVM_GETBKCOLOR (TV_FIRST + 31)
#define TVM_GETTEXTCOLOR (TV_FIRST + 32)
#define TVM_INSERTITEM TVM_INSERTITEMA
#define TVM_GETITEM TVM_GETITEMA
#define TVM_SETITEM TVM_SETITEMA

#define TVN_FIRST (0U - 400U)
#define TVN_SELCHANGINGA (TVN_FIRST - 1)
#define TVN_SELCHANGEDA (TVN_FIRST - 2)
#define TVN_GETDISPINFOA (TVN_FIRST - 3)
#define TVN_SETDISPINFOA (TVN_FIRST - 4)
#define TVN_ITEMEXPANDINGA (TVN_FIRST - 5)
#define TVN_ITEMEXPANDEDA (TVN_FIRST - 6)
#define TVN_BEGINDRAGA (TVN_FIRST - 7)
#define TVN_BEGINRDRAGA (TVN_FIRST - 8)
#define TVN_DELETEITEMA (TVN_FIRST - 9)
#define TVN_KEYDOWN (TVN_FIRST - 12)
#define TVN_SELCHANGING TVN_SELCHANGINGA
#define TVN_SELCHANGED TVN_SELCHANGEDA
#define TVN_GETDISPINFO TVN_GETDISPINFOA
#define TVN_SETDISPINFO TVN_SETDISPINFOA
#define TVN_ITEMEXPANDING TVN_ITEMEXPANDINGA
#define TVN_ITEMEXPANDED TVN_ITEMEXPANDEDA
#define TVN_BEGINDRAG TVN_BEGINDRAGA
#define TVN_BEGINRDRAG TVN_BEGINRDRAGA
#define TVN_DELETEITEM TVN_DELETEITEMA

#ifndef RC_INVOKED
struct _TREEITEM;
typedef struct _TREEITEM* HTREEITEM;

typedef struct tagTVITEMA {
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
} TVITEMA, *LPTVITEMA;
typedef TVITEMA TVITEM;
typedef LPTVITEMA LPTVITEM;
typedef TVITEMA TV_ITEM;

typedef struct tagTVITEMEXA {
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
    int iIntegral;
} TVITEMEXA, *LPTVITEMEXA;
typedef TVITEMEXA TVITEMEX;

typedef struct tagTVINSERTSTRUCTA {
    HTREEITEM hParent;
    HTREEITEM hInsertAfter;
    union {
        TVITEMEXA itemex;
        TVITEMA item;
    };
} TVINSERTSTRUCTA, *LPTVINSERTSTRUCTA;
typedef TVINSERTSTRUCTA TVINSERTSTRUCT;
typedef LPTVINSERTSTRUCTA LPTVINSERTSTRUCT;
typedef TVINSERTSTRUCTA TV_INSERTSTRUCT;

typedef struct tagNMTREEVIEWA {
    NMHDR hdr;
    UINT action;
    TVITEMA itemOld;
    TVITEMA itemNew;
    POINT ptDrag;
} NMTREEVIEWA, *LPNMTREEVIEWA;
typedef NMTREEVIEWA NMTREEVIEW;
typedef LPNMTREEVIEWA LPNMTREEVIEW;
typedef NMTREEVIEWA NM_TREEVIEW;

typedef struct tagTVDISPINFOA {
    NMHDR hdr;
    TVITEMA item;
} NMTVDISPINFOA, *LPNMTVDISPINFOA;
typedef NMTVDISPINFOA NMTVDISPINFO;
typedef NMTVDISPINFOA TV_DISPINFO;

typedef struct tagTVKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
} NMTVKEYDOWN, *LPNMTVKEYDOWN;

typedef struct tagTVHITTESTINFO {
    POINT pt;
    UINT flags;
    HTREEITEM hItem;
} TVHITTESTINFO, *LPTVHITTESTINFO;

// The TreeView_ helpers are inline functions rather than macros, so that a call whose answer
// is not wanted compiles without complaint.
inline HTREEITEM TreeView_InsertItem(HWND hwnd, const TVINSERTSTRUCTA* lpis) {
    return (HTREEITEM)SendMessageA(hwnd, TVM_INSERTITEMA, 0, (LPARAM)lpis);
}
inline BOOL TreeView_DeleteItem(HWND hwnd, HTREEITEM hitem) {
    return (BOOL)SendMessageA(hwnd, TVM_DELETEITEM, 0, (LPARAM)hitem);
}
inline BOOL TreeView_DeleteAllItems(HWND hwnd) {
    return (BOOL)SendMessageA(hwnd, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
}
inline BOOL TreeView_Expand(HWND hwnd, HTREEITEM hitem, UINT code) {
    return (BOOL)SendMessageA(hwnd, TVM_EXPAND, (WPARAM)code, (LPARAM)hitem);
}
// The item's handle goes in the rectangle's first bytes.
inline BOOL TreeView_GetItemRect(HWND hwnd, HTREEITEM hitem, RECT* prc, BOOL code) {
    *(HTREEITEM*)prc = hitem;
    return (BOOL)SendMessageA(hwnd, TVM_GETITEMRECT, (WPARAM)code, (LPARAM)prc);
}
inline UINT TreeView_GetCount(HWND hwnd) {
    return (UINT)SendMessageA(hwnd, TVM_GETCOUNT, 0, 0);
}
inline UINT TreeView_GetIndent(HWND hwnd) {
    return (UINT)SendMessageA(hwnd, TVM_GETINDENT, 0, 0);
}
inline BOOL TreeView_SetIndent(HWND hwnd, UINT indent) {
    return (BOOL)SendMessageA(hwnd, TVM_SETINDENT, (WPARAM)indent, 0);
}
inline HIMAGELIST TreeView_GetImageList(HWND hwnd, int iImage) {
    return (HIMAGELIST)SendMessageA(hwnd, TVM_GETIMAGELIST, (WPARAM)iImage, 0);
}
inline HIMAGELIST TreeView_SetImageList(HWND hwnd, HIMAGELIST himl, int iImage) {
    return (HIMAGELIST)SendMessageA(hwnd, TVM_SETIMAGELIST, (WPARAM)iImage, (LPARAM)himl);
}
inline HTREEITEM TreeView_GetNextItem(HWND hwnd, HTREEITEM hitem, UINT code) {
    return (HTREEITEM)SendMessageA(hwnd, TVM_GETNEXTITEM, (WPARAM)code, (LPARAM)hitem);
}
inline HTREEITEM TreeView_GetChild(HWND hwnd, HTREEITEM hitem) {
    return TreeView_GetNextItem(hwnd, hitem, TVGN_CHILD);
}
inline HTREEITEM TreeView_GetNextSibling(HWND hwnd, HTREEITEM hitem) {
    return TreeView_GetNextItem(hwnd, hitem, TVGN_NEXT);
}
inline HTREEITEM TreeView_GetPrevSibling(HWND hwnd, HTREEITEM hitem) {
    return TreeView_GetNextItem(hwnd, hitem, TVGN_PREVIOUS);
}
inline HTREEITEM TreeView_GetParent(HWND hwnd, HTREEITEM hitem) {
    return TreeView_GetNextItem(hwnd, hitem, TVGN_PARENT);
}
inline HTREEITEM TreeView_GetFirstVisible(HWND hwnd) {
    return TreeView_GetNextItem(hwnd, NULL, TVGN_FIRSTVISIBLE);
}
inline HTREEITEM TreeView_GetNextVisible(HWND hwnd, HTREEITEM hitem) {
    return TreeView_GetNextItem(hwnd, hitem, TVGN_NEXTVISIBLE);
}
inline HTREEITEM TreeView_GetPrevVisible(HWND hwnd, HTREEITEM hitem) {
    return TreeView_GetNextItem(hwnd, hitem, TVGN_PREVIOUSVISIBLE);
}
inline HTREEITEM TreeView_GetLastVisible(HWND hwnd) {
    return TreeView_GetNextItem(hwnd, NULL, TVGN_LASTVISIBLE);
}
inline HTREEITEM TreeView_GetSelection(HWND hwnd) {
    return TreeView_GetNextItem(hwnd, NULL, TVGN_CARET);
}
inline HTREEITEM TreeView_GetDropHilight(HWND hwnd) {
    return TreeView_GetNextItem(hwnd, NULL, TVGN_DROPHILITE);
}
inline HTREEITEM TreeView_GetRoot(HWND hwnd) {
    return TreeView_GetNextItem(hwnd, NULL, TVGN_ROOT);
}
inline BOOL TreeView_Select(HWND hwnd, HTREEITEM hitem, UINT code) {
    return (BOOL)SendMessageA(hwnd, TVM_SELECTITEM, (WPARAM)code, (LPARAM)hitem);
}
inline BOOL TreeView_SelectItem(HWND hwnd, HTREEITEM hitem) {
    return TreeView_Select(hwnd, hitem, TVGN_CARET);
}
inline BOOL TreeView_SelectDropTarget(HWND hwnd, HTREEITEM hitem) {
    return TreeView_Select(hwnd, hitem, TVGN_DROPHILITE);
}
inline BOOL TreeView_SelectSetFirstVisible(HWND hwnd, HTREEITEM hitem) {
    return TreeView_Select(hwnd, hitem, TVGN_FIRSTVISIBLE);
}
inline BOOL TreeView_GetItem(HWND hwnd, TVITEMA* pitem) {
    return (BOOL)SendMessageA(hwnd, TVM_GETITEMA, 0, (LPARAM)pitem);
}
inline BOOL TreeView_SetItem(HWND hwnd, const TVITEMA* pitem) {
    return (BOOL)SendMessageA(hwnd, TVM_SETITEMA, 0, (LPARAM)pitem);
}
inline UINT TreeView_GetVisibleCount(HWND hwnd) {
    return (UINT)SendMessageA(hwnd, TVM_GETVISIBLECOUNT, 0, 0);
}
inline HTREEITEM TreeView_HitTest(HWND hwnd, TVHITTESTINFO* lpht) {
    return (HTREEITEM)SendMessageA(hwnd, TVM_HITTEST, 0, (LPARAM)lpht);
}
inline BOOL TreeView_EnsureVisible(HWND hwnd, HTREEITEM hitem) {
    return (BOOL)SendMessageA(hwnd, TVM_ENSUREVISIBLE, 0, (LPARAM)hitem);
}
inline int TreeView_SetItemHeight(HWND hwnd, int iHeight) {
    return (int)SendMessageA(hwnd, TVM_SETITEMHEIGHT, (WPARAM)iHeight, 0);
}
inline int TreeView_GetItemHeight(HWND hwnd) {
    return (int)SendMessageA(hwnd, TVM_GETITEMHEIGHT, 0, 0);
}
inline BOOL TreeView_SortChildren(HWND hwnd, HTREEITEM hitem, BOOL recurse) {
    return (BOOL)SendMessageA(hwnd, TVM_SORTCHILDREN, (WPARAM)recurse, (LPARAM)hitem);
}
// (COLORREF)-1 stands for the system colour.
inline COLORREF TreeView_SetBkColor(HWND hwnd, COLORREF clr) {
    return (COLORREF)SendMessageA(hwnd, TVM_SETBKCOLOR, 0, (LPARAM)clr);
}
inline COLORREF TreeView_SetTextColor(HWND hwnd, COLORREF clr) {
    return (COLORREF)SendMessageA(hwnd, TVM_SETTEXTCOLOR, 0, (LPARAM)clr);
}
inline COLORREF TreeView_GetBkColor(HWND hwnd) {
    return (COLORREF)SendMessageA(hwnd, TVM_GETBKCOLOR, 0, 0);
}
inline COLORREF TreeView_GetTextColor(HWND hwnd) {
    return (COLORREF)SendMessageA(hwnd, TVM_GETTEXTCOLOR, 0, 0);
}
#endif
