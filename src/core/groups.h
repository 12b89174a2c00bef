#pragma once

#include "core/color_table.h"
#include "core/user_locale.h"

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include <QHash>
#include <QString>

namespace quarvel {

// One group of samples: drawing settings and the statistics of the last evaluation.
struct Group
{
    std::array<double, 4> sums{};  // axis order bottom, left, right, down
    std::array<double, 4> means{};
    std::int32_t count = 0;
    ColorRef color = 0;
    std::int32_t symbol = 109;
    std::int32_t symbolSize = 12;
    std::uint8_t visible = 1;
    std::uint8_t showLabels = 1;

    void clearStatistics()
    {
        sums = {};
        means = {};
        count = 0;
    }
};

// The document's groups in list order. Names are unique without regard to letter case; the list
// is kept sorted by name (same comparison) when sorted.
class GroupList
{
public:
    explicit GroupList(const UserLocale &locale) : m_locale(locale) {}

    int size() const { return static_cast<int>(m_entries.size()); }
    bool empty() const { return m_entries.empty(); }
    const QString &name(int index) const { return m_entries[static_cast<std::size_t>(index)].name; }
    Group &group(int index) { return m_entries[static_cast<std::size_t>(index)].group; }
    const Group &group(int index) const { return m_entries[static_cast<std::size_t>(index)].group; }

    // -1 when no group has that name.
    int indexOf(QStringView name) const;
    int indexOfKey(const QString &caseKey) const;

    void clear();
    void setSorted(bool sorted);
    // A name already present is ignored; returns the index of the group under that name.
    int add(const QString &name, const Group &group);

private:
    struct Entry
    {
        QString name;
        QString key;
        Group group;
    };
    void reindex();

    UserLocale m_locale;
    bool m_sorted = false;
    std::vector<Entry> m_entries;
    QHash<QString, int> m_index; // case key -> position
};

} // namespace quarvel
