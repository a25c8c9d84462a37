// Blitmark's tiles over a full 1024 x 768 screen: every tile drawn with DrawTransparent (six
// off-screen transfers and one to the destination) against the same tiles drawn opaquely (one
// transfer each). The "ratio_to_opaque" counter is the time per transparent frame divided by
// the time per opaque frame, both measured in this run.
#include "masked_bitmap.h"
#include "memory_frame.h"
#include "resource.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int frame_width = 1024;
constexpr int frame_height = 768;

// A screen-sized surface with bitmap 201 ready to tile.
class Frame : public MemoryFrame {
public:
    Frame() : MemoryFrame(frame_width, frame_height) {
        m_tile.LoadBitmap(IDB_BITMAP);
        BITMAP bm;
        m_tile.GetBitmap(&bm);
        m_cx = bm.bmWidth;
        m_cy = bm.bmHeight;
    }

    // The tile grid of a client area the frame's size, as the program lays it out.
    template <typename DrawTile> void tile(DrawTile draw) {
        const int nColumns = frame_width / (m_cx + 8) + 1, nRows = frame_height / (m_cy + 8) + 1;
        for (int i = 0; i < nColumns; i++)
            for (int j = 0; j < nRows; j++)
                draw((m_cx + 8) * i + 8, (m_cy + 8) * j + 8);
    }
    CMaskedBitmap& bitmap() { return m_tile; }

private:
    CMaskedBitmap m_tile;
    int m_cx = 0, m_cy = 0;
};

void draw_opaque(Frame& frame) {
    frame.tile([&](int x, int y) { frame.bitmap().Draw(frame.dc(), x, y); });
}

void draw_transparent(Frame& frame) {
    frame.tile(
        [&](int x, int y) { frame.bitmap().DrawTransparent(frame.dc(), x, y, RGB(255, 0, 0)); });
}

void BM_OpaqueTiles(benchmark::State& state) {
    Frame frame;
    for (auto _ : state)
        draw_opaque(frame);
}
BENCHMARK(BM_OpaqueTiles)->Unit(benchmark::kMillisecond);

void BM_TransparentTiles(benchmark::State& state) {
    Frame frame;
    for (auto _ : state)
        draw_transparent(frame);
    // The baseline is measured again beside every run so the ratio compares like with like.
    const double transparent = seconds_per_frame(draw_transparent, frame, 5);
    const double opaque = seconds_per_frame(draw_opaque, frame, 5);
    state.counters["ratio_to_opaque"] = transparent / opaque;
}
BENCHMARK(BM_TransparentTiles)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
