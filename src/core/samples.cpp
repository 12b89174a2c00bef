#include "core/samples.h"

#include <cstring>

namespace quarvel {

namespace {

// Length in bytes of the first `characters` UTF-16 units' worth of UTF-8 text.
std::size_t utf8Prefix(std::string_view text, int characters)
{
    std::size_t i = 0;
    int units = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const int needed = length == 4 ? 2 : 1;
        if (units + needed > characters)
            break;
        units += needed;
        i += length;
    }
    return std::min(i, text.size());
}

} // namespace

namespace {

// The axes whose parts a sample of this kind uses, in the order the evaluation adds them.
constexpr std::array<std::size_t, 3> kUpperAxes{0, 1, 2}; // bottom, left, right
constexpr std::array<std::size_t, 3> kLowerAxes{0, 2, 3}; // bottom, right, down

const std::array<std::size_t, 3> *axesOf(char kind)
{
    return kind == 't' ? &kUpperAxes : kind == 'd' ? &kLowerAxes : nullptr;
}

// Percents and total from the three parts, exactly as the evaluation works them out.
void fillFromParts(Sample &sample, const std::array<std::size_t, 3> &axes)
{
    double total = 0;
    for (const std::size_t a : axes)
        total += sample.parts[a];
    for (const std::size_t a : axes)
        sample.percents[a] = static_cast<float>(sample.parts[a] / total * 100);
    sample.total = static_cast<float>(total);
}

bool sameBits(const Sample &a, const Sample &b)
{
    return std::memcmp(a.parts.data(), b.parts.data(), sizeof a.parts) == 0 &&
           std::memcmp(a.percents.data(), b.percents.data(), sizeof a.percents) == 0 &&
           std::memcmp(&a.total, &b.total, sizeof a.total) == 0;
}

} // namespace

void SampleList::clear()
{
    m_samples.clear();
    m_styles.clear();
    m_styleIndex.clear();
    m_whole.clear();
    m_labels.clear();
}

std::size_t SampleList::StyleHash::operator()(const Style &s) const
{
    const std::uint64_t a = (std::uint64_t(s.color) << 32) | static_cast<std::uint32_t>(s.symbolSize);
    const std::uint64_t b = (std::uint64_t(s.symbol) << 16) | (std::uint64_t(s.visible) << 8) | s.showLabel;
    return std::hash<std::uint64_t>{}(a ^ (b * 0x9E3779B97F4A7C15ull));
}

std::uint16_t SampleList::styleIndex(const Style &style)
{
    // A few groups give a few styles: those are compared directly.
    const std::size_t direct = std::min<std::size_t>(m_styles.size(), 8);
    for (std::size_t i = 0; i < direct; ++i) {
        if (m_styles[i] == style)
            return static_cast<std::uint16_t>(i);
    }
    if (const auto it = m_styleIndex.find(style); it != m_styleIndex.end())
        return it->second;
    if (m_styles.size() >= kWhole)
        return kWhole;
    const auto index = static_cast<std::uint16_t>(m_styles.size());
    m_styles.push_back(style);
    if (index >= 8)
        m_styleIndex.emplace(style, index);
    return index;
}

void SampleList::appendSample(Sample sample, std::string_view labelUtf8)
{
    labelUtf8 = labelUtf8.substr(0, utf8Prefix(labelUtf8, kMaxLabelCharacters));
    sample.labelOffset = static_cast<std::uint32_t>(m_labels.size());
    sample.labelLength = static_cast<std::uint16_t>(labelUtf8.size());
    m_labels.append(labelUtf8);

    Stored stored{};
    stored.row = sample.row;
    stored.labelOffset = sample.labelOffset;
    stored.labelLength = static_cast<std::uint8_t>(sample.labelLength);
    stored.kind = sample.kind;
    stored.style = kWhole;
    if (const auto *axes = axesOf(sample.kind); axes && sample.labelLength <= 0xFF) {
        Sample rebuilt = sample;
        rebuilt.parts = {};
        rebuilt.percents = {};
        for (std::size_t k = 0; k < 3; ++k) {
            stored.parts[k] = sample.parts[(*axes)[k]];
            rebuilt.parts[(*axes)[k]] = stored.parts[k];
        }
        fillFromParts(rebuilt, *axes);
        if (sameBits(rebuilt, sample))
            stored.style = styleIndex({sample.color, sample.symbolSize, sample.symbol, sample.visible, sample.showLabel});
    }
    if (stored.style == kWhole) {
        stored.row = static_cast<std::int32_t>(m_whole.size());
        m_whole.push_back(sample);
    }
    m_samples.push_back(stored);
}

Sample SampleList::operator[](int i) const
{
    const Stored &stored = m_samples[static_cast<std::size_t>(i)];
    if (stored.style == kWhole)
        return m_whole[static_cast<std::size_t>(stored.row)];
    Sample sample;
    const std::array<std::size_t, 3> &axes = *axesOf(stored.kind);
    for (std::size_t k = 0; k < 3; ++k)
        sample.parts[axes[k]] = stored.parts[k];
    fillFromParts(sample, axes);
    sample.row = stored.row;
    sample.labelOffset = stored.labelOffset;
    sample.labelLength = stored.labelLength;
    sample.kind = stored.kind;
    const Style &style = m_styles[stored.style];
    sample.color = style.color;
    sample.symbolSize = style.symbolSize;
    sample.symbol = style.symbol;
    sample.visible = style.visible;
    sample.showLabel = style.showLabel;
    return sample;
}

QString SampleList::label(const Sample &sample) const
{
    const std::string_view t = labelUtf8(sample);
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

} // namespace quarvel
