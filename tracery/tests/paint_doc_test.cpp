// The line document: its selections, adding lines, the .pnt bytes it writes and reads, and the
// file contents it refuses.
#include "paint_test_fixture.h"
#include "tracery_commands.h"

#include <fstream>
#include <iterator>
#include <new>

namespace {

// Little-endian encodings of the archive format.
std::string Word(unsigned value) {
    return {char(value & 0xFF), char((value >> 8) & 0xFF)};
}

std::string Dword(uint32_t value) {
    return Word(value & 0xFFFF) + Word(value >> 16);
}

struct LineBytes {
    LONG x1, y1, x2, y2;
    DWORD width;
    COLORREF color;
};

// A .pnt file: the element count, then each line as an object record (the class record
// "CLine", schema 1, on the first; a reference to class index 1 on the others) and its four
// members.
std::string PntBytes(const std::vector<LineBytes>& lines) {
    std::string bytes = Word(unsigned(lines.size()));
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == 0)
            bytes += Word(0xFFFF) + Word(1) + Word(5) + "CLine";
        else
            bytes += Word(0x8001);
        const LineBytes& line = lines[i];
        bytes += Dword(uint32_t(line.x1)) + Dword(uint32_t(line.y1)) + Dword(uint32_t(line.x2)) +
                 Dword(uint32_t(line.y2)) + Dword(line.width) + Dword(line.color);
    }
    return bytes;
}

std::string HostFile(const std::string& name) {
    std::ifstream file(ScratchHostPath(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteHostFile(const std::string& name, const std::string& bytes) {
    std::ofstream(ScratchHostPath(name), std::ios::binary) << bytes;
}

using PaintDocTest = PaintAppTest;

TEST_F(PaintDocTest, NewDocumentIsEmptyWithMediumRedSelection) {
    ASSERT_NE(nullptr, Doc());
    EXPECT_EQ(0, Doc()->GetLineCount());
    EXPECT_EQ(2, Doc()->GetWidthIndex());
    EXPECT_EQ(4, Doc()->GetColorIndex());
    EXPECT_FALSE(Doc()->IsModified());

    CLine* pLine = Doc()->AddLine(CPoint(1, 2), CPoint(3, 4));
    ASSERT_NE(nullptr, pLine);
    EXPECT_EQ(16u, pLine->GetWidth());
    EXPECT_EQ(COLORREF(0x000000FF), pLine->GetColor());
}

TEST_F(PaintDocTest, TablesMatchTheCommandsWidthsAndColours) {
    const UINT widths[5] = {1, 8, 16, 24, 32};
    const COLORREF colors[8] = {0x00000000, 0x00FF0000, 0x0000FF00, 0x00FFFF00,
                                0x000000FF, 0x00FF00FF, 0x0000FFFF, 0x00FFFFFF};
    for (int i = 0; i < 5; ++i) {
        Frame()->SendMessage(WM_COMMAND, ID_WIDTH_VTHIN + i, 0);
        EXPECT_EQ(widths[i], Doc()->AddLine(CPoint(), CPoint())->GetWidth()) << i;
    }
    for (int i = 0; i < 8; ++i) {
        Frame()->SendMessage(WM_COMMAND, ID_COLOR_BLACK + i, 0);
        EXPECT_EQ(colors[i], Doc()->AddLine(CPoint(), CPoint())->GetColor()) << i;
    }
}

TEST_F(PaintDocTest, AddLineAppendsInOrderAndMarksModified) {
    CLine* pFirst = Doc()->AddLine(CPoint(10, 20), CPoint(30, 40));
    CLine* pSecond = Doc()->AddLine(CPoint(5, 5), CPoint(5, 5));
    ASSERT_EQ(2, Doc()->GetLineCount());
    EXPECT_EQ(pFirst, Doc()->GetLine(0));
    EXPECT_EQ(pSecond, Doc()->GetLine(1));
    EXPECT_EQ(CPoint(10, 20), pFirst->GetFrom());
    EXPECT_EQ(CPoint(30, 40), pFirst->GetTo());
    EXPECT_EQ(pSecond->GetFrom(), pSecond->GetTo());
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(PaintDocTest, ChangingTheSelectionLeavesExistingLinesAndModifiedFlag) {
    CLine* pLine = Doc()->AddLine(CPoint(0, 0), CPoint(9, 9));
    Doc()->SetModifiedFlag(FALSE);
    Frame()->SendMessage(WM_COMMAND, ID_WIDTH_VTHICK, 0);
    Frame()->SendMessage(WM_COMMAND, ID_COLOR_GREEN, 0);
    EXPECT_EQ(4, Doc()->GetWidthIndex());
    EXPECT_EQ(2, Doc()->GetColorIndex());
    EXPECT_EQ(16u, pLine->GetWidth());
    EXPECT_EQ(COLORREF(0x000000FF), pLine->GetColor());
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(PaintDocTest, EmptyDocumentSavesACountOfZero) {
    ASSERT_TRUE(Doc()->OnSaveDocument(ScratchWindowsPath("empty.pnt").c_str()));
    EXPECT_EQ(Word(0), HostFile("empty.pnt"));
}

TEST_F(PaintDocTest, SavedFileHoldsTheLinesInTheArchiveLayout) {
    Doc()->AddLine(CPoint(10, 20), CPoint(30, 40));
    Frame()->SendMessage(WM_COMMAND, ID_WIDTH_VTHIN, 0);
    Frame()->SendMessage(WM_COMMAND, ID_COLOR_BLUE, 0);
    Doc()->AddLine(CPoint(-3, 2100), CPoint(7, 7));
    Doc()->AddLine(CPoint(1, 1), CPoint(1, 1));
    ASSERT_TRUE(Doc()->OnSaveDocument(ScratchWindowsPath("three.pnt").c_str()));
    EXPECT_EQ(PntBytes({{10, 20, 30, 40, 16, 0x000000FF},
                        {-3, 2100, 7, 7, 1, 0x00FF0000},
                        {1, 1, 1, 1, 1, 0x00FF0000}}),
              HostFile("three.pnt"));
}

TEST_F(PaintDocTest, OpenLoadsTheLinesAndResetsTheSelection) {
    WriteHostFile("load.pnt", PntBytes({{100, 200, -50, 60, 24, 0x00FFFF00},
                                        {0, 0, 4000, 4000, 7, 0x00123456}}));
    Frame()->SendMessage(WM_COMMAND, ID_WIDTH_THICK, 0);
    Frame()->SendMessage(WM_COMMAND, ID_COLOR_WHITE, 0);
    Doc()->AddLine(CPoint(1, 1), CPoint(2, 2));

    ASSERT_TRUE(Doc()->OnOpenDocument(ScratchWindowsPath("load.pnt").c_str()));
    ASSERT_EQ(2, Doc()->GetLineCount());
    EXPECT_EQ(CPoint(100, 200), Doc()->GetLine(0)->GetFrom());
    EXPECT_EQ(CPoint(-50, 60), Doc()->GetLine(0)->GetTo());
    EXPECT_EQ(24u, Doc()->GetLine(0)->GetWidth());
    EXPECT_EQ(COLORREF(0x00FFFF00), Doc()->GetLine(0)->GetColor());
    // Values outside the tables are kept as stored.
    EXPECT_EQ(CPoint(4000, 4000), Doc()->GetLine(1)->GetTo());
    EXPECT_EQ(7u, Doc()->GetLine(1)->GetWidth());
    EXPECT_EQ(COLORREF(0x00123456), Doc()->GetLine(1)->GetColor());
    EXPECT_EQ(2, Doc()->GetWidthIndex());
    EXPECT_EQ(4, Doc()->GetColorIndex());
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(PaintDocTest, SaveThenOpenGivesBackTheSameBytes) {
    Doc()->AddLine(CPoint(11, 12), CPoint(13, 14));
    Doc()->AddLine(CPoint(-1, -2), CPoint(-3, -4));
    ASSERT_TRUE(Doc()->OnSaveDocument(ScratchWindowsPath("trip.pnt").c_str()));
    ASSERT_TRUE(Doc()->OnOpenDocument(ScratchWindowsPath("trip.pnt").c_str()));
    ASSERT_EQ(2, Doc()->GetLineCount());
    ASSERT_TRUE(Doc()->OnSaveDocument(ScratchWindowsPath("trip2.pnt").c_str()));
    EXPECT_EQ(HostFile("trip.pnt"), HostFile("trip2.pnt"));
}

// A file the document cannot take is reported, leaves the document empty and keeps the
// selection (InitDocument runs only after a successful open).
class PaintDocRefusalTest : public PaintAppTest,
                            public ::testing::WithParamInterface<std::string> {};

TEST_P(PaintDocRefusalTest, FileIsRefusedAndReported) {
    WriteHostFile("bad.pnt", GetParam());
    Frame()->SendMessage(WM_COMMAND, ID_WIDTH_VTHIN, 0);
    Doc()->AddLine(CPoint(1, 1), CPoint(2, 2));
    bool bReported = false;
    m_steps.Add([&] {
        const HWND box = ::GetActiveWindow();
        bReported = ::GetDlgItem(box, IDOK) != nullptr;
        ::SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
    });
    m_steps.Start();
    EXPECT_FALSE(Doc()->OnOpenDocument(ScratchWindowsPath("bad.pnt").c_str()));
    EXPECT_TRUE(m_steps.Done());
    EXPECT_TRUE(bReported);
    EXPECT_EQ(0, Doc()->GetLineCount());
    EXPECT_EQ(0, Doc()->GetWidthIndex());
}

INSTANTIATE_TEST_SUITE_P(
    DamagedFiles, PaintDocRefusalTest,
    ::testing::Values(
        // The data ends inside the second line.
        PntBytes({{1, 2, 3, 4, 16, 0xFF}, {5, 6, 7, 8, 16, 0xFF}}).substr(0, 40),
        // A null element where a line belongs.
        Word(1) + Word(0),
        // The class record names a class of another schema.
        Word(1) + Word(0xFFFF) + Word(2) + Word(5) + "CLine" + std::string(24, '\0'),
        // The second element refers back to the first line (object index 2).
        PntBytes({{1, 2, 3, 4, 16, 0xFF}}).replace(0, 2, Word(2)) + Word(2),
        // The same, with the data ending after the reference.
        PntBytes({{1, 2, 3, 4, 16, 0xFF}}).replace(0, 2, Word(3)) + Word(2),
        // An object of a registered class that is not a line.
        Word(1) + Word(0xFFFF) + Word(1) + Word(8) + "CObArray" + Word(0)));

// A document whose allocation of lines runs out of memory.
class CStarvedPaintDoc : public CPaintDoc {
protected:
    CLine* CreateLine(POINT, POINT, UINT, COLORREF) override { throw std::bad_alloc(); }
};

TEST_F(PaintDocTest, OutOfMemoryIsReportedAndChangesNothing) {
    CStarvedPaintDoc doc;
    std::string text;
    bool bStopIcon = false;
    m_steps.Add([&] {
        const HWND box = ::GetActiveWindow();
        char buffer[128] = {};
        ::GetDlgItemTextA(box, 0xFFFE, buffer, sizeof buffer);
        text = buffer;
        bStopIcon = ::GetDlgItem(box, 0xFFFF) != nullptr;
        ::SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
    });
    m_steps.Start();
    EXPECT_EQ(nullptr, doc.AddLine(CPoint(1, 1), CPoint(2, 2)));
    EXPECT_TRUE(m_steps.Done());
    EXPECT_EQ("Out of memory", text);
    EXPECT_TRUE(bStopIcon);
    EXPECT_EQ(0, doc.GetLineCount());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PaintDocTest, WidthAndColourMenusCheckTheCurrentSelection) {
    CMenu* pWidth = BarPopup(1);
    CMenu* pColor = BarPopup(2);
    RunUpdateHandlers(pWidth, 1);
    RunUpdateHandlers(pColor, 2);
    for (UINT nID = ID_WIDTH_VTHIN; nID <= ID_WIDTH_VTHICK; ++nID)
        EXPECT_EQ(nID == ID_WIDTH_MEDIUM, IsChecked(pWidth, nID)) << nID;
    for (UINT nID = ID_COLOR_BLACK; nID <= ID_COLOR_WHITE; ++nID)
        EXPECT_EQ(nID == ID_COLOR_RED, IsChecked(pColor, nID)) << nID;

    Frame()->SendMessage(WM_COMMAND, ID_WIDTH_THICK, 0);
    Frame()->SendMessage(WM_COMMAND, ID_COLOR_CYAN, 0);
    RunUpdateHandlers(pWidth, 1);
    RunUpdateHandlers(pColor, 2);
    for (UINT nID = ID_WIDTH_VTHIN; nID <= ID_WIDTH_VTHICK; ++nID)
        EXPECT_EQ(nID == ID_WIDTH_THICK, IsChecked(pWidth, nID)) << nID;
    for (UINT nID = ID_COLOR_BLACK; nID <= ID_COLOR_WHITE; ++nID)
        EXPECT_EQ(nID == ID_COLOR_CYAN, IsChecked(pColor, nID)) << nID;
}

TEST_F(PaintDocTest, FunctionKeysSelectTheWidth) {
    const int keys[5] = {VK_F5, VK_F6, VK_F7, VK_F8, VK_F9};
    for (int i = 4; i >= 0; --i) {
        MSG msg{View()->m_hWnd, WM_KEYDOWN, WPARAM(keys[i]), 1, 0, {}};
        EXPECT_TRUE(Frame()->PreTranslateMessage(&msg));
        DrainQueue();
        EXPECT_EQ(i, Doc()->GetWidthIndex());
    }
}

} // namespace
