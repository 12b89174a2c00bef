#include "core/document_changes.h"

#include <algorithm>

namespace quarvel {

struct DocumentChanges::Connection::Slot
{
    Listener listener;
    bool connected = true;
};

DocumentChanges::Connection::Connection(std::weak_ptr<std::vector<std::shared_ptr<Slot>>> slots,
                                        std::shared_ptr<Slot> slot)
    : m_slots(std::move(slots)), m_slot(std::move(slot))
{
}

DocumentChanges::Connection::Connection(Connection &&other) noexcept
    : m_slots(std::move(other.m_slots)), m_slot(std::move(other.m_slot))
{
}

DocumentChanges::Connection &DocumentChanges::Connection::operator=(Connection &&other) noexcept
{
    if (this != &other) {
        disconnect();
        m_slots = std::move(other.m_slots);
        m_slot = std::move(other.m_slot);
    }
    return *this;
}

DocumentChanges::Connection::~Connection()
{
    disconnect();
}

void DocumentChanges::Connection::disconnect()
{
    if (!m_slot)
        return;
    m_slot->connected = false;
    if (const auto slots = m_slots.lock())
        std::erase(*slots, m_slot);
    m_slot.reset();
    m_slots.reset();
}

bool DocumentChanges::Connection::connected() const
{
    return m_slot && !m_slots.expired();
}

DocumentChanges::DocumentChanges() : m_slots(std::make_shared<std::vector<std::shared_ptr<Connection::Slot>>>()) {}

DocumentChanges::Connection DocumentChanges::connect(Listener listener)
{
    auto slot = std::make_shared<Connection::Slot>();
    slot->listener = std::move(listener);
    m_slots->push_back(slot);
    return Connection(m_slots, std::move(slot));
}

void DocumentChanges::notify(const DocumentChange &change) const
{
    // A copy, so that listeners may connect and disconnect while being told.
    const std::vector<std::shared_ptr<Connection::Slot>> slots = *m_slots;
    for (const auto &slot : slots) {
        if (slot->connected)
            slot->listener(change);
    }
}

namespace {

DocumentChange rowsChange(DocumentChange::Kind kind, int first, int count)
{
    DocumentChange change{kind};
    change.first = first;
    change.count = count;
    return change;
}

} // namespace

void DocumentChanges::tableAboutToBeReset() const
{
    notify({DocumentChange::TableAboutToBeReset});
}

void DocumentChanges::tableReset() const
{
    notify({DocumentChange::TableReset});
}

void DocumentChanges::rowsAboutToBeInserted(int first, int count) const
{
    notify(rowsChange(DocumentChange::RowsAboutToBeInserted, first, count));
}

void DocumentChanges::rowsInserted(int first, int count) const
{
    notify(rowsChange(DocumentChange::RowsInserted, first, count));
}

void DocumentChanges::rowsAboutToBeRemoved(int first, int count) const
{
    notify(rowsChange(DocumentChange::RowsAboutToBeRemoved, first, count));
}

void DocumentChanges::rowsRemoved(int first, int count) const
{
    notify(rowsChange(DocumentChange::RowsRemoved, first, count));
}

void DocumentChanges::cellsChanged(const CellRange &cells) const
{
    DocumentChange change{DocumentChange::CellsChanged};
    change.cells = cells;
    notify(change);
}

void DocumentChanges::evaluated(int validSamples) const
{
    DocumentChange change{DocumentChange::Evaluated};
    change.validSamples = validSamples;
    notify(change);
}

void DocumentChanges::pictureChanged() const
{
    notify({DocumentChange::PictureChanged});
}

void DocumentChanges::modifiedChanged(bool modified) const
{
    DocumentChange change{DocumentChange::ModifiedChanged};
    change.modified = modified;
    notify(change);
}

} // namespace quarvel
