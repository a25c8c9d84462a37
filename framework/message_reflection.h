// Message reflection: a control's parent first offers the notifications it receives about the
// control (WM_COMMAND notifications, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*) to the
// control's own object, as the message WM_REFLECT_BASE + message. A control class maps the
// reflected message to handle its own notifications; the parent then uses its answer.
#pragma once

#include "message_thunks.h"

#define WM_REFLECT_BASE 0xBC00

namespace framework {

// The reflected entry for the notification code nCode of WM_COMMAND, or for the message alone
// (nCode ignored) for the other reflected messages; nullptr when the map has none. A reflected
// command entry whose nLastID is 1 has a BOOL handler whose FALSE passes the notification on.
const MessageMapEntry* FindReflectedEntry(const MessageMap* map, UINT reflectedMessage, UINT nCode);

// HBRUSH CtlColor(CDC*, UINT nCtlColor): a null brush means "not handled".
template <auto Handler>
LRESULT CallCtlColorReflect(CCmdTarget* target, UINT message, WPARAM wParam, LPARAM) {
    const HBRUSH brush = (HandlerObject<Handler, HBRUSH(CDC*, UINT)>(target)->*Handler)(
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
        message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX);
    return reinterpret_cast<LRESULT>(brush);
}

// void DrawItem(LPDRAWITEMSTRUCT) of the control itself.
template <auto Handler>
LRESULT CallDrawItemReflect(CCmdTarget* target, UINT, WPARAM, LPARAM lParam) {
    (HandlerObject<Handler, void(LPDRAWITEMSTRUCT)>(target)->*Handler)(
        reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    return TRUE;
}

// BOOL handler(): FALSE lets the parent handle the notification as well.
template <auto Handler> LRESULT CallControlReflectEx(CCmdTarget* target, UINT, WPARAM, LPARAM) {
    return (HandlerObject<Handler, BOOL()>(target)->*Handler)();
}

} // namespace framework

#define FRAMEWORK_REFLECT_ENTRY(message, thunk, handler)                                           \
    {WM_REFLECT_BASE + (message), 0, 0, 0, &thunk<&ThisClass::handler>},

// HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) answering the control's own colour query.
#define ON_WM_CTLCOLOR_REFLECT()                                                                   \
    FRAMEWORK_REFLECT_ENTRY(WM_CTLCOLORMSGBOX, framework::CallCtlColorReflect, CtlColor)           \
    FRAMEWORK_REFLECT_ENTRY(WM_CTLCOLOREDIT, framework::CallCtlColorReflect, CtlColor)             \
    FRAMEWORK_REFLECT_ENTRY(WM_CTLCOLORLISTBOX, framework::CallCtlColorReflect, CtlColor)          \
    FRAMEWORK_REFLECT_ENTRY(WM_CTLCOLORBTN, framework::CallCtlColorReflect, CtlColor)              \
    FRAMEWORK_REFLECT_ENTRY(WM_CTLCOLORDLG, framework::CallCtlColorReflect, CtlColor)              \
    FRAMEWORK_REFLECT_ENTRY(WM_CTLCOLORSCROLLBAR, framework::CallCtlColorReflect, CtlColor)        \
    FRAMEWORK_REFLECT_ENTRY(WM_CTLCOLORSTATIC, framework::CallCtlColorReflect, CtlColor)

// void DrawItem(LPDRAWITEMSTRUCT) drawing the owner-drawn control itself.
#define ON_WM_DRAWITEM_REFLECT()                                                                   \
    FRAMEWORK_REFLECT_ENTRY(WM_DRAWITEM, framework::CallDrawItemReflect, DrawItem)

// void handler() for the control's own notification code; the parent does not see it.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                 \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(wNotifyCode), 0, 0,                                      \
     &framework::CallVoid<&ThisClass::memberFxn>},
// BOOL handler() for the control's own notification code; FALSE passes it on to the parent.
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                              \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(wNotifyCode), 0, 1,                                      \
     &framework::CallControlReflectEx<&ThisClass::memberFxn>},
#define ON_BN_CLICKED_REFLECT(memberFxn) ON_CONTROL_REFLECT(BN_CLICKED, memberFxn)
