#include "core/groups.h"

#include <algorithm>

namespace quarvel {

int GroupList::indexOf(QStringView name) const
{
    return indexOfKey(m_locale.caseKey(name));
}

int GroupList::indexOfKey(const QString &caseKey) const
{
    return m_index.value(caseKey, -1);
}

void GroupList::clear()
{
    m_entries.clear();
    m_index.clear();
}

void GroupList::setSorted(bool sorted)
{
    m_sorted = sorted;
    if (!sorted)
        return;
    std::stable_sort(m_entries.begin(), m_entries.end(), [this](const Entry &a, const Entry &b) {
        return m_locale.compareText(a.name, b.name) < 0;
    });
    reindex();
}

int GroupList::add(const QString &name, const Group &group)
{
    QString key = m_locale.caseKey(name);
    if (const int existing = indexOfKey(key); existing >= 0)
        return existing;
    if (!m_sorted) {
        m_index.insert(key, size());
        m_entries.push_back({name, std::move(key), group});
        return size() - 1;
    }
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), name,
                                     [this](const QString &n, const Entry &e) {
                                         return m_locale.compareText(n, e.name) < 0;
                                     });
    const int position = static_cast<int>(at - m_entries.begin());
    m_entries.insert(at, {name, std::move(key), group});
    reindex();
    return position;
}

void GroupList::reindex()
{
    m_index.clear();
    for (int i = 0; i < size(); ++i)
        m_index.insert(m_entries[static_cast<std::size_t>(i)].key, i);
}

} // namespace quarvel
