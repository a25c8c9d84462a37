#include "pen_stroke.h"
#include "device_context.h"
#include "draw_session.h"
#include "pen.h"

#include <algorithm>
#include <cmath>

namespace mullion {

namespace {

// The classic cosmetic patterns, in pixels along the line's major axis: on, off, on, off...
std::vector<int> dash_pattern(UINT style) {
    switch (style) {
    case PS_DASH:
        return {18, 6};
    case PS_DOT:
        return {3, 3};
    case PS_DASHDOT:
        return {9, 6, 3, 6};
    case PS_DASHDOTDOT:
        return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE:
        return {1, 1};
    default:
        return {};
    }
}

struct Interval {
    double low, high;
    bool empty() const { return low > high; }
};

// The x interval, on the horizontal line y, of the points within `radius` of segment a-b.
Interval capsule_row(double ax, double ay, double bx, double by, double radius, double y) {
    Interval result{1, 0};
    auto include = [&](Interval piece) {
        if (piece.empty())
            return;
        result = result.empty()
                     ? piece
                     : Interval{std::min(result.low, piece.low), std::max(result.high, piece.high)};
    };
    for (const auto& [cx, cy] : {std::pair{ax, ay}, std::pair{bx, by}}) {
        const double dy = y - cy;
        if (std::fabs(dy) <= radius) {
            const double half = std::sqrt(radius * radius - dy * dy);
            include(Interval{cx - half, cx + half});
        }
    }
    const double dx = bx - ax, dyl = by - ay;
    const double length = std::hypot(dx, dyl);
    if (length == 0)
        return result;
    const double ux = dx / length, uy = dyl / length;
    // |(x - ax) * uy - (y - ay) * ux| <= radius and 0 <= (x - ax) * ux + (y - ay) * uy <= length
    Interval band{-1e18, 1e18};
    auto constrain = [&](double coefficient, double constant, double low, double high) {
        // low <= coefficient * x + constant <= high
        if (std::fabs(coefficient) < 1e-12) {
            if (constant < low || constant > high)
                band = Interval{1, 0};
            return;
        }
        double a = (low - constant) / coefficient, b = (high - constant) / coefficient;
        if (a > b)
            std::swap(a, b);
        band = Interval{std::max(band.low, a), std::min(band.high, b)};
    };
    constrain(uy, -ax * uy - (y - ay) * ux, -radius, radius);
    constrain(ux, -ax * ux + (y - ay) * uy, 0, length);
    include(band);
    return result;
}

} // namespace

PenStroke::PenStroke(const DeviceContext& dc) {
    const Pen* pen = dc.state.pen.get();
    if (!pen || pen->line_style() == PS_NULL)
        return;
    m_null = false;
    m_inside_frame = pen->line_style() == PS_INSIDEFRAME;
    m_width = std::max(1, dc.logical_width_to_device(pen->width()));
    m_pixel = dc.pixel_for(pen->color());
    m_background = dc.pixel_for(dc.state.background_color);
    m_opaque = dc.state.background_mode == OPAQUE;
    m_rop2 = dc.state.rop2;
    if (m_width == 1)
        m_dashes = dash_pattern(pen->line_style());
}

RECT PenStroke::bounds(const std::vector<POINT>& points) const {
    if (points.empty())
        return RECT{0, 0, 0, 0};
    RECT box{points[0].x, points[0].y, points[0].x + 1, points[0].y + 1};
    for (const POINT& p : points) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x + 1);
        box.bottom = std::max(box.bottom, p.y + 1);
    }
    const int margin = m_width / 2 + 1;
    return RECT{box.left - margin, box.top - margin, box.right + margin, box.bottom + margin};
}

void PenStroke::stroke(DrawSession& session, const std::vector<POINT>& points) const {
    if (m_null || points.size() < 2)
        return;
    if (is_wide())
        session.fill_rop2(wide_line_region(points, m_width), m_pixel, m_rop2);
    else
        stroke_cosmetic(session, points);
}

void PenStroke::stroke_cosmetic(DrawSession& session, const std::vector<POINT>& points) const {
    int dash = 0; // index into m_dashes
    int dash_left = m_dashes.empty() ? 0 : m_dashes[0];
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        int x = points[i].x, y = points[i].y;
        const int dx = points[i + 1].x - x, dy = points[i + 1].y - y;
        const int step_x = dx < 0 ? -1 : 1, step_y = dy < 0 ? -1 : 1;
        const int adx = std::abs(dx), ady = std::abs(dy);
        const bool x_major = adx >= ady;
        const int major = x_major ? adx : ady, minor = x_major ? ady : adx;
        // Bresenham: the error term tracks twice the distance of the ideal line from the
        // pixel centre along the minor axis; the final point is not drawn.
        int error = 2 * minor - major;
        for (int n = 0; n < major; ++n) {
            const bool on = m_dashes.empty() || dash % 2 == 0;
            if (on)
                session.set_pixel_rop2(x, y, m_pixel, m_rop2);
            else if (m_opaque)
                session.set_pixel_rop2(x, y, m_background, m_rop2);
            if (!m_dashes.empty() && --dash_left == 0) {
                dash = (dash + 1) % int(m_dashes.size());
                dash_left = m_dashes[size_t(dash)];
            }
            if (error > 0) {
                (x_major ? y : x) += x_major ? step_y : step_x;
                error -= 2 * major;
            }
            error += 2 * minor;
            (x_major ? x : y) += x_major ? step_x : step_y;
        }
    }
}

Region PenStroke::wide_line_region(const std::vector<POINT>& points, int width) {
    // A pixel belongs to the line when its centre lies within width / 2 of a segment. The
    // centres are taken half a pixel off for even widths so that exactly `width` rows or
    // columns are covered across a horizontal or vertical line.
    const double radius = width / 2.0;
    const double shift = width % 2 == 0 ? 0.5 : 0.0;
    std::vector<RECT> rows;
    auto add_segment = [&](POINT a, POINT b) {
        const int top = int(std::floor(std::min(a.y, b.y) - radius - shift)) - 1;
        const int bottom = int(std::ceil(std::max(a.y, b.y) + radius)) + 1;
        for (int y = top; y <= bottom; ++y) {
            const Interval span = capsule_row(a.x, a.y, b.x, b.y, radius + 1e-9, y + shift);
            if (span.empty())
                continue;
            const int left = int(std::ceil(span.low - shift));
            const int right = int(std::floor(span.high - shift)) + 1;
            if (left < right)
                rows.push_back(RECT{left, y, right, y + 1});
        }
    };
    if (points.size() == 1)
        add_segment(points[0], points[0]);
    for (size_t i = 0; i + 1 < points.size(); ++i)
        add_segment(points[i], points[i + 1]);
    return Region::from_rects(rows);
}

} // namespace mullion
