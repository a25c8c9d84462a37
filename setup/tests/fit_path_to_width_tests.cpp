// Middle-ellipsis shortening, with widths measured in the window's own device context.
#include "fit_path_to_width.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class FitPathToWidthTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "FitPathField";
        RegisterClassA(&windowClass);
        m_hwnd = CreateWindowExA(0, "FitPathField", "Field", WS_OVERLAPPED, 0, 0, 300, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_hwnd, nullptr);
    }
    void TearDown() override {
        if (m_hwnd)
            DestroyWindow(m_hwnd);
    }

    int Width(const std::string& text) const {
        const HDC hdc = GetDC(m_hwnd);
        SIZE size = {0, 0};
        GetTextExtentPoint32A(hdc, text.c_str(), static_cast<int>(text.size()), &size);
        ReleaseDC(m_hwnd, hdc);
        return size.cx;
    }

    std::string Fit(const std::string& text, int cxWidth) const {
        return static_cast<LPCSTR>(FitPathToWidth(text.c_str(), m_hwnd, cxWidth));
    }

    HWND m_hwnd = nullptr;
};

TEST_F(FitPathToWidthTest, APathThatFitsIsUnchanged) {
    const std::string path = "C:\\Vantrel\\Samples";
    EXPECT_EQ(Fit(path, Width(path)), path);
    EXPECT_EQ(Fit(path, Width(path) + 50), path);
}

TEST_F(FitPathToWidthTest, ASlightlyLongPathLosesItsThreeMiddleCharacters) {
    // Head of 12 characters, "WWW" at positions n/2 - 1 to n/2 + 1, tail of 11 characters.
    const std::string head = "C:\\Program F";
    const std::string tail = "les\\Samples";
    const std::string path = head + "WWW" + tail;
    ASSERT_EQ(path.size() / 2 - 1, head.size());
    ASSERT_LT(Width("..."), Width("WWW"));
    EXPECT_EQ(Fit(path, Width(path) - 1), head + "..." + tail);
}

TEST_F(FitPathToWidthTest, AFarTooLongPathKeepsAShortHeadAndTail) {
    const std::string path =
        "C:\\Vantrel\\Samples\\Graphics\\Bitmaps\\Transparent\\Blitmark Program";
    const int cxWidth = Width("C:\\Va...gram");
    ASSERT_EQ(path.size() % 2, 0u);
    const std::string fitted = Fit(path, cxWidth);

    EXPECT_LE(Width(fitted), cxWidth);
    const size_t ellipsis = fitted.find("...");
    ASSERT_NE(ellipsis, std::string::npos);
    EXPECT_EQ(fitted.find("...", ellipsis + 1), std::string::npos);
    const std::string head = fitted.substr(0, ellipsis);
    const std::string tail = fitted.substr(ellipsis + 3);
    EXPECT_EQ(path.compare(0, head.size(), head), 0);
    EXPECT_EQ(path.compare(path.size() - tail.size(), tail.size(), tail), 0);
    EXPECT_FALSE(head.empty());
    EXPECT_FALSE(tail.empty());
    // Characters go in pairs, one after the "..." then one before it, starting from a tail one
    // shorter than the head; so the head is one longer than the tail.
    EXPECT_EQ(head.size(), tail.size() + 1);
    // One step less shortening would not have fitted.
    const std::string longer =
        path.substr(0, head.size() + 1) + "..." + path.substr(path.size() - tail.size() - 1);
    EXPECT_GT(Width(longer), cxWidth);
}

TEST_F(FitPathToWidthTest, NarrowFieldsAndEmptyTextGiveNothing) {
    EXPECT_EQ(Fit("C:\\Vantrel", 9), "");
    EXPECT_EQ(Fit("C:\\Vantrel", 0), "");
    EXPECT_EQ(Fit("", 200), "");
}

TEST_F(FitPathToWidthTest, AFieldNarrowerThanTheEllipsisLeavesOnlyTheEllipsis) {
    EXPECT_EQ(Fit("C:\\Vantrel\\Samples", 10), "...");
}

TEST_F(FitPathToWidthTest, NoDeviceContextGivesNothing) {
    const HWND hwndGone = m_hwnd;
    DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
    EXPECT_STREQ(FitPathToWidth("C:\\Vantrel", hwndGone, 200), "");
}

TEST_F(FitPathToWidthTest, MultiByteCharactersAreNeverCutApart) {
    const std::string path = "C:\\\xC3\x9C"
                             "ber\\\xC3\xA4\xC3\xB6\xC3\xBC\\Gr\xC3\xB6\xC3\x9F"
                             "e\\\xC3\x89t\xC3\xA9\\Fin";
    const std::string fitted = Fit(path, Width(path) / 2);
    ASSERT_NE(fitted.find("..."), std::string::npos);
    // Every byte that starts a two-byte sequence is followed by its continuation byte.
    for (size_t i = 0; i < fitted.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(fitted[i]);
        if ((byte & 0xE0) == 0xC0) {
            ASSERT_LT(i + 1, fitted.size());
            EXPECT_EQ(static_cast<unsigned char>(fitted[i + 1]) & 0xC0, 0x80);
        } else {
            EXPECT_NE(byte & 0xC0, 0x80) << "stray continuation byte at " << i;
        }
        if ((byte & 0xE0) == 0xC0)
            ++i;
    }
}

} // namespace
