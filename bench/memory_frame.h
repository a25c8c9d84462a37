// What the drawing benchmarks share: a screen-compatible memory surface to draw on, and the
// time per frame of a drawing function measured outside the benchmark loop (so that a run can
// measure its own baseline beside it).
#pragma once

#include "framework.h"

#include <chrono>

class MemoryFrame {
public:
    MemoryFrame(int width, int height) : m_rect(0, 0, width, height) {
        CClientDC screen(nullptr);
        m_dc.CreateCompatibleDC(&screen);
        m_bitmap.CreateCompatibleBitmap(&screen, width, height);
        m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
    }
    ~MemoryFrame() { m_dc.SelectObject(m_pOldBitmap); }
    MemoryFrame(const MemoryFrame&) = delete;
    MemoryFrame& operator=(const MemoryFrame&) = delete;

    CDC* dc() { return &m_dc; }
    CRect rect() const { return m_rect; }

private:
    CRect m_rect;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
};

template <class Frame>
double seconds_per_frame(void (*draw)(Frame&), Frame& frame, int iterations) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < iterations; ++i)
        draw(frame);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
           iterations;
}
