#pragma once

#include "core/color_table.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
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

// The valid samples in row order. A million of them must stay small, so each is kept in 24 bytes:
// the three parts its triangle uses, its row and label, and its group's drawing settings as an
// index into the few distinct ones; percents and total are worked out again when the sample is
// read, by the very computation the evaluation makes, so they come back bit for bit. A sample
// whose percents or total are not those of its parts is kept whole.
class SampleList
{
public:
    static constexpr int kMaxLabelCharacters = 49;

    class Iterator
    {
    public:
        using value_type = Sample;
        using difference_type = std::ptrdiff_t;
        Iterator() = default;
        Iterator(const SampleList *list, int index) : m_list(list), m_index(index) {}
        Sample operator*() const { return (*m_list)[m_index]; }
        Iterator &operator++()
        {
            ++m_index;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator before = *this;
            ++m_index;
            return before;
        }
        bool operator==(const Iterator &other) const { return m_index == other.m_index; }

    private:
        const SampleList *m_list = nullptr;
        int m_index = 0;
    };

    int size() const { return static_cast<int>(m_samples.size()); }
    bool empty() const { return m_samples.empty(); }
    Sample operator[](int i) const;
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, size()); }

    void clear();
    void reserve(int count) { m_samples.reserve(static_cast<std::size_t>(std::max(count, 0))); }
    // Links the sample behind the last one; the label is cut to 49 characters.
    void appendSample(Sample sample, std::string_view labelUtf8);

    QString label(const Sample &sample) const;
    std::string_view labelUtf8(const Sample &sample) const
    {
        return std::string_view(m_labels).substr(sample.labelOffset, sample.labelLength);
    }

    std::size_t memoryUse() const
    {
        return m_samples.capacity() * sizeof(Stored) + m_styles.capacity() * sizeof(Style) +
               m_whole.capacity() * sizeof(Sample) + m_labels.capacity();
    }

private:
    struct Style
    {
        ColorRef color = 0;
        std::int32_t symbolSize = 12;
        std::uint8_t symbol = 0;
        std::uint8_t visible = 1;
        std::uint8_t showLabel = 1;
        bool operator==(const Style &) const = default;
    };
    static constexpr std::uint16_t kWhole = 0xFFFF; // style of a sample kept in m_whole
    struct Stored
    {
        std::array<float, 3> parts; // in the order the evaluation sums them
        std::int32_t row;           // for a whole sample: its index in m_whole
        std::uint32_t labelOffset;
        std::uint16_t style;
        std::uint8_t labelLength;
        char kind;
    };
    static_assert(sizeof(Stored) == 24);

    struct StyleHash
    {
        std::size_t operator()(const Style &style) const;
    };
    std::uint16_t styleIndex(const Style &style);

    std::vector<Stored> m_samples;
    std::vector<Style> m_styles;
    std::unordered_map<Style, std::uint16_t, StyleHash> m_styleIndex; // beyond the first few
    std::vector<Sample> m_whole;
    std::string m_labels;
};

} // namespace quarvel
