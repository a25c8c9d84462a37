// LZOpenFileA, LZCopy, LZRead and LZClose on files made by the mscompress tool, on plain
// files and on damaged ones.
#include "scratch_drives.h"

#include "windows.h"
#include "lzexpand.h"

#include <random>

namespace {

class LzExpandTest : public ScratchDrives {
protected:
    void SetUp() override {
        ScratchDrives::SetUp();
        if (std::system("command -v mscompress >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "mscompress is not installed (tools/install-deps installs it)";
    }

    // Text with repeats, so the LZ coder has matches to find, and noise, so it has literals.
    static std::string sample_text(size_t size, unsigned seed) {
        std::mt19937 random(seed);
        static const char* words[] = {"mullion ", "transom ", "sash ", "pane ", "\r\n", "glazing "};
        std::string text;
        while (text.size() < size) {
            if (random() % 4 == 0)
                text += char(random() % 256);
            else
                text += words[random() % 6];
        }
        text.resize(size);
        return text;
    }

    // Compresses a host file with the platform's LZ compression tool; returns FILE_.
    std::filesystem::path compress(const std::filesystem::path& file) {
        std::filesystem::remove(file.string() + "_"); // the tool never overwrites
        const std::string command = "mscompress '" + file.string() + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return file.string() + "_";
    }

    // Expands `source` to `target` (Windows paths) the way an installer does.
    LONG lz_copy(const char* source, const char* target) {
        OFSTRUCT source_info{}, target_info{};
        source_info.cBytes = target_info.cBytes = sizeof(OFSTRUCT);
        INT from = LZOpenFileA(const_cast<LPSTR>(source), &source_info, OF_READ);
        INT to = LZOpenFileA(const_cast<LPSTR>(target), &target_info, OF_CREATE | OF_WRITE);
        LONG result = from < 0 ? from : to < 0 ? to : LZCopy(from, to);
        if (from >= 0)
            LZClose(from);
        if (to >= 0)
            LZClose(to);
        return result;
    }
};

TEST_F(LzExpandTest, CompressedFilesExpandToTheOriginalBytes) {
    const std::string original = sample_text(200000, 1);
    write_host_file(on_c("src/book.txt"), original);
    const auto compressed = compress(on_c("src/book.txt"));
    ASSERT_NE(read_host_file(compressed).substr(0, 4), "book"); // really compressed
    EXPECT_EQ(lz_copy("C:\\src\\book.txt_", "C:\\out.txt"), LONG(original.size()));
    EXPECT_EQ(read_host_file(on_c("out.txt")), original);
}

// Sizes around the coder's 4096-byte window. (The tool itself writes broken output for
// files under 16 bytes, so none is tried.)
TEST_F(LzExpandTest, FilesAroundTheWindowSizeExpand) {
    for (size_t size : {size_t(17), size_t(4095), size_t(4096), size_t(4114)}) {
        const std::string original = size == 4096 ? std::string(size, 'q') : sample_text(size, 9);
        write_host_file(on_c("small.dat"), original);
        compress(on_c("small.dat"));
        EXPECT_EQ(lz_copy("C:\\small.dat_", "C:\\small.out"), LONG(original.size()));
        EXPECT_EQ(read_host_file(on_c("small.out")), original);
    }
}

TEST_F(LzExpandTest, PlainFilesAreCopiedUnchanged) {
    const std::string original = sample_text(70000, 2);
    write_host_file(on_c("plain.bin"), original);
    EXPECT_EQ(lz_copy("C:\\plain.bin", "C:\\copy.bin"), LONG(original.size()));
    EXPECT_EQ(read_host_file(on_c("copy.bin")), original);
    // Almost a signature is still a plain file.
    write_host_file(on_c("near.bin"), "SZDD\x88\xf0\x27");
    EXPECT_EQ(lz_copy("C:\\near.bin", "C:\\near.out"), 7);
}

TEST_F(LzExpandTest, TruncatedFilesFailAndLeaveNoTarget) {
    write_host_file(on_c("book.txt"), sample_text(50000, 3));
    const std::string compressed = read_host_file(compress(on_c("book.txt")));
    for (size_t cut : {size_t(10), size_t(14), compressed.size() / 2, compressed.size() - 1}) {
        write_host_file(on_c("cut.tx_"), compressed.substr(0, cut));
        const LONG result = lz_copy("C:\\cut.tx_", "C:\\cut.txt");
        EXPECT_LT(result, 0) << "cut at " << cut;
        EXPECT_FALSE(std::filesystem::exists(on_c("cut.txt"))) << "cut at " << cut;
    }
}

TEST_F(LzExpandTest, WrongLengthAndUnknownMethodFail) {
    write_host_file(on_c("book.txt"), sample_text(5000, 4));
    std::string compressed = read_host_file(compress(on_c("book.txt")));
    std::string shorter = compressed;
    shorter[10] = 100; // the header now claims fewer bytes than the data holds
    shorter[11] = shorter[12] = shorter[13] = 0;
    write_host_file(on_c("short.tx_"), shorter);
    EXPECT_EQ(lz_copy("C:\\short.tx_", "C:\\short.txt"), LZERROR_READ);
    EXPECT_FALSE(std::filesystem::exists(on_c("short.txt")));
    std::string other = compressed;
    other[8] = 'B';
    write_host_file(on_c("other.tx_"), other);
    EXPECT_EQ(lz_copy("C:\\other.tx_", "C:\\other.txt"), LZERROR_UNKNOWNALG);
}

TEST_F(LzExpandTest, OpenFailuresReturnMinusOneAndTheErrorCode) {
    OFSTRUCT info{};
    info.cBytes = sizeof info;
    EXPECT_EQ(LZOpenFileA(const_cast<LPSTR>("C:\\absent.tx_"), &info, OF_READ), -1);
    EXPECT_EQ(info.nErrCode, WORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(LZOpenFileA(const_cast<LPSTR>("C:\\nodir\\x.txt"), &info, OF_CREATE | OF_WRITE), -1);
    EXPECT_EQ(info.nErrCode, WORD(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(LZCopy(12345, 12346), LZERROR_BADINHANDLE);
    write_host_file(on_c("in.txt"), "x");
    INT from = LZOpenFileA(const_cast<LPSTR>("C:\\in.txt"), &info, OF_READ);
    ASSERT_GE(from, 0);
    EXPECT_STREQ(info.szPathName, "C:\\in.txt");
    EXPECT_EQ(LZCopy(from, 12346), LZERROR_BADOUTHANDLE);
    LZClose(from);
}

TEST_F(LzExpandTest, ReadAndSeekSeeExpandedBytes) {
    const std::string original = sample_text(3000, 5);
    write_host_file(on_c("r.txt"), original);
    compress(on_c("r.txt"));
    OFSTRUCT info{};
    INT file = LZOpenFileA(const_cast<LPSTR>("C:\\r.txt_"), &info, OF_READ);
    ASSERT_GE(file, 0);
    std::string got(100, '\0');
    EXPECT_EQ(LZRead(file, got.data(), 100), 100);
    EXPECT_EQ(got, original.substr(0, 100));
    EXPECT_EQ(LZSeek(file, -10, 2), LONG(original.size() - 10));
    EXPECT_EQ(LZRead(file, got.data(), 100), 10);
    EXPECT_EQ(got.substr(0, 10), original.substr(original.size() - 10));
    LZClose(file);
}

} // namespace
