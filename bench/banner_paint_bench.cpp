// The banner's erase and paint at 1920 x 1080 (64 brushes, one fill per row, then the 72-point
// text), against filling the same surface with one solid colour. The report's "ratio" counter
// is the time per banner frame divided by the time per solid fill, both measured in this run.
#include "banner_painting.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int frame_width = 1920;
constexpr int frame_height = 1080;

// A screen-compatible 1920 x 1080 memory surface to paint on.
class Frame {
public:
    Frame() {
        CClientDC screen(nullptr);
        m_dc.CreateCompatibleDC(&screen);
        m_bitmap.CreateCompatibleBitmap(&screen, frame_width, frame_height);
        m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
    }
    ~Frame() { m_dc.SelectObject(m_pOldBitmap); }
    CDC* dc() { return &m_dc; }
    CRect rect() const { return CRect(0, 0, frame_width, frame_height); }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
};

double seconds_per_iteration(void (*paint)(Frame&), Frame& frame, int iterations) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < iterations; ++i)
        paint(frame);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
           iterations;
}

void paint_solid(Frame& frame) {
    PaintSolidFill(frame.dc(), frame.rect(), BANNER_BLUE);
}

void paint_banner(Frame& frame) {
    PaintGradientFill(frame.dc(), frame.rect(), BANNER_BLUE);
    PaintBannerText(frame.dc(), frame.rect(), "Hello, MFC", 72, TRUE, TRUE);
}

void BM_SolidFill(benchmark::State& state) {
    Frame frame;
    for (auto _ : state)
        paint_solid(frame);
}
BENCHMARK(BM_SolidFill)->Unit(benchmark::kMillisecond);

void BM_BannerEraseAndPaint(benchmark::State& state) {
    Frame frame;
    for (auto _ : state)
        paint_banner(frame);
    // The baseline is measured again beside every run so the ratio compares like with like.
    const double banner = seconds_per_iteration(paint_banner, frame, 5);
    const double solid = seconds_per_iteration(paint_solid, frame, 5);
    state.counters["ratio_to_solid_fill"] = banner / solid;
}
BENCHMARK(BM_BannerEraseAndPaint)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
