// Expansion of an 8 MB SZDD file through LZOpenFileA and LZCopy, against the msexpand tool
// expanding the same file in the same run. The "ratio_to_msexpand" counter is our time
// divided by the tool's.
#include <windows.h>
#include <lzexpand.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

// The compressed input, made once with mscompress in a scratch directory.
class Input {
public:
    Input() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/mullion-szdd-XXXXXX";
        if (!mkdtemp(pattern.data()))
            return;
        m_directory = pattern;
        std::mt19937 random(7);
        static const char* words[] = {"mullion ", "transom ", "sash ", "pane ", "\n", "glazing "};
        std::string text;
        while (text.size() < 8 * 1024 * 1024)
            text +=
                random() % 5 ? std::string(words[random() % 6]) : std::string(1, char(random()));
        std::ofstream(m_directory / "book.txt", std::ios::binary) << text;
        const std::string command = "mscompress '" + (m_directory / "book.txt").string() + "'";
        m_ready = std::system(command.c_str()) == 0;
    }
    ~Input() {
        std::error_code error;
        std::filesystem::remove_all(m_directory, error);
    }
    bool ready() const { return m_ready; }
    // The host's root is drive Z:.
    std::string windows_path(const char* name) const {
        std::string path = "Z:" + (m_directory / name).string();
        for (char& c : path)
            if (c == '/')
                c = '\\';
        return path;
    }
    std::string host_path(const char* name) const { return (m_directory / name).string(); }

private:
    std::filesystem::path m_directory;
    bool m_ready = false;
};

Input& input() {
    static Input shared;
    return shared;
}

void expand_with_lzcopy() {
    std::string source = input().windows_path("book.txt_");
    std::string target = input().windows_path("ours.txt");
    OFSTRUCT source_info{}, target_info{};
    const INT from = LZOpenFileA(source.data(), &source_info, OF_READ);
    const INT to = LZOpenFileA(target.data(), &target_info, OF_CREATE | OF_WRITE);
    LZCopy(from, to);
    LZClose(from);
    LZClose(to);
}

void expand_with_msexpand() {
    const std::string command = "msexpand < '" + input().host_path("book.txt_") + "' > '" +
                                input().host_path("theirs.txt") + "'";
    if (std::system(command.c_str()) != 0)
        std::abort();
}

double seconds_per_run(void (*expand)(), int runs) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i)
        expand();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / runs;
}

void BM_LzCopyExpansion(benchmark::State& state) {
    if (!input().ready()) {
        state.SkipWithError("mscompress could not make the input");
        return;
    }
    for (auto _ : state)
        expand_with_lzcopy();
    const double ours = seconds_per_run(expand_with_lzcopy, 3);
    const double theirs = seconds_per_run(expand_with_msexpand, 3);
    state.counters["ratio_to_msexpand"] = ours / theirs;
}
BENCHMARK(BM_LzCopyExpansion)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
