// The banner's erase and paint at 1920 x 1080 (64 brushes, one fill per row, then the 72-point
// text), against filling the same surface with one solid colour. The report's "ratio" counter
// is the time per banner frame divided by the time per solid fill, both measured in this run.
#include "banner_painting.h"
#include "memory_frame.h"

#include <benchmark/benchmark.h>

namespace {

// A 1920 x 1080 surface to paint on.
class Frame : public MemoryFrame {
public:
    Frame() : MemoryFrame(1920, 1080) {}
};

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
    const double banner = seconds_per_frame(paint_banner, frame, 5);
    const double solid = seconds_per_frame(paint_solid, frame, 5);
    state.counters["ratio_to_solid_fill"] = banner / solid;
}
BENCHMARK(BM_BannerEraseAndPaint)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
