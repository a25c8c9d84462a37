// The installer's plain copy of a tree of many small files and one large file, against `cp -r`
// of the same tree. The report's "ratio_to_cp" counter is the time per CopyTree divided by the
// time per `cp -r`, both measured in this run on the same scratch drive.
#include "copy_feedback.h"
#include "copy_tree.h"
#include "copy_worker.h"
#include "setup_globals.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int small_directories = 10;
constexpr int small_files_per_directory = 100;
constexpr size_t small_file_size = 2048;
constexpr size_t large_file_size = 64u << 20;

// Answers nothing: the target is always fresh, so no prompt is raised.
class SilentFeedback : public CCopyFeedback {
public:
    void ShowCurrentFile(const CString&, const CString&) override {}
    ReplaceAnswer AskReplace(const CReplaceQuestion&) override { return kReplaceYes; }
    BOOL ConfirmCancel() override { return FALSE; }
    void ShowMissingSource(const CString&) override {}
};

// A scratch directory mapped as drive C:, holding the source tree.
class ScratchTree {
public:
    ScratchTree() {
        std::string pattern = fs::temp_directory_path() / "setup-copy-bench-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_root = pattern;
        setenv("MULLION_DRIVES", ("C=" + m_root.string()).c_str(), 1);
        const std::string small(small_file_size, 's');
        for (int d = 0; d < small_directories; ++d) {
            const fs::path directory = m_root / "src" / ("dir" + std::to_string(d));
            fs::create_directories(directory);
            for (int f = 0; f < small_files_per_directory; ++f)
                std::ofstream(directory / ("file" + std::to_string(f) + ".txt")) << small;
        }
        std::ofstream large(m_root / "src" / "large.bin", std::ios::binary);
        const std::string block(1 << 20, 'L');
        for (size_t written = 0; written < large_file_size; written += block.size())
            large << block;
    }
    ~ScratchTree() {
        std::error_code error;
        fs::remove_all(m_root, error);
    }
    const fs::path& root() const { return m_root; }

private:
    fs::path m_root;
};

ScratchTree& tree() {
    static ScratchTree instance;
    return instance;
}

double copy_tree_seconds() {
    fs::remove_all(tree().root() / "dst");
    SetCurrentDirectoryA("C:\\src");
    CreateDirectoryA("C:\\dst", nullptr);
    SilentFeedback feedback;
    const auto start = std::chrono::steady_clock::now();
    CopyTree("C:\\dst", feedback);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double cp_seconds() {
    fs::remove_all(tree().root() / "cp");
    const std::string command = "cp -r '" + (tree().root() / "src").string() + "' '" +
                                (tree().root() / "cp").string() + "'";
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0)
        std::abort();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_CpRecursive(benchmark::State& state) {
    for (auto _ : state)
        state.SetIterationTime(cp_seconds());
}
BENCHMARK(BM_CpRecursive)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CopyTree(benchmark::State& state) {
    CreateCopyEvents();
    double copy_total = 0;
    for (auto _ : state) {
        const double seconds = copy_tree_seconds();
        copy_total += seconds;
        state.SetIterationTime(seconds);
    }
    // The baseline is measured again beside every run so the ratio compares like with like.
    double cp_total = 0;
    for (int i = 0; i < 3; ++i)
        cp_total += cp_seconds();
    state.counters["ratio_to_cp"] = (copy_total / state.iterations()) / (cp_total / 3);
    CloseCopyEvents();
}
BENCHMARK(BM_CopyTree)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
