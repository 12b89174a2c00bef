#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include <QString>

namespace quarvel {

// The content of the data grid: rows x 7 columns of text, row 0 the titles, column 0 the status
// written by the evaluation. A million rows must stay cheap, so each row keeps its six texts in
// one small UTF-8 block and the status as a number where it is one of the evaluation's own texts.
// The blocks live back to back in large chunks rather than in an allocation each.
class Table
{
public:
    static constexpr int kColumns = 7;
    using RowTexts = std::array<std::string_view, kColumns>;

    explicit Table(int rowCount = 102);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    // Growing adds empty rows at the end, shrinking drops the last rows.
    void setRowCount(int rowCount);

    QString cell(int row, int column) const;
    // UTF-8 bytes of a cell of columns 1 to 6; valid until the table changes.
    std::string_view cellUtf8(int row, int column) const;
    // All seven texts of a row at once (column 0 is empty unless it holds a text of its own);
    // valid until the table changes.
    RowTexts rowUtf8(int row) const;
    void setCell(int row, int column, QStringView text);
    void setCellUtf8(int row, int column, std::string_view text);
    // Sets columns 1 to 6 at once (texts[0] is ignored; the status is kept).
    void setRowUtf8(int row, const RowTexts &texts);
    bool isEmpty(int row, int column) const;

    // The status column as the evaluation writes it.
    enum Status : std::int32_t { NoStatus = 0, NoGroup = -1, Ambiguous = -2, NumberError = -3 };
    void setStatus(int row, std::int32_t status);
    std::int32_t status(int row) const { return m_rows[static_cast<std::size_t>(row)].status; }
    static QString statusText(std::int32_t status);

    void insertRows(int at, int count);
    void removeRows(int at, int count);
    void moveRow(int from, int to);
    // The cells of every row travel with the moved column, the title cell included.
    void moveColumn(int from, int to);

    // Bytes held by the table, row blocks included (allocator overhead estimated).
    std::size_t memoryUse() const;

private:
    static constexpr std::int32_t kCustomStatus = -100;

    struct Row
    {
        char *block = nullptr; // null for a row of seven empty texts
        std::int32_t status = NoStatus;
        std::uint32_t size = 0; // bytes of the block
    };

    // Chunks that row blocks are cut from, front to back. A block that is replaced by a larger
    // one stays behind as waste until the waste outweighs the texts in use; then the blocks are
    // packed into fresh chunks.
    class TextStore
    {
    public:
        TextStore() = default;
        // A store moved from is left empty, so that it never cuts blocks from chunks it gave away.
        TextStore(TextStore &&other) noexcept { *this = std::move(other); }
        TextStore &operator=(TextStore &&other) noexcept;

        char *allocate(std::size_t size);
        void release(std::size_t size);
        bool wasteful() const;
        std::size_t capacity() const { return m_capacity; }
        std::size_t inUse() const { return m_inUse; }
        void clear();

    private:
        std::vector<std::unique_ptr<char[]>> m_chunks;
        char *m_free = nullptr;
        std::size_t m_left = 0;
        std::size_t m_capacity = 0;
        std::size_t m_inUse = 0;
    };

    std::string_view text(const Row &row, int column) const;
    void store(Row &row, const RowTexts &texts);
    void setBlock(Row &row, char *block, std::size_t size);
    void pack();
    Row &rowAt(int row) { return m_rows[static_cast<std::size_t>(row)]; }
    const Row &rowAt(int row) const { return m_rows[static_cast<std::size_t>(row)]; }

    std::vector<Row> m_rows;
    TextStore m_texts;
};

} // namespace quarvel
