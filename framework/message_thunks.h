// The typed thunks of the message-map macros: each unpacks wParam and lParam for one handler
// signature. A handler whose type differs from the signature its macro expects fails the
// static_assert at compile time.
#pragma once

#include "cmd_ui.h"
#include "dc.h"
#include "menu.h"
#include "window.h"

#include <type_traits>

namespace framework {

template <class Member> struct HandlerTraits;
template <class Class, class Function> struct HandlerTraits<Function Class::*> {
    typedef Class Owner;
    typedef Function Signature;
};

// The object of the handler's class, after checking the handler's signature.
template <auto Handler, class Expected> auto* HandlerObject(CCmdTarget* target) {
    typedef HandlerTraits<decltype(Handler)> Traits;
    static_assert(std::is_same_v<typename Traits::Signature, Expected>,
                  "the message handler does not have the signature its message-map entry needs");
    return static_cast<typename Traits::Owner*>(target);
}

template <auto Handler> LRESULT CallVoid(CCmdTarget* target, UINT, WPARAM, LPARAM) {
    (HandlerObject<Handler, void()>(target)->*Handler)();
    return 0;
}

template <auto Handler> LRESULT CallCreate(CCmdTarget* target, UINT, WPARAM, LPARAM lParam) {
    return (HandlerObject<Handler, int(LPCREATESTRUCT)>(target)->*Handler)(
        reinterpret_cast<LPCREATESTRUCT>(lParam));
}

template <auto Handler> LRESULT CallBool(CCmdTarget* target, UINT, WPARAM, LPARAM) {
    return (HandlerObject<Handler, BOOL()>(target)->*Handler)();
}

template <auto Handler> LRESULT CallEraseBkgnd(CCmdTarget* target, UINT, WPARAM wParam, LPARAM) {
    return (HandlerObject<Handler, BOOL(CDC*)>(target)->*Handler)(
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
}

template <auto Handler> LRESULT CallSize(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam) {
    (HandlerObject<Handler, void(UINT, int, int)>(target)->*Handler)(
        static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
    return 0;
}

template <auto Handler> LRESULT CallMouse(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam) {
    (HandlerObject<Handler, void(UINT, CPoint)>(target)->*Handler)(static_cast<UINT>(wParam),
                                                                   CPoint(lParam));
    return 0;
}

template <auto Handler> LRESULT CallKey(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam) {
    (HandlerObject<Handler, void(UINT, UINT, UINT)>(target)->*Handler)(
        static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
    return 0;
}

template <auto Handler> LRESULT CallTimer(CCmdTarget* target, UINT, WPARAM wParam, LPARAM) {
    (HandlerObject<Handler, void(UINT_PTR)>(target)->*Handler)(static_cast<UINT_PTR>(wParam));
    return 0;
}

template <auto Handler> LRESULT CallFocus(CCmdTarget* target, UINT, WPARAM wParam, LPARAM) {
    (HandlerObject<Handler, void(CWnd*)>(target)->*Handler)(
        CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
    return 0;
}

template <auto Handler>
LRESULT CallActivate(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam) {
    (HandlerObject<Handler, void(UINT, CWnd*, BOOL)>(target)->*Handler)(
        LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
    return 0;
}

template <auto Handler>
LRESULT CallCtlColor(CCmdTarget* target, UINT message, WPARAM wParam, LPARAM lParam) {
    const HBRUSH brush = (HandlerObject<Handler, HBRUSH(CDC*, CWnd*, UINT)>(target)->*Handler)(
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
        CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), message - WM_CTLCOLORMSGBOX);
    return reinterpret_cast<LRESULT>(brush);
}

template <auto Handler>
LRESULT CallDrawItem(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam) {
    (HandlerObject<Handler, void(int, LPDRAWITEMSTRUCT)>(target)->*Handler)(
        static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    return TRUE;
}

template <auto Handler>
LRESULT CallMeasureItem(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam) {
    (HandlerObject<Handler, void(int, LPMEASUREITEMSTRUCT)>(target)->*Handler)(
        static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    return TRUE;
}

// WM_CONTEXTMENU: the window clicked and the screen position (-1, -1 from the keyboard).
template <auto Handler>
LRESULT CallContextMenu(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam) {
    (HandlerObject<Handler, void(CWnd*, CPoint)>(target)->*Handler)(
        CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam));
    return 0;
}

template <auto Handler>
LRESULT CallInitMenuPopup(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam) {
    (HandlerObject<Handler, void(CMenu*, UINT, BOOL)>(target)->*Handler)(
        CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam));
    return 0;
}

template <auto Handler> LRESULT CallScroll(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam) {
    (HandlerObject<Handler, void(UINT, UINT, CScrollBar*)>(target)->*Handler)(
        LOWORD(wParam), HIWORD(wParam), CScrollBar::FromHandle(reinterpret_cast<HWND>(lParam)));
    return 0;
}

template <auto Handler>
LRESULT CallMessage(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam) {
    return (HandlerObject<Handler, LRESULT(WPARAM, LPARAM)>(target)->*Handler)(wParam, lParam);
}

// Command entries receive the command identifier as wParam and OnCmdMsg's extra argument as
// lParam.
template <auto Handler> LRESULT CallCommandRange(CCmdTarget* target, UINT, WPARAM wParam, LPARAM) {
    (HandlerObject<Handler, void(UINT)>(target)->*Handler)(static_cast<UINT>(wParam));
    return 0;
}

template <auto Handler>
LRESULT CallUpdateCommandUI(CCmdTarget* target, UINT, WPARAM, LPARAM lParam) {
    (HandlerObject<Handler, void(CCmdUI*)>(target)->*Handler)(reinterpret_cast<CCmdUI*>(lParam));
    return 0;
}

} // namespace framework
