#include "render/glyph_blending.h"

#include <algorithm>
#include <system_error>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quarvel {

namespace {

// Large enough that the queue costs little memory, small enough to stay in the cache.
constexpr std::size_t kQueueSize = 1 << 16;
// Below this many glyphs, starting threads costs more than it saves.
constexpr std::size_t kParallelMinimum = 2048;
constexpr int kMostThreads = 8;

// Source-over of one premultiplied pixel, with the rounding of Qt's own blending.
inline quint32 byteMul(quint32 x, quint32 a)
{
    quint32 t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080);
    x &= 0xff00ff00;
    return x | t;
}

// Source-over of n premultiplied pixels, four at a time, each channel exactly as byteMul does
// it; byteMul by 255 and by 0 are exact, so clear and opaque pixels need no special case.
void blendRow(quint32 *dst, const quint32 *src, int n)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi32(0x00ff00ff);
    const __m128i half = _mm_set1_epi16(0x80);
    const __m128i full = _mm_set1_epi32(255);
    for (; i + 4 <= n; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i *>(dst + i));
        __m128i a = _mm_sub_epi32(full, _mm_srli_epi32(s, 24));
        a = _mm_or_si128(a, _mm_slli_epi32(a, 16));
        __m128i even = _mm_mullo_epi16(_mm_and_si128(d, mask), a);
        even = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(even, _mm_srli_epi16(even, 8)), half), 8);
        __m128i odd = _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi32(d, 8), mask), a);
        odd = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(odd, _mm_srli_epi16(odd, 8)), half), 8);
        const __m128i blended = _mm_or_si128(even, _mm_slli_epi16(odd, 8));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i), _mm_add_epi32(s, blended));
    }
#endif
    for (; i < n; ++i)
        dst[i] = src[i] + byteMul(dst[i], 255 - (src[i] >> 24));
}

} // namespace

GlyphBlender::GlyphBlender(uchar *bits, qsizetype bytesPerLine, int width, int height)
    : m_bits(bits), m_bytesPerLine(bytesPerLine), m_width(width), m_height(height),
      m_threads(static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, unsigned(kMostThreads))))
{
}

void GlyphBlender::blendRows(const GlyphStamp &s, int top, int bottom) const
{
    const int left = std::max(0, -s.x), right = std::min(s.width, m_width - s.x);
    const int first = std::max(0, top - s.y), last = std::min(s.height, bottom - s.y);
    if (left >= right || first >= last)
        return;
    const qsizetype stride = m_bytesPerLine;
    // The rows lie far apart in the picture: asking for all of them first lets their loads
    // overlap instead of waiting row by row.
    for (int row = first; row < last; ++row)
        __builtin_prefetch(m_bits + (s.y + row) * stride + (s.x + left) * 4, 1);
    for (int row = first; row < last; ++row) {
        const auto [from0, end] = s.rows[row];
        const int from = std::max(left, from0), to = std::min(right, end);
        if (from >= to)
            continue;
        const quint32 *src = s.pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(s.width);
        quint32 *dst = reinterpret_cast<quint32 *>(m_bits + (s.y + row) * stride) + s.x;
        blendRow(dst + from, src + from, to - from);
    }
}

void GlyphBlender::queue(const GlyphStamp &stamp)
{
    if (m_queue.capacity() == 0)
        m_queue.reserve(kQueueSize);
    m_queue.push_back(stamp);
    if (m_queue.size() == kQueueSize)
        flush();
}

void GlyphBlender::blendBand(int top, int bottom) const
{
    for (const GlyphStamp &s : m_queue) {
        if (s.y < bottom && s.y + s.height > top)
            blendRows(s, top, bottom);
    }
}

void GlyphBlender::flush()
{
    const int threads = m_queue.size() >= kParallelMinimum ? std::min(m_threads, m_height) : 1;
    if (threads == 1) {
        for (const GlyphStamp &s : m_queue)
            blend(s);
        m_queue.clear();
        return;
    }
    // Bands of about equal numbers of glyphs: samples gather where the data do.
    std::vector<int> perRow(static_cast<std::size_t>(m_height) + 1, 0);
    for (const GlyphStamp &s : m_queue)
        ++perRow[static_cast<std::size_t>(std::clamp(s.y + s.height / 2, 0, m_height - 1))];
    std::vector<int> edges{0};
    std::size_t seen = 0;
    for (int row = 0; row < m_height && static_cast<int>(edges.size()) < threads; ++row) {
        seen += static_cast<std::size_t>(perRow[static_cast<std::size_t>(row)]);
        if (seen * static_cast<std::size_t>(threads) >= m_queue.size() * edges.size())
            edges.push_back(row + 1);
    }
    edges.push_back(m_height);
    std::vector<std::thread> helpers;
    std::size_t band = 1;
    try {
        for (; band + 1 < edges.size(); ++band)
            helpers.emplace_back([this, &edges, band] { blendBand(edges[band], edges[band + 1]); });
    } catch (const std::system_error &) {
        // No thread to be had: the bands left are blended here.
    }
    for (; band + 1 < edges.size(); ++band)
        blendBand(edges[band], edges[band + 1]);
    blendBand(edges[0], edges[1]);
    for (std::thread &helper : helpers)
        helper.join();
    m_queue.clear();
}

} // namespace quarvel
