// The outline of the diagram: the whole triangle or diamond, the hatched clipping area, and in
// the subtriangle view the sides clipped one by one or the boundary of the visible part.

#include "render/diagram_renderer.h"

#include <cmath>

namespace quarvel {

namespace {

void drawSegment(Canvas &canvas, PointF a, PointF b)
{
    canvas.line(truncated(a.x), truncated(a.y), truncated(b.x), truncated(b.y));
}

} // namespace

void DiagramRenderer::drawOutline()
{
    const DiagramFrame &f = m_frame;
    const PointF apex{f.apexX, f.apexY}, left{f.leftX, f.leftY}, right{f.rightX, f.rightY}, lower{f.lowerX, f.lowerY};

    if (full()) {
        if (m_settings.showClippingArea) {
            m_canvas.setPenStyle(PenStyle::Solid);
            m_canvas.setBrushColor(0x0000FF);
            m_canvas.setBrushStyle(BrushStyle::BDiagonal);
            std::array<IntPoint, 4> corners;
            for (std::size_t k = 0; k < 4; ++k)
                corners[k] = truncated(m_geometry.clipPixels[k]);
            m_canvas.polygon(corners);
            m_canvas.setBrushColor(0xFFFFFF);
            m_canvas.setBrushStyle(BrushStyle::Solid);
        }
        if (f.diamond) {
            const std::array<IntPoint, 5> points{truncated(right), truncated(lower), truncated(left), truncated(apex),
                                                 truncated(right)};
            m_canvas.polyline(points);
            drawSegment(m_canvas, right, left);
        } else {
            const std::array<IntPoint, 4> points{truncated(right), truncated(apex), truncated(left), truncated(right)};
            m_canvas.polyline(points);
        }
        return;
    }

    if (m_settings.drawClippingLine) {
        drawClippingOutline();
        return;
    }
    std::vector<std::pair<PointF, PointF>> sides{{left, apex}, {right, left}, {apex, right}};
    if (f.diamond) {
        sides.emplace_back(lower, left);
        sides.emplace_back(lower, right);
    }
    for (const auto &[from, to] : sides) {
        const PointPair piece = f.clipSegment(from, to);
        if (piece.count == 2)
            drawSegment(m_canvas, piece.points[0], piece.points[1]);
    }
}

void DiagramRenderer::drawClippingOutline()
{
    const DiagramFrame &f = m_frame;
    const PointF apex{f.apexX, f.apexY}, left{f.leftX, f.leftY}, right{f.rightX, f.rightY}, lower{f.lowerX, f.lowerY};

    std::vector<PointF> points;
    std::vector<PointF> shared;
    auto addCrossings = [&](PointF a, PointF b, std::vector<PointF> &into) {
        const PointPair crossings = f.edgeCrossings(a, b);
        for (int i = 0; i < crossings.count; ++i)
            into.push_back(crossings.points[static_cast<std::size_t>(i)]);
    };
    addCrossings(left, apex, points);
    addCrossings(apex, right, points);
    if (f.diamond) {
        addCrossings(lower, left, points);
        addCrossings(lower, right, points);
        addCrossings(right, left, shared);
    } else {
        addCrossings(right, left, points);
    }
    if (f.insideClip(apex.x, apex.y))
        points.push_back(apex);
    if (f.insideClip(left.x, left.y)) {
        points.push_back(left);
        shared.push_back(left);
    }
    if (f.insideClip(right.x, right.y)) {
        points.push_back(right);
        shared.push_back(right);
    }
    if (f.diamond && f.insideClip(lower.x, lower.y))
        points.push_back(lower);
    for (std::size_t k = 0; k < 4; ++k) {
        if (f.insideDiagram(f.clipX[k], f.clipY[k]))
            points.push_back({f.clipX[k], f.clipY[k]});
    }

    if (points.size() >= 3) {
        struct Ray
        {
            PointF end;
            float ux, uy;
        };
        for (std::size_t a = 0; a < points.size(); ++a) {
            std::vector<Ray> rays;
            for (std::size_t b = 0; b < points.size(); ++b) {
                if (b == a)
                    continue;
                const float dx = points[b].x - points[a].x;
                const float dy = points[b].y - points[a].y;
                const float length = std::sqrt(dx * dx + dy * dy);
                // A ray of length 0 has no direction; it takes no part in the search.
                if (length > 0)
                    rays.push_back({points[b], dx / length, dy / length});
            }
            float best = 1e8f;
            const Ray *first = nullptr;
            const Ray *second = nullptr;
            for (std::size_t i = 0; i < rays.size(); ++i) {
                for (std::size_t j = 0; j < rays.size(); ++j) {
                    if (i == j)
                        continue;
                    const float dot = rays[i].ux * rays[j].ux + rays[i].uy * rays[j].uy;
                    if (dot < best) {
                        best = dot;
                        first = &rays[i];
                        second = &rays[j];
                    }
                }
            }
            if (!first)
                continue;
            drawSegment(m_canvas, points[a], first->end);
            drawSegment(m_canvas, points[a], second->end);
        }
    }
    if (f.diamond && shared.size() == 2)
        drawSegment(m_canvas, shared[0], shared[1]);
}

} // namespace quarvel
