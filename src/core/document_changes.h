#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace quarvel {

// A rectangle of grid cells, all four bounds inclusive, in grid positions: row 0 is the title row,
// column 0 the status column, data rows start at 1.
struct CellRange
{
    int left = 1;
    int top = 1;
    int right = 1;
    int bottom = 1;

    static CellRange cell(int row, int column) { return {column, row, column, row}; }
    int rowCount() const { return bottom - top + 1; }
    int columnCount() const { return right - left + 1; }
    bool isEmpty() const { return right < left || bottom < top; }
    bool contains(int row, int column) const
    {
        return row >= top && row <= bottom && column >= left && column <= right;
    }
    bool operator==(const CellRange &) const = default;
};

// What changed in a document. Each document operation that changes the table, the evaluation or
// the modified flag reports it once, after the change, so that the grid, the status bar, the
// thumbnail and the image window follow without calling each other.
struct DocumentChange
{
    enum Kind {
        // Structural changes come in pairs, before and after, so that views can keep their rows
        // in step; a listener may also act on the second alone.
        TableAboutToBeReset,
        TableReset,            // rows may have changed in number, order and content
        RowsAboutToBeInserted, // `count` rows will be inserted at `first`
        RowsInserted,          // `count` empty rows now stand at `first`; the rows below moved down
        RowsAboutToBeRemoved,  // the `count` rows from `first` will go
        RowsRemoved,           // the `count` rows from `first` are gone; the rows below moved up
        CellsChanged,    // the texts inside `cells` changed (titles, status column included)
        Evaluated,       // an evaluation ended with `validSamples` samples
        PictureChanged,  // the diagram should be drawn again (thumbnail, image window)
        ModifiedChanged, // the unsaved-changes flag is now `modified`
    };

    Kind kind = TableReset;
    CellRange cells{0, 0, -1, -1};
    int first = 0;
    int count = 0;
    int validSamples = 0;
    bool modified = false;
};

// The listeners of one document. A listener stays connected while its Connection lives; a
// Connection may outlive the document.
class DocumentChanges
{
public:
    using Listener = std::function<void(const DocumentChange &)>;

    class Connection
    {
    public:
        Connection() = default;
        Connection(Connection &&other) noexcept;
        Connection &operator=(Connection &&other) noexcept;
        Connection(const Connection &) = delete;
        Connection &operator=(const Connection &) = delete;
        ~Connection();

        void disconnect();
        bool connected() const;

    private:
        friend class DocumentChanges;
        struct Slot;
        Connection(std::weak_ptr<std::vector<std::shared_ptr<Slot>>> slots, std::shared_ptr<Slot> slot);

        std::weak_ptr<std::vector<std::shared_ptr<Slot>>> m_slots;
        std::shared_ptr<Slot> m_slot;
    };

    DocumentChanges();
    DocumentChanges(const DocumentChanges &) = delete;
    DocumentChanges &operator=(const DocumentChanges &) = delete;

    [[nodiscard]] Connection connect(Listener listener);

    // Listeners connected or disconnected by a listener take effect from the next report.
    void notify(const DocumentChange &change) const;

    void tableAboutToBeReset() const;
    void tableReset() const;
    void rowsAboutToBeInserted(int first, int count) const;
    void rowsInserted(int first, int count) const;
    void rowsAboutToBeRemoved(int first, int count) const;
    void rowsRemoved(int first, int count) const;
    void cellsChanged(const CellRange &cells) const;
    void evaluated(int validSamples) const;
    void pictureChanged() const;
    void modifiedChanged(bool modified) const;

private:
    std::shared_ptr<std::vector<std::shared_ptr<Connection::Slot>>> m_slots;
};

// The document's unsaved-changes flag. It reads and assigns like a bool; an assignment that
// changes the value is reported to the document's listeners.
class ModifiedFlag
{
public:
    explicit ModifiedFlag(const DocumentChanges &changes) : m_changes(changes) {}
    ModifiedFlag(const ModifiedFlag &) = default;

    ModifiedFlag &operator=(bool value)
    {
        if (value != m_value) {
            m_value = value;
            m_changes.modifiedChanged(value);
        }
        return *this;
    }
    ModifiedFlag &operator=(const ModifiedFlag &other) { return *this = other.m_value; }
    operator bool() const { return m_value; }

private:
    const DocumentChanges &m_changes;
    bool m_value = false;
};

} // namespace quarvel
