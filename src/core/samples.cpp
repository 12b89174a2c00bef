#include "core/samples.h"

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

void SampleList::clear()
{
    m_samples.clear();
    m_labels.clear();
}

void SampleList::appendSample(Sample sample, std::string_view labelUtf8)
{
    labelUtf8 = labelUtf8.substr(0, utf8Prefix(labelUtf8, kMaxLabelCharacters));
    sample.labelOffset = static_cast<std::uint32_t>(m_labels.size());
    sample.labelLength = static_cast<std::uint16_t>(labelUtf8.size());
    m_labels.append(labelUtf8);
    m_samples.push_back(sample);
}

QString SampleList::label(const Sample &sample) const
{
    const std::string_view t = labelUtf8(sample);
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

} // namespace quarvel
