#pragma once

#include "support/recording_canvas.h"
#include "render/diagram_renderer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace quarvel::test {

using Op = RecordingCanvas::Op;
using Call = RecordingCanvas::Call;

inline int trunc(float v)
{
    return static_cast<int>(v);
}

// One drawing of the renderer on a recording canvas of 800 x 600 at 96 dpi. Fonts of 9 points
// are 12 pixels high there, and the recording canvas makes each character half as wide as high.
struct Drawing
{
    DiagramSettings settings = DiagramSettings::defaults();
    DataSettings data = DataSettings::defaults();
    DiagramGeometry geometry;
    SampleList samples;
    std::vector<VectorLine> overlay;
    RecordingCanvas canvas{800, 600, 96};
    std::unique_ptr<DiagramRenderer> renderer;

    Drawing() { geometry.clipCorners = DiagramGeometry::kDefaultClipCorners; }

    Drawing &draw(RenderFlags flags = {})
    {
        geometry.layout(800, 600, settings);
        renderer = std::make_unique<DiagramRenderer>(canvas, 800, 600, overlay, settings, data, geometry, samples, flags,
                                                     UserLocale::point());
        return *this;
    }
    const DiagramFrame &frame() const { return renderer->frame(); }

    // Calls of the grid, tick and number passes: everything before the outline pen sets its mode.
    std::vector<Call> passCalls() const
    {
        std::vector<Call> found;
        for (const Call &call : canvas.calls()) {
            if (call.op == Op::PenMode)
                break;
            found.push_back(call);
        }
        return found;
    }
    // Calls from the outline pen on.
    std::vector<Call> laterCalls() const
    {
        std::vector<Call> found;
        bool after = false;
        for (const Call &call : canvas.calls()) {
            after = after || call.op == Op::PenMode;
            if (after)
                found.push_back(call);
        }
        return found;
    }
    static std::vector<Call> only(const std::vector<Call> &calls, Op op)
    {
        std::vector<Call> found;
        for (const Call &call : calls) {
            if (call.op == op)
                found.push_back(call);
        }
        return found;
    }
    static std::vector<QString> textsOf(const std::vector<Call> &calls)
    {
        std::vector<QString> texts;
        for (const Call &call : calls) {
            if (call.op == Op::TextOut)
                texts.push_back(call.text);
        }
        return texts;
    }
    // Segments drawn with moveTo/lineTo among the given calls.
    static std::vector<Call> segmentsOf(const std::vector<Call> &calls) { return RecordingCanvas::segmentsOf(calls); }
    std::vector<QString> numberTexts() const { return textsOf(passCalls()); }
    const Call *textCall(const QString &text, const std::vector<Call> &calls) const
    {
        for (const Call &call : calls) {
            if (call.op == Op::TextOut && call.text == text)
                return &call;
        }
        return nullptr;
    }
};

inline std::vector<QString> strings(std::initializer_list<const char *> texts)
{
    std::vector<QString> all;
    for (const char *t : texts)
        all.push_back(QString::fromLatin1(t));
    return all;
}

} // namespace quarvel::test
