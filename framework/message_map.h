// Message maps: per-class static tables that bind messages, commands and control notifications
// to member handlers. Each table is chained to the base class's table; the first matching entry
// along the chain wins, so a derived class overrides its base by mapping the same message.
//
// Every ON_ macro names the handler through a typed thunk (message_thunks.h), so a handler of the
// wrong signature is a compile-time error.
#pragma once

#include <windows.h>

class CCmdTarget;

namespace framework {

// Unpacks one message for one handler signature and calls it.
typedef LRESULT (*MessageThunk)(CCmdTarget* target, UINT message, WPARAM wParam, LPARAM lParam);

// nMessage is WM_COMMAND for command and notification entries, which then match nCode and an
// identifier range; other entries match nMessage alone.
struct MessageMapEntry {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    MessageThunk pfnThunk;
};

struct MessageMap {
    const MessageMap* (*pfnGetBaseMap)();
    const MessageMapEntry* lpEntries;
};

// Finds the first entry along the chain that matches; nullptr when none does.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message);
const MessageMapEntry* FindCommandEntry(const MessageMap* map, UINT nCode, UINT nID);

} // namespace framework

// Command notification codes of OnCmdMsg: a command proper, and the update request of a
// command's user-interface item (with a CCmdUI* as the extra argument).
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Marks message handlers in class declarations.
#define afx_msg

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const framework::MessageMap* GetThisMessageMap();                                       \
    const framework::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const framework::MessageMap* theClass::GetMessageMap() const {                                 \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const framework::MessageMap* theClass::GetThisMessageMap() {                                   \
        typedef theClass ThisClass;                                                                \
        typedef baseClass TheBaseClass;                                                            \
        static const framework::MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, nullptr }                                                                        \
    }                                                                                              \
    ;                                                                                              \
    static const framework::MessageMap messageMap = {&TheBaseClass::GetThisMessageMap, entries};   \
    return &messageMap;                                                                            \
    }

#define FRAMEWORK_MSG_ENTRY(message, thunk, handler)                                               \
    {message, 0, 0, 0, &thunk<&ThisClass::handler>},

#define ON_WM_CREATE() FRAMEWORK_MSG_ENTRY(WM_CREATE, framework::CallCreate, OnCreate)
#define ON_WM_DESTROY() FRAMEWORK_MSG_ENTRY(WM_DESTROY, framework::CallVoid, OnDestroy)
#define ON_WM_NCDESTROY() FRAMEWORK_MSG_ENTRY(WM_NCDESTROY, framework::CallVoid, OnNcDestroy)
#define ON_WM_CLOSE() FRAMEWORK_MSG_ENTRY(WM_CLOSE, framework::CallVoid, OnClose)
#define ON_WM_PAINT() FRAMEWORK_MSG_ENTRY(WM_PAINT, framework::CallVoid, OnPaint)
#define ON_WM_ERASEBKGND()                                                                         \
    FRAMEWORK_MSG_ENTRY(WM_ERASEBKGND, framework::CallEraseBkgnd, OnEraseBkgnd)
#define ON_WM_QUERYNEWPALETTE()                                                                    \
    FRAMEWORK_MSG_ENTRY(WM_QUERYNEWPALETTE, framework::CallBool, OnQueryNewPalette)
#define ON_WM_PALETTECHANGED()                                                                     \
    FRAMEWORK_MSG_ENTRY(WM_PALETTECHANGED, framework::CallFocus, OnPaletteChanged)
#define ON_WM_SIZE() FRAMEWORK_MSG_ENTRY(WM_SIZE, framework::CallSize, OnSize)
#define ON_WM_MOUSEMOVE() FRAMEWORK_MSG_ENTRY(WM_MOUSEMOVE, framework::CallMouse, OnMouseMove)
#define ON_WM_LBUTTONDOWN() FRAMEWORK_MSG_ENTRY(WM_LBUTTONDOWN, framework::CallMouse, OnLButtonDown)
#define ON_WM_LBUTTONUP() FRAMEWORK_MSG_ENTRY(WM_LBUTTONUP, framework::CallMouse, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK()                                                                      \
    FRAMEWORK_MSG_ENTRY(WM_LBUTTONDBLCLK, framework::CallMouse, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() FRAMEWORK_MSG_ENTRY(WM_RBUTTONDOWN, framework::CallMouse, OnRButtonDown)
#define ON_WM_RBUTTONUP() FRAMEWORK_MSG_ENTRY(WM_RBUTTONUP, framework::CallMouse, OnRButtonUp)
#define ON_WM_KEYDOWN() FRAMEWORK_MSG_ENTRY(WM_KEYDOWN, framework::CallKey, OnKeyDown)
#define ON_WM_CHAR() FRAMEWORK_MSG_ENTRY(WM_CHAR, framework::CallKey, OnChar)
#define ON_WM_TIMER() FRAMEWORK_MSG_ENTRY(WM_TIMER, framework::CallTimer, OnTimer)
#define ON_WM_SETFOCUS() FRAMEWORK_MSG_ENTRY(WM_SETFOCUS, framework::CallFocus, OnSetFocus)
#define ON_WM_KILLFOCUS() FRAMEWORK_MSG_ENTRY(WM_KILLFOCUS, framework::CallFocus, OnKillFocus)
#define ON_WM_ACTIVATE() FRAMEWORK_MSG_ENTRY(WM_ACTIVATE, framework::CallActivate, OnActivate)
#define ON_WM_DRAWITEM() FRAMEWORK_MSG_ENTRY(WM_DRAWITEM, framework::CallDrawItem, OnDrawItem)
#define ON_WM_MEASUREITEM()                                                                        \
    FRAMEWORK_MSG_ENTRY(WM_MEASUREITEM, framework::CallMeasureItem, OnMeasureItem)
#define ON_WM_CONTEXTMENU()                                                                        \
    FRAMEWORK_MSG_ENTRY(WM_CONTEXTMENU, framework::CallContextMenu, OnContextMenu)
#define ON_WM_INITMENUPOPUP()                                                                      \
    FRAMEWORK_MSG_ENTRY(WM_INITMENUPOPUP, framework::CallInitMenuPopup, OnInitMenuPopup)
#define ON_WM_VSCROLL() FRAMEWORK_MSG_ENTRY(WM_VSCROLL, framework::CallScroll, OnVScroll)
#define ON_WM_HSCROLL() FRAMEWORK_MSG_ENTRY(WM_HSCROLL, framework::CallScroll, OnHScroll)
// One handler for the seven WM_CTLCOLOR messages; it receives the CTLCOLOR_ kind.
#define ON_WM_CTLCOLOR()                                                                           \
    FRAMEWORK_MSG_ENTRY(WM_CTLCOLORMSGBOX, framework::CallCtlColor, OnCtlColor)                    \
    FRAMEWORK_MSG_ENTRY(WM_CTLCOLOREDIT, framework::CallCtlColor, OnCtlColor)                      \
    FRAMEWORK_MSG_ENTRY(WM_CTLCOLORLISTBOX, framework::CallCtlColor, OnCtlColor)                   \
    FRAMEWORK_MSG_ENTRY(WM_CTLCOLORBTN, framework::CallCtlColor, OnCtlColor)                       \
    FRAMEWORK_MSG_ENTRY(WM_CTLCOLORDLG, framework::CallCtlColor, OnCtlColor)                       \
    FRAMEWORK_MSG_ENTRY(WM_CTLCOLORSCROLLBAR, framework::CallCtlColor, OnCtlColor)                 \
    FRAMEWORK_MSG_ENTRY(WM_CTLCOLORSTATIC, framework::CallCtlColor, OnCtlColor)

// LRESULT handler(WPARAM, LPARAM) for any message number.
#define ON_MESSAGE(message, memberFxn)                                                             \
    {message, 0, 0, 0, &framework::CallMessage<&ThisClass::memberFxn>},

// void handler() for a menu item, accelerator or control with this identifier.
#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), &framework::CallVoid<&ThisClass::memberFxn>},
// void handler(UINT nID) for every identifier from id to idLast.
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast),                                           \
     &framework::CallCommandRange<&ThisClass::memberFxn>},
// void handler(CCmdUI*) that sets the state of the command's menu item.
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                        \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id),                                     \
     &framework::CallUpdateCommandUI<&ThisClass::memberFxn>},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                          \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast),                                 \
     &framework::CallUpdateCommandUI<&ThisClass::memberFxn>},
// void handler() for the notification code wNotifyCode of the control id.
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                     \
    {WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id),                                      \
     &framework::CallVoid<&ThisClass::memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
