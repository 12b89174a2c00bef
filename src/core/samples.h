#pragma once

#include "core/color_table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

namespace quarvel {

// One valid sample of the last evaluation. The label lives in the list's text store, so a million
// samples stay compact.
struct Sample
{
    std::array<float, 4> parts{};    // bottom, left, right, down; the unused part is 0
    std::array<float, 4> percents{}; // part / total * 100, same order
    float total = 0;
    std::int32_t row = 0;            // grid row the sample came from
    ColorRef color = 0;
    std::int32_t symbolSize = 12;
    std::uint32_t labelOffset = 0;
    std::uint16_t labelLength = 0;
    char kind = 't';                 // 't' upper triangle, 'd' lower triangle
    std::uint8_t symbol = 0;
    std::uint8_t visible = 1;
    std::uint8_t showLabel = 1;
};

// The valid samples in row order.
class SampleList
{
public:
    static constexpr int kMaxLabelCharacters = 49;

    int size() const { return static_cast<int>(m_samples.size()); }
    bool empty() const { return m_samples.empty(); }
    const Sample &operator[](int i) const { return m_samples[static_cast<std::size_t>(i)]; }
    auto begin() const { return m_samples.begin(); }
    auto end() const { return m_samples.end(); }

    void clear();
    void reserve(int count) { m_samples.reserve(static_cast<std::size_t>(std::max(count, 0))); }
    // Links the sample behind the last one; the label is cut to 49 characters.
    void appendSample(Sample sample, std::string_view labelUtf8);

    QString label(const Sample &sample) const;
    std::string_view labelUtf8(const Sample &sample) const
    {
        return std::string_view(m_labels).substr(sample.labelOffset, sample.labelLength);
    }

    std::size_t memoryUse() const { return m_samples.capacity() * sizeof(Sample) + m_labels.capacity(); }

private:
    std::vector<Sample> m_samples;
    std::string m_labels;
};

} // namespace quarvel
