#include "core/table.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace quarvel {

// Block layout: seven lengths as LEB128 numbers, then the seven texts back to back. Column 0 holds
// text only for a status that is none of the evaluation's own.

namespace {

std::size_t readLength(const char *&p)
{
    std::size_t value = 0;
    int shift = 0;
    for (;;) {
        const auto byte = static_cast<unsigned char>(*p++);
        value |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return value;
        shift += 7;
    }
}

void writeLength(char *&p, std::size_t value)
{
    while (value >= 0x80) {
        *p++ = static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    *p++ = static_cast<char>(value);
}

std::size_t lengthBytes(std::size_t value)
{
    std::size_t n = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++n;
    }
    return n;
}

} // namespace

namespace {

// Large enough that a million rows take a few dozen chunks, small enough that the unused end of
// the last one does not matter.
constexpr std::size_t kChunkSize = std::size_t(1) << 20;

bool pointsInto(std::string_view text, const char *block, std::size_t size)
{
    return !text.empty() && text.data() >= block && text.data() < block + size;
}

} // namespace

Table::TextStore &Table::TextStore::operator=(TextStore &&other) noexcept
{
    if (this != &other) {
        m_chunks = std::move(other.m_chunks);
        m_free = other.m_free;
        m_left = other.m_left;
        m_capacity = other.m_capacity;
        m_inUse = other.m_inUse;
        other.clear();
    }
    return *this;
}

char *Table::TextStore::allocate(std::size_t size)
{
    if (size > m_left) {
        const std::size_t chunk = std::max(kChunkSize, size);
        m_chunks.push_back(std::make_unique_for_overwrite<char[]>(chunk));
        m_free = m_chunks.back().get();
        m_left = chunk;
        m_capacity += chunk;
    }
    char *p = m_free;
    m_free += size;
    m_left -= size;
    m_inUse += size;
    return p;
}

void Table::TextStore::release(std::size_t size)
{
    m_inUse -= size;
    if (m_inUse == 0)
        clear();
}

bool Table::TextStore::wasteful() const
{
    const std::size_t waste = m_capacity - m_left - m_inUse;
    return waste > kChunkSize && waste > m_inUse;
}

void Table::TextStore::clear()
{
    m_chunks.clear();
    m_free = nullptr;
    m_left = 0;
    m_capacity = 0;
    m_inUse = 0;
}

Table::Table(int rowCount) : m_rows(static_cast<std::size_t>(std::max(rowCount, 0))) {}

void Table::setRowCount(int rowCount)
{
    const auto count = static_cast<std::size_t>(std::max(rowCount, 0));
    for (std::size_t r = count; r < m_rows.size(); ++r)
        setBlock(m_rows[r], nullptr, 0);
    m_rows.resize(count);
}

std::string_view Table::text(const Row &row, int column) const
{
    if (!row.block)
        return {};
    const char *p = row.block;
    std::size_t lengths[kColumns];
    for (auto &length : lengths)
        length = readLength(p);
    for (int c = 0; c < column; ++c)
        p += lengths[c];
    return {p, lengths[column]};
}

void Table::setBlock(Row &row, char *block, std::size_t size)
{
    if (row.block)
        m_texts.release(row.size);
    row.block = block;
    row.size = static_cast<std::uint32_t>(size);
}

void Table::store(Row &row, const RowTexts &texts)
{
    std::size_t size = 0;
    bool empty = true;
    bool fromBlock = false;
    for (const auto &t : texts) {
        size += lengthBytes(t.size()) + t.size();
        empty = empty && t.empty();
        fromBlock = fromBlock || (row.block && pointsInto(t, row.block, row.size));
    }
    if (empty) {
        setBlock(row, nullptr, 0);
        return;
    }
    // A block no larger than the old one (a repaired number, a retyped cell) is written over it.
    char *block;
    const bool inPlace = row.block && size <= row.size && !fromBlock;
    if (inPlace) {
        block = row.block;
        m_texts.release(row.size - size);
        row.size = static_cast<std::uint32_t>(size);
    } else {
        block = m_texts.allocate(size);
    }
    char *p = block;
    for (const auto &t : texts)
        writeLength(p, t.size());
    for (const auto &t : texts) {
        if (!t.empty())
            std::memcpy(p, t.data(), t.size());
        p += t.size();
    }
    if (!inPlace) {
        setBlock(row, block, size);
        if (m_texts.wasteful())
            pack();
    }
}

void Table::pack()
{
    TextStore packed;
    for (Row &r : m_rows) {
        if (!r.block)
            continue;
        char *block = packed.allocate(r.size);
        std::memcpy(block, r.block, r.size);
        r.block = block;
    }
    m_texts = std::move(packed);
}

Table::RowTexts Table::rowUtf8(int row) const
{
    RowTexts texts;
    const Row &r = rowAt(row);
    if (!r.block)
        return texts;
    const char *p = r.block;
    std::size_t lengths[kColumns];
    for (auto &length : lengths)
        length = readLength(p);
    for (int c = 0; c < kColumns; ++c) {
        texts[static_cast<std::size_t>(c)] = {p, lengths[c]};
        p += lengths[c];
    }
    return texts;
}

std::string_view Table::cellUtf8(int row, int column) const
{
    return text(rowAt(row), column);
}

QString Table::cell(int row, int column) const
{
    const Row &r = rowAt(row);
    if (column == 0 && r.status != kCustomStatus)
        return statusText(r.status);
    const std::string_view t = text(r, column);
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

bool Table::isEmpty(int row, int column) const
{
    const Row &r = rowAt(row);
    if (column == 0 && r.status != kCustomStatus)
        return r.status == NoStatus;
    return text(r, column).empty();
}

void Table::setCell(int row, int column, QStringView text)
{
    const QByteArray utf8 = text.toUtf8();
    setCellUtf8(row, column, std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

void Table::setCellUtf8(int row, int column, std::string_view value)
{
    Row &r = rowAt(row);
    // The texts are copied out first, so that the new block may be written over the old one.
    std::string old(r.block ? r.block : "", r.size);
    const Row copy{old.data(), r.status, r.size};
    RowTexts texts;
    if (r.block) {
        for (int c = 0; c < kColumns; ++c)
            texts[static_cast<std::size_t>(c)] = text(copy, c);
    }
    texts[static_cast<std::size_t>(column)] = value;
    if (column == 0) {
        r.status = value.empty() ? NoStatus : kCustomStatus;
        if (r.status == NoStatus)
            texts[0] = {};
    }
    store(r, texts);
}

void Table::setRowUtf8(int row, const RowTexts &texts)
{
    Row &r = rowAt(row);
    RowTexts stored = texts;
    std::string status;
    if (r.status == kCustomStatus) {
        status = std::string(text(r, 0));
        stored[0] = status;
    } else {
        stored[0] = {};
    }
    store(r, stored);
}

void Table::setStatus(int row, std::int32_t status)
{
    Row &r = rowAt(row);
    if (r.status == kCustomStatus) {
        r.status = NoStatus; // drop the custom text from the block first
        setCellUtf8(row, 0, {});
    }
    r.status = status;
}

QString Table::statusText(std::int32_t status)
{
    switch (status) {
    case NoStatus: return {};
    case NoGroup: return QStringLiteral("No group");
    case Ambiguous: return QStringLiteral("Ambiguous");
    case NumberError: return QStringLiteral("Number error");
    default: return status > 0 ? QString::number(status) : QString();
    }
}

void Table::insertRows(int at, int count)
{
    std::vector<Row> fresh(static_cast<std::size_t>(count));
    m_rows.insert(m_rows.begin() + at, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
}

void Table::removeRows(int at, int count)
{
    for (int r = at; r < at + count; ++r)
        setBlock(rowAt(r), nullptr, 0);
    m_rows.erase(m_rows.begin() + at, m_rows.begin() + at + count);
}

void Table::moveRow(int from, int to)
{
    if (from == to)
        return;
    Row moving = std::move(m_rows[static_cast<std::size_t>(from)]);
    m_rows.erase(m_rows.begin() + from);
    m_rows.insert(m_rows.begin() + to, std::move(moving));
}

void Table::moveColumn(int from, int to)
{
    if (from == to)
        return;
    for (Row &r : m_rows) {
        if (!r.block)
            continue;
        std::string texts[kColumns];
        for (int c = 0; c < kColumns; ++c)
            texts[c] = std::string(text(r, c));
        std::string moving = std::move(texts[from]);
        if (from < to)
            std::move(texts + from + 1, texts + to + 1, texts + from);
        else
            std::move_backward(texts + to, texts + from, texts + from + 1);
        texts[to] = std::move(moving);
        RowTexts views;
        for (int c = 0; c < kColumns; ++c)
            views[static_cast<std::size_t>(c)] = texts[c];
        store(r, views);
    }
}

std::size_t Table::memoryUse() const
{
    return m_rows.capacity() * sizeof(Row) + m_texts.capacity();
}

} // namespace quarvel
