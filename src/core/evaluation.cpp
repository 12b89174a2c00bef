// buildGroups and evaluateSamples: the table becomes groups and samples.

#include "core/document.h"
#include "core/number_format.h"

#include <cmath>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quarvel {

namespace {

struct TextHash
{
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// Label spellings seen so far, with a value each. A table repeats a handful of labels a great many
// times: the first few are compared directly, which is cheaper than hashing every row's label.
template <typename Value>
class Spellings
{
public:
    const Value *find(std::string_view label) const
    {
        for (const auto &[text, value] : m_first) {
            if (text == label)
                return &value;
        }
        if (m_more.empty())
            return nullptr;
        const auto it = m_more.find(label);
        return it == m_more.end() ? nullptr : &it->second;
    }

    void add(std::string_view label, Value value)
    {
        if (m_first.size() < kDirect)
            m_first.emplace_back(std::string(label), value);
        else
            m_more.emplace(std::string(label), value);
    }

private:
    static constexpr std::size_t kDirect = 8;
    std::vector<std::pair<std::string, Value>> m_first;
    std::unordered_map<std::string, Value, TextHash, std::equal_to<>> m_more;
};

// Group label bytes -> group index (-1: no group). The case-insensitive lookup runs once per
// distinct spelling.
class GroupLookup
{
public:
    explicit GroupLookup(const GroupList &groups) : m_groups(groups) {}

    int find(std::string_view label)
    {
        if (label.empty())
            return -1;
        if (const int *known = m_known.find(label))
            return *known;
        const int index = m_groups.indexOf(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
        m_known.add(label, index);
        return index;
    }

private:
    const GroupList &m_groups;
    Spellings<int> m_known;
};

std::string_view cellOf(const Table &table, int row, int column)
{
    return column > 0 && column < Table::kColumns ? table.cellUtf8(row, column) : std::string_view();
}

// The sums of the group's samples; its means are set once all are added.
void addToSums(Group &group, const std::array<double, 4> &values)
{
    group.count += 1;
    for (std::size_t a = 0; a < 4; ++a)
        group.sums[a] += values[a];
}

} // namespace

void Document::buildGroups()
{
    GroupList previous = std::move(groupList);
    groupList = GroupList(m_locale);
    clearGroups();

    const int column = dataSettings.gridColumns()[GroupColumn];
    Spellings<bool> seen;
    for (int r = 1; r < table.rowCount(); ++r) {
        const std::string_view label = cellOf(table, r, column);
        if (label.empty() || seen.find(label))
            continue;
        seen.add(label, true);
        const QString name = QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
        const QString key = m_locale.caseKey(name);
        if (groupList.indexOfKey(key) >= 0)
            continue;
        Group group;
        if (const int old = previous.indexOfKey(key); old >= 0) {
            group = previous.group(old);
            group.clearStatistics();
        }
        groupList.add(name, group);
    }
    // Sorting once at the end gives the order that sorted insertion would give.
    groupList.setSorted(diagramSettings.sortLegend == 1);
}

void Document::evaluateSamples()
{
    diagramSettings.hasLowerSamples = 0;
    samples.clear();
    // At most one sample per row: room for all at once rather than a growing copy.
    samples.reserve(table.rowCount());
    int n = 1;

    int columns[6];
    for (int i = 0; i < 6; ++i)
        columns[i] = findColumn(dataSettings.title(i));
    // Axis slot -> table column (1..4) of the data column that columnAxis puts on that axis.
    const std::array<std::int32_t, 4> axisOfColumn = diagramSettings.axisOfColumns();
    int slot[4];
    for (int k = 0; k < 4; ++k)
        slot[axisOfColumn[static_cast<std::size_t>(k)]] = k + 1;

    const std::string_view format = dataSettings.numberFormatPattern();
    GroupLookup lookup(groupList);

    for (int r = 1; r < table.rowCount(); ++r) {
        const Table::RowTexts rowTexts = table.rowUtf8(r);
        std::string_view cells[6];
        bool allEmpty = true;
        for (int i = 0; i < 6; ++i) {
            cells[i] = columns[i] > 0 ? rowTexts[static_cast<std::size_t>(columns[i])] : std::string_view();
            allEmpty = allEmpty && cells[i].empty();
        }
        if (allEmpty) {
            table.setStatus(r, Table::NoStatus);
            continue;
        }
        const int groupIndex = lookup.find(cells[GroupColumn]);
        if (groupIndex < 0) {
            table.setStatus(r, Table::NoGroup);
            continue;
        }
        if (!cells[1].empty() && !cells[2].empty() && !cells[3].empty() && !cells[4].empty()) {
            table.setStatus(r, Table::Ambiguous);
            continue;
        }

        // The three table columns of the sample, in the order of its parts.
        int used[3];
        int axes[3];
        char kind;
        auto filled = [&](int axis) { return !cells[slot[axis]].empty(); };
        if (filled(BottomAxis) && filled(LeftAxis) && filled(RightAxis)) {
            kind = 't';
            axes[0] = BottomAxis, axes[1] = LeftAxis, axes[2] = RightAxis;
        } else if (filled(BottomAxis) && filled(DownAxis) && filled(RightAxis)) {
            kind = 'd';
            axes[0] = BottomAxis, axes[1] = RightAxis, axes[2] = DownAxis;
        } else {
            table.setStatus(r, Table::NumberError);
            continue;
        }
        for (int k = 0; k < 3; ++k)
            used[k] = slot[axes[k]];

        double values[3];
        bool converted = true;
        for (int k = 0; k < 3; ++k) {
            const std::optional<double> v = textToFloat(cells[used[k]], m_locale);
            values[k] = v.value_or(-1.0);
            converted = converted && v.has_value();
        }
        bool failed = false;
        if (!converted) {
            for (int k = 0; k < 3; ++k) {
                const int gridColumn = columns[used[k]];
                const ParsedNumber parsed = parseNumber(table.cellUtf8(r, gridColumn));
                values[k] = parsed.value;
                if (parsed.ok) {
                    const QByteArray text = formatFloat(format, parsed.value, m_locale).toUtf8();
                    table.setCellUtf8(r, gridColumn, std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
                } else {
                    failed = true;
                }
            }
        }

        Sample sample;
        // Sums and ratios in double precision, stored as single: 30 of 100 is 30, not 30.000002.
        double total = 0;
        for (int k = 0; k < 3; ++k) {
            const float part = static_cast<float>(values[k]);
            sample.parts[static_cast<std::size_t>(axes[k])] = part;
            total += part;
            failed = failed || values[k] < 0 || !std::isfinite(part);
        }
        if (failed || total == 0 || !std::isfinite(static_cast<float>(total))) {
            table.setStatus(r, Table::NumberError);
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            const auto a = static_cast<std::size_t>(axes[k]);
            sample.percents[a] = static_cast<float>(sample.parts[a] / total * 100);
        }
        sample.total = static_cast<float>(total);
        sample.kind = kind;
        sample.row = r;
        if (kind == 'd')
            diagramSettings.hasLowerSamples = 1;
        Group &group = groupList.group(groupIndex);
        sample.symbol = static_cast<std::uint8_t>(group.symbol);
        sample.color = group.color;
        sample.symbolSize = group.symbolSize;
        sample.visible = group.visible;
        sample.showLabel = group.showLabels;
        // The label cell may have been moved in memory by a repair of this row.
        samples.appendSample(sample, cellOf(table, r, columns[LabelColumn]));
        table.setStatus(r, n);
        addToSums(group, {sample.parts[0], sample.parts[1], sample.parts[2], sample.parts[3]});
        ++n;
    }
    for (int i = 0; i < groupList.size(); ++i) {
        Group &group = groupList.group(i);
        for (std::size_t a = 0; group.count > 0 && a < 4; ++a)
            group.means[a] = group.sums[a] / group.count;
    }
    m_validSamples = n - 1;
    // Repairs may have rewritten cells anywhere, and every status may have changed.
    changes.cellsChanged({0, 1, Table::kColumns - 1, table.rowCount() - 1});
    changes.evaluated(m_validSamples);
}

} // namespace quarvel
