#pragma once

#include <QtGlobal>

#include <algorithm>
#include <utility>
#include <vector>

namespace quarvel {

// One glyph to blend: `height` rows of `width` premultiplied pixels, per row the run
// [first, end) that holds ink, and the image pixel of its top-left corner.
struct GlyphStamp
{
    const quint32 *pixels = nullptr;
    const std::pair<int, int> *rows = nullptr;
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
};

// Blends glyphs source-over onto an image of 32-bit premultiplied pixels, with the rounding of
// Qt's own blending. Queued glyphs are blended together by flush(): the image is cut into
// horizontal bands, one thread each, and every band takes the glyphs in queue order, so each
// pixel sees the same blends in the same order as when the glyphs are blended one by one.
class GlyphBlender
{
public:
    GlyphBlender(uchar *bits, qsizetype bytesPerLine, int width, int height);

    void blend(const GlyphStamp &stamp) { blendRows(stamp, 0, m_height); }
    void queue(const GlyphStamp &stamp);
    // Blends what is queued; every thread has finished when it returns.
    void flush();
    // 1 blends on the calling thread only.
    void setThreads(int threads) { m_threads = std::max(threads, 1); }

private:
    // The part of the glyph on image rows [top, bottom).
    void blendRows(const GlyphStamp &stamp, int top, int bottom) const;
    void blendBand(int top, int bottom) const;

    uchar *m_bits;
    qsizetype m_bytesPerLine;
    int m_width;
    int m_height;
    int m_threads;
    std::vector<GlyphStamp> m_queue;
};

} // namespace quarvel
