// ImageList_Create, ImageList_Destroy, ImageList_Add, ImageList_AddMasked, ImageList_Remove,
// ImageList_Draw, ImageList_GetImageCount, ImageList_GetIconSize, ImageList_SetBkColor,
// ImageList_GetBkColor and ImageList_LoadImageA: image lists are handle-table objects.
#include "image_list.h"

namespace mullion {
namespace {

std::shared_ptr<ImageList> image_list(HIMAGELIST handle) {
    return handle ? HandleTable::instance().get<ImageList>(handle) : nullptr;
}

} // namespace
} // namespace mullion

using mullion::image_list;

HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow) {
    if (cx <= 0 || cy <= 0 || cInitial < 0)
        return nullptr;
    auto list =
        std::make_shared<mullion::ImageList>(cx, cy, (flags & ILC_MASK) != 0, cInitial, cGrow);
    return static_cast<HIMAGELIST>(mullion::HandleTable::instance().insert(list));
}

BOOL WINAPI ImageList_Destroy(HIMAGELIST himl) {
    if (!image_list(himl))
        return FALSE;
    return mullion::HandleTable::instance().remove(himl) ? TRUE : FALSE;
}

int WINAPI ImageList_GetImageCount(HIMAGELIST himl) {
    const auto list = image_list(himl);
    return list ? list->count() : 0;
}

int WINAPI ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask) {
    const auto list = image_list(himl);
    return list && hbmImage ? list->add(hbmImage, hbmMask) : -1;
}

int WINAPI ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask) {
    const auto list = image_list(himl);
    return list && hbmImage ? list->add_masked(hbmImage, crMask) : -1;
}

BOOL WINAPI ImageList_Remove(HIMAGELIST himl, int i) {
    const auto list = image_list(himl);
    return list && list->remove(i) ? TRUE : FALSE;
}

BOOL WINAPI ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle) {
    const auto list = image_list(himl);
    return list && list->draw(i, hdcDst, x, y, fStyle) ? TRUE : FALSE;
}

BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
    const auto list = image_list(himl);
    if (!list || !cx || !cy)
        return FALSE;
    *cx = list->image_width();
    *cy = list->image_height();
    return TRUE;
}

COLORREF WINAPI ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk) {
    const auto list = image_list(himl);
    if (!list)
        return CLR_NONE;
    const COLORREF previous = list->background();
    list->set_background(clrBk);
    return previous;
}

COLORREF WINAPI ImageList_GetBkColor(HIMAGELIST himl) {
    const auto list = image_list(himl);
    return list ? list->background() : CLR_NONE;
}

// Loads a bitmap resource as a strip of images cx wide and as high as the bitmap; with a mask
// colour other than CLR_NONE, pixels of that colour become transparent.
HIMAGELIST WINAPI ImageList_LoadImageA(HINSTANCE hi, LPCSTR lpbmp, int cx, int cGrow,
                                       COLORREF crMask, UINT uType, UINT uFlags) {
    if (uType != IMAGE_BITMAP || cx <= 0)
        return nullptr;
    auto* bitmap = static_cast<HBITMAP>(LoadImageA(hi, lpbmp, IMAGE_BITMAP, 0, 0, uFlags));
    if (!bitmap)
        return nullptr;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HIMAGELIST list = nullptr;
    if (info.bmWidth >= cx && info.bmHeight > 0) {
        const bool masked = crMask != CLR_NONE;
        list = ImageList_Create(cx, info.bmHeight, masked ? ILC_MASK | ILC_COLOR : ILC_COLOR,
                                info.bmWidth / cx, cGrow);
        const int added = masked ? ImageList_AddMasked(list, bitmap, crMask)
                                 : ImageList_Add(list, bitmap, nullptr);
        if (added < 0) {
            ImageList_Destroy(list);
            list = nullptr;
        }
    }
    DeleteObject(bitmap);
    return list;
}
