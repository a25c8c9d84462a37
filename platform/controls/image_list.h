#pragma once

#include "../kernel/handle_table.h"
#include "windows.h"

#include "commctrl.h"

namespace mullion {

// A set of images of one size kept side by side in one colour strip (a 32-bpp section, so no
// colour is lost on an 8-bit screen) and, for a masked list, a monochrome mask strip of the same
// layout in which 1 marks a transparent pixel. Colour pixels under a 1 in the mask are black, so
// drawing is "AND the mask, then OR the image".
class ImageList : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::ImageList;
    ObjectKind kind() const override { return object_kind; }

    ImageList(int width, int height, bool masked, int initial, int grow);
    ~ImageList() override;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    int image_width() const { return m_width; }
    int image_height() const { return m_height; }
    int count() const { return m_count; }
    bool masked() const { return m_mask != nullptr; }
    COLORREF background() const { return m_background; }
    void set_background(COLORREF color) { m_background = color; }

    // Appends the images of a bitmap as many image widths wide as it holds images; the mask
    // bitmap (optional) marks transparent pixels with 1. Returns the first new index or -1.
    int add(HBITMAP image, HBITMAP mask);
    // Appends the images of a bitmap, taking every pixel of the given colour as transparent.
    int add_masked(HBITMAP image, COLORREF transparent);
    // Removes one image, or all of them for -1.
    bool remove(int index);
    // Draws an image with its top-left corner at (x, y) with the ILD_ style given.
    bool draw(int index, HDC target, int x, int y, UINT style) const;

private:
    // Makes room for `more` images after the current ones.
    void reserve(int more);
    // Copies `images` images of `source` (a bitmap) into the strip at image index `at`.
    void copy_into(HBITMAP strip, HBITMAP source, int at, int images) const;
    // Sets the mask to 1 wherever the colour strip has the given colour and blackens those
    // pixels, for the images from `first` on.
    void mask_color(COLORREF transparent, int first, int images);

    int m_width;
    int m_height;
    int m_grow;
    int m_capacity = 0;
    int m_count = 0;
    COLORREF m_background = CLR_NONE;
    HBITMAP m_image = nullptr;
    HBITMAP m_mask = nullptr;
};

} // namespace mullion
