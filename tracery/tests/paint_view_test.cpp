// The drawing view: the 2048 x 2048 scroll area, the rubber band, adding a line on release,
// logical coordinates when scrolled, the capture rules, and the hint that lets other views draw
// just the new line.
#include "paint_test_fixture.h"
#include "tracery_commands.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

class PaintViewTest : public PaintAppTest {
protected:
    void SetUp() override {
        PaintAppTest::SetUp();
        Frame()->ShowWindow(SW_SHOW);
        Frame()->UpdateWindow();
    }

    static COLORREF Pixel(CWnd* pWnd, int x, int y) {
        CClientDC dc(pWnd);
        return dc.GetPixel(x, y);
    }

    void Mouse(UINT message, int x, int y) {
        View()->SendMessage(message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MousePoint(x, y));
    }

    void Drag(CPoint from, CPoint to) {
        Mouse(WM_LBUTTONDOWN, from.x, from.y);
        Mouse(WM_MOUSEMOVE, to.x, to.y);
        Mouse(WM_LBUTTONUP, to.x, to.y);
    }

    // A second view on the document in the same frame, to the right of the first, which
    // shrinks to make room, so that neither draws into the other's pixels.
    CPaintView* AddSecondView() {
        CRect client;
        Frame()->GetClientRect(&client);
        const int half = client.Width() / 2;
        View()->MoveWindow(0, 0, half - 10, client.Height());
        CCreateContext context;
        context.m_pCurrentDoc = Doc();
        auto* pView = static_cast<CPaintView*>(RUNTIME_CLASS(CPaintView)->CreateObject());
        const CRect rect(half, 0, client.right, client.bottom);
        if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, Frame(), 0x1234,
                           &context))
            return nullptr;
        pView->OnInitialUpdate();
        Frame()->UpdateWindow();
        View()->UpdateWindow();
        pView->UpdateWindow();
        return pView;
    }
};

TEST_F(PaintViewTest, ScrollAreaIs2048PixelsSquareInTextMapping) {
    EXPECT_EQ(MM_TEXT, View()->GetMapMode());
    EXPECT_EQ(CSize(2048, 2048), View()->GetTotalSize());
}

TEST_F(PaintViewTest, DragAddsALineToTheReleasePointInTheCurrentWidthAndColour) {
    Mouse(WM_LBUTTONDOWN, 20, 30);
    EXPECT_EQ(View()->m_hWnd, ::GetCapture());
    Mouse(WM_MOUSEMOVE, 100, 30);
    Mouse(WM_LBUTTONUP, 120, 60);
    EXPECT_EQ(nullptr, ::GetCapture());
    ASSERT_EQ(1, Doc()->GetLineCount());
    EXPECT_EQ(CPoint(20, 30), Doc()->GetLine(0)->GetFrom());
    EXPECT_EQ(CPoint(120, 60), Doc()->GetLine(0)->GetTo());
    EXPECT_EQ(16u, Doc()->GetLine(0)->GetWidth());
    EXPECT_TRUE(Doc()->IsModified());
    // Drawn at once, 16 pixels wide in red, without waiting for a paint.
    EXPECT_EQ(kRed, Pixel(View(), 70, 45));
    EXPECT_EQ(kRed, Pixel(View(), 70, 45 + 5));
}

TEST_F(PaintViewTest, RubberBandIsOneInvertedPixelAndIsErasedByTheNextMove) {
    Frame()->SendMessage(WM_COMMAND, ID_WIDTH_VTHICK, 0);
    Mouse(WM_LBUTTONDOWN, 10, 50);
    EXPECT_EQ(kWhite, Pixel(View(), 40, 50)); // nothing drawn on button down
    Mouse(WM_MOUSEMOVE, 90, 50);
    EXPECT_EQ(kBlack, Pixel(View(), 40, 50)); // white inverted
    EXPECT_EQ(kWhite, Pixel(View(), 40, 51)); // one pixel wide whatever the width
    Mouse(WM_MOUSEMOVE, 10, 120);
    EXPECT_EQ(kWhite, Pixel(View(), 40, 50)); // previous band restored
    EXPECT_EQ(kBlack, Pixel(View(), 10, 90));
    Mouse(WM_LBUTTONUP, 10, 120);
    EXPECT_EQ(kWhite, Pixel(View(), 40, 50));
    EXPECT_EQ(kRed, Pixel(View(), 10 + 12, 90)); // the 32-pixel line replaced the band
}

TEST_F(PaintViewTest, ClickWithoutMovingAddsALineWithEqualEnds) {
    Mouse(WM_LBUTTONDOWN, 40, 40);
    Mouse(WM_LBUTTONUP, 40, 40);
    ASSERT_EQ(1, Doc()->GetLineCount());
    EXPECT_EQ(Doc()->GetLine(0)->GetFrom(), Doc()->GetLine(0)->GetTo());
}

TEST_F(PaintViewTest, MovesAndReleaseWithoutTheCaptureDoNothing) {
    Mouse(WM_MOUSEMOVE, 30, 30);
    Mouse(WM_MOUSEMOVE, 80, 30);
    Mouse(WM_LBUTTONUP, 80, 30);
    EXPECT_EQ(kWhite, Pixel(View(), 50, 30));
    EXPECT_EQ(0, Doc()->GetLineCount());
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(PaintViewTest, CaptureTakenAwayEndsTheDragWithoutALine) {
    Mouse(WM_LBUTTONDOWN, 30, 30);
    Mouse(WM_MOUSEMOVE, 80, 30);
    ::ReleaseCapture();
    Mouse(WM_MOUSEMOVE, 80, 90);
    Mouse(WM_LBUTTONUP, 80, 90);
    EXPECT_EQ(0, Doc()->GetLineCount());
    EXPECT_EQ(kBlack, Pixel(View(), 50, 30)); // the last band stays until repainted
}

TEST_F(PaintViewTest, ReleaseOutsideTheViewKeepsTheOutsidePoint) {
    Mouse(WM_LBUTTONDOWN, 30, 30);
    Mouse(WM_MOUSEMOVE, 5, 5);
    Mouse(WM_LBUTTONUP, -15, -25);
    ASSERT_EQ(1, Doc()->GetLineCount());
    EXPECT_EQ(CPoint(-15, -25), Doc()->GetLine(0)->GetTo());
}

TEST_F(PaintViewTest, ScrolledViewStoresDrawingCoordinates) {
    View()->ScrollToPosition(CPoint(100, 200));
    const CPoint scroll = View()->GetScrollPosition();
    ASSERT_NE(CPoint(0, 0), scroll);
    Drag(CPoint(10, 10), CPoint(40, 10));
    ASSERT_EQ(1, Doc()->GetLineCount());
    EXPECT_EQ(CPoint(10 + scroll.x, 10 + scroll.y), Doc()->GetLine(0)->GetFrom());
    EXPECT_EQ(CPoint(40 + scroll.x, 10 + scroll.y), Doc()->GetLine(0)->GetTo());
    // Scrolled back, the line shows at its place in the drawing.
    View()->ScrollToPosition(CPoint(0, 0));
    View()->UpdateWindow();
    EXPECT_EQ(kRed, Pixel(View(), 25 + scroll.x, 10 + scroll.y));
}

TEST_F(PaintViewTest, PaintingDrawsTheLinesInDocumentOrder) {
    Doc()->AddLine(CPoint(50, 10), CPoint(50, 100));
    Frame()->SendMessage(WM_COMMAND, ID_COLOR_BLUE, 0);
    Doc()->AddLine(CPoint(10, 50), CPoint(100, 50));
    View()->Invalidate();
    View()->UpdateWindow();
    EXPECT_EQ(RGB(0, 0, 255), Pixel(View(), 50, 50)); // the later line covers the earlier
    EXPECT_EQ(kRed, Pixel(View(), 50, 20));
}

TEST_F(PaintViewTest, OtherViewsDrawJustTheHintedLine) {
    CPaintView* pOther = AddSecondView();
    ASSERT_NE(nullptr, pOther);
    pOther->ValidateRect(nullptr);
    CRect first;
    View()->GetClientRect(&first);
    ASSERT_GT(first.Width(), 200);
    Drag(CPoint(20, 20), CPoint(200, 20));
    // The other view drew the line itself: nothing of it waits for a repaint.
    CRect update;
    EXPECT_FALSE(::GetUpdateRect(pOther->m_hWnd, &update, FALSE));
    EXPECT_EQ(kRed, Pixel(pOther, 100, 20));
}

class PaintViewHintTest : public PaintViewTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PaintViewHintTest, UpdateWithoutALineRepaintsTheWholeView) {
    CObArray notALine;
    View()->ValidateRect(nullptr);
    Doc()->UpdateAllViews(nullptr, 0, GetParam() ? &notALine : nullptr);
    CRect update;
    ASSERT_TRUE(::GetUpdateRect(View()->m_hWnd, &update, FALSE));
    CRect client;
    View()->GetClientRect(&client);
    EXPECT_EQ(client, update);
}

INSTANTIATE_TEST_SUITE_P(NullOrOtherHint, PaintViewHintTest, ::testing::Bool());

} // namespace
