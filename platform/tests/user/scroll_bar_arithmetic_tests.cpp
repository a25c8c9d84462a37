// The arithmetic of scroll bars: SetScrollInfo's clamping of page and position, and where the
// arrows, track and thumb lie for a state.
#include "user/scroll_bar_geometry.h"

#include <gtest/gtest.h>

using mullion::ScrollBarDirection;
using mullion::ScrollBarGeometry;
using mullion::ScrollBarPart;
using mullion::ScrollBarState;

namespace {

ScrollBarState state_of(int min, int max, UINT page, int position) {
    ScrollBarState state;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, min, max, page, position, 0};
    state.set_info(info);
    return state;
}

bool same_rect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A vertical bar 16 pixels wide and 200 high at the origin: arrows of 16, a track of 168.
constexpr RECT vertical_bar{0, 0, 16, 200};
constexpr int track_length = 200 - 2 * 16;

TEST(ScrollBarInfo, WindowBarsStartWithTheRangeZeroToHundredAndControlsWithAnEmptyOne) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, -1, -1, 7, 7, 7};
    ScrollBarState().get_info(info);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 100);
    EXPECT_EQ(info.nPage, 0u);
    EXPECT_EQ(info.nPos, 0);
    EXPECT_EQ(info.nTrackPos, 0);
    ScrollBarState control(ScrollBarState::Owner::Control);
    EXPECT_EQ(control.max(), 0);
    EXPECT_TRUE(control.covers_range());
}

TEST(ScrollBarInfo, PositionStaysBetweenMinimumAndMaximumLessThePage) {
    // The largest position is nMax - max(nPage - 1, 0).
    EXPECT_EQ(state_of(0, 99, 10, 500).position(), 90);
    EXPECT_EQ(state_of(0, 99, 0, 500).position(), 99);
    EXPECT_EQ(state_of(0, 99, 1, 500).position(), 99);
    EXPECT_EQ(state_of(10, 20, 0, -5).position(), 10);
    EXPECT_EQ(state_of(-50, 50, 21, 45).position(), 30);
    // Only the fields the mask names change; the position is clamped to the new range anyway.
    ScrollBarState state = state_of(0, 99, 10, 50);
    SCROLLINFO range{sizeof(SCROLLINFO), SIF_RANGE, 0, 39, 0, 0, 0};
    EXPECT_EQ(state.set_info(range), 30);
    EXPECT_EQ(state.page(), 10u);
}

TEST(ScrollBarInfo, PageIsNeverLargerThanTheRange) {
    const ScrollBarState state = state_of(0, 9, 50, 3);
    EXPECT_EQ(state.page(), 10u);
    EXPECT_EQ(state.position(), 0);
    EXPECT_TRUE(state.covers_range());
    // One position more than the page: something is left to scroll.
    EXPECT_FALSE(state_of(0, 10, 10, 0).covers_range());
    EXPECT_TRUE(state_of(5, 5, 0, 0).covers_range());
}

TEST(ScrollBarInfo, TrackPositionIsThePositionUnlessTheThumbIsDragged) {
    ScrollBarState state = state_of(0, 99, 10, 40);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    state.get_info(info);
    EXPECT_EQ(info.nTrackPos, 40);
    state.begin_tracking(40);
    state.set_track_position(70);
    state.get_info(info);
    EXPECT_EQ(info.nTrackPos, 70);
    EXPECT_EQ(state.position(), 40);
    state.end_tracking();
    state.get_info(info);
    EXPECT_EQ(info.nTrackPos, 40);
}

TEST(ScrollBarGeometry, SquareArrowsAtBothEndsAndTheTrackBetween) {
    const ScrollBarGeometry geometry(vertical_bar, ScrollBarDirection::Vertical,
                                     state_of(0, 99, 10, 0), true);
    EXPECT_TRUE(same_rect(geometry.first_arrow(), RECT{0, 0, 16, 16}));
    EXPECT_TRUE(same_rect(geometry.last_arrow(), RECT{0, 184, 16, 200}));
    EXPECT_TRUE(same_rect(geometry.track(), RECT{0, 16, 16, 184}));
    const ScrollBarGeometry horizontal(RECT{10, 50, 110, 66}, ScrollBarDirection::Horizontal,
                                       state_of(0, 99, 10, 0), true);
    EXPECT_TRUE(same_rect(horizontal.first_arrow(), RECT{10, 50, 26, 66}));
    EXPECT_TRUE(same_rect(horizontal.last_arrow(), RECT{94, 50, 110, 66}));
    // Too short for two square arrows: each takes half the length.
    const ScrollBarGeometry short_bar(RECT{0, 0, 16, 20}, ScrollBarDirection::Vertical,
                                      state_of(0, 99, 10, 0), true);
    EXPECT_TRUE(same_rect(short_bar.first_arrow(), RECT{0, 0, 16, 10}));
    EXPECT_TRUE(same_rect(short_bar.last_arrow(), RECT{0, 10, 16, 20}));
    EXPECT_FALSE(short_bar.has_thumb());
}

TEST(ScrollBarGeometry, ThumbLengthIsTheTrackTimesPageOverRange) {
    struct Case {
        int max;
        UINT page;
        int thumb;
    };
    const Case cases[] = {
        {99, 25, track_length * 25 / 100},
        {99, 50, track_length / 2},
        {299, 100, track_length * 100 / 300},
        {9999, 10, ScrollBarGeometry::minimum_thumb}, // never smaller than the minimum
        {99, 0, 16},                                  // no page: a square thumb
    };
    for (const Case& c : cases) {
        const ScrollBarGeometry geometry(vertical_bar, ScrollBarDirection::Vertical,
                                         state_of(0, c.max, c.page, 0), true);
        ASSERT_TRUE(geometry.has_thumb()) << c.max << " " << c.page;
        const RECT thumb = geometry.thumb();
        EXPECT_EQ(thumb.bottom - thumb.top, c.thumb) << c.max << " " << c.page;
        EXPECT_EQ(thumb.top, 16) << "position 0 puts the thumb at the track's start";
    }
}

TEST(ScrollBarGeometry, ThumbTravelsInProportionToThePosition) {
    // Range 0..99 with page 20: positions 0..80, thumb 168 * 20 / 100 = 33, travel 135.
    const int thumb = track_length * 20 / 100, travel = track_length - thumb;
    for (int position : {0, 20, 40, 41, 80}) {
        const ScrollBarGeometry geometry(vertical_bar, ScrollBarDirection::Vertical,
                                         state_of(0, 99, 20, position), true);
        const int expected = 16 + (position * travel + 40) / 80; // rounded
        EXPECT_EQ(geometry.thumb().top, expected) << position;
    }
    const ScrollBarGeometry last(vertical_bar, ScrollBarDirection::Vertical,
                                 state_of(0, 99, 20, 80), true);
    EXPECT_EQ(last.thumb().bottom, 184);
}

TEST(ScrollBarGeometry, EveryPositionSurvivesTheWayToTheThumbAndBack) {
    const ScrollBarGeometry geometry(vertical_bar, ScrollBarDirection::Vertical,
                                     state_of(0, 99, 20, 0), true);
    for (int position = 0; position <= 80; ++position)
        EXPECT_EQ(geometry.position_for_thumb_offset(geometry.thumb_offset_for(position)),
                  position);
    EXPECT_EQ(geometry.position_for_thumb_offset(-40), 0);
    EXPECT_EQ(geometry.position_for_thumb_offset(1000), 80);
}

TEST(ScrollBarGeometry, NoThumbWhenNothingScrollsTheBarIsDisabledOrTheTrackTooShort) {
    EXPECT_FALSE(
        ScrollBarGeometry(vertical_bar, ScrollBarDirection::Vertical, state_of(0, 99, 100, 0), true)
            .has_thumb());
    EXPECT_FALSE(
        ScrollBarGeometry(vertical_bar, ScrollBarDirection::Vertical, state_of(0, 99, 10, 0), false)
            .has_thumb());
    ScrollBarState disabled = state_of(0, 99, 10, 0);
    disabled.set_disabled_arrows(ESB_DISABLE_BOTH);
    EXPECT_FALSE(
        ScrollBarGeometry(vertical_bar, ScrollBarDirection::Vertical, disabled, true).has_thumb());
    // 40 pixels leave a track of 8, shorter than a square thumb.
    EXPECT_FALSE(ScrollBarGeometry(RECT{0, 0, 16, 40}, ScrollBarDirection::Vertical,
                                   state_of(0, 99, 0, 0), true)
                     .has_thumb());
}

TEST(ScrollBarGeometry, HitTestNamesEachPart) {
    // Page 50 of 0..99 at position 25: thumb 84 long, travel 84, offset 42: 58..142.
    const ScrollBarGeometry geometry(vertical_bar, ScrollBarDirection::Vertical,
                                     state_of(0, 99, 50, 25), true);
    ASSERT_TRUE(same_rect(geometry.thumb(), RECT{0, 58, 16, 142}));
    EXPECT_EQ(geometry.hit_test(POINT{8, 0}), ScrollBarPart::FirstArrow);
    EXPECT_EQ(geometry.hit_test(POINT{8, 15}), ScrollBarPart::FirstArrow);
    EXPECT_EQ(geometry.hit_test(POINT{8, 16}), ScrollBarPart::FirstPage);
    EXPECT_EQ(geometry.hit_test(POINT{8, 57}), ScrollBarPart::FirstPage);
    EXPECT_EQ(geometry.hit_test(POINT{8, 58}), ScrollBarPart::Thumb);
    EXPECT_EQ(geometry.hit_test(POINT{8, 141}), ScrollBarPart::Thumb);
    EXPECT_EQ(geometry.hit_test(POINT{8, 142}), ScrollBarPart::LastPage);
    EXPECT_EQ(geometry.hit_test(POINT{8, 183}), ScrollBarPart::LastPage);
    EXPECT_EQ(geometry.hit_test(POINT{8, 184}), ScrollBarPart::LastArrow);
    EXPECT_EQ(geometry.hit_test(POINT{8, 200}), ScrollBarPart::None);
    EXPECT_EQ(geometry.hit_test(POINT{16, 100}), ScrollBarPart::None);
    EXPECT_TRUE(same_rect(geometry.first_page(), RECT{0, 16, 16, 58}));
    EXPECT_TRUE(same_rect(geometry.last_page(), RECT{0, 142, 16, 184}));
}

} // namespace
