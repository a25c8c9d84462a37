#include "rect.h"

#include <algorithm>
#include <utility>

BOOL CRect::EqualRect(LPCRECT lpRect) const {
    return left == lpRect->left && top == lpRect->top && right == lpRect->right &&
           bottom == lpRect->bottom;
}

void CRect::InflateRect(int l, int t, int r, int b) {
    left -= l;
    top -= t;
    right += r;
    bottom += b;
}

void CRect::OffsetRect(int x, int y) {
    left += x;
    right += x;
    top += y;
    bottom += y;
}

void CRect::NormalizeRect() {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

BOOL CRect::IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) {
    const CRect a(lpRect1), b(lpRect2);
    CRect result(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom));
    if (a.IsRectEmpty() || b.IsRectEmpty() || result.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    *this = result;
    return TRUE;
}

BOOL CRect::UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) {
    const CRect a(lpRect1), b(lpRect2);
    if (a.IsRectEmpty() && b.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    if (a.IsRectEmpty())
        *this = b;
    else if (b.IsRectEmpty())
        *this = a;
    else
        SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom));
    return TRUE;
}

CRect CRect::operator+(POINT point) const {
    CRect rect(*this);
    rect.OffsetRect(point);
    return rect;
}

CRect CRect::operator-(POINT point) const {
    CRect rect(*this);
    rect.OffsetRect(-point.x, -point.y);
    return rect;
}

CRect CRect::operator+(SIZE size) const {
    CRect rect(*this);
    rect.OffsetRect(size);
    return rect;
}

CRect CRect::operator-(SIZE size) const {
    CRect rect(*this);
    rect.OffsetRect(-size.cx, -size.cy);
    return rect;
}

CRect CRect::operator&(const RECT& rect2) const {
    CRect rect;
    rect.IntersectRect(this, &rect2);
    return rect;
}

CRect CRect::operator|(const RECT& rect2) const {
    CRect rect;
    rect.UnionRect(this, &rect2);
    return rect;
}
