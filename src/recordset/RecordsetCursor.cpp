// Keeping a view's row order in step with the shared store; see RecordsetCursor.h.
#include "recordset/RecordsetCursor.h"

#include <algorithm>

namespace hlreports {

std::vector<uint32_t> RecordsetCursor::FilteredRows(const RowStore& store, bool visibleOnly) const {
    std::vector<uint32_t> rows;
    rows.reserve(store.RowCount());
    for (uint32_t row = 0; row < store.RowCount(); ++row) {
        const RowState state = store.State(row);
        if (state == RowState::Gone || (visibleOnly && state == RowState::Deleted)) {
            continue;
        }
        if (filter && !filter->Matches(store, row)) {
            continue;
        }
        rows.push_back(row);
    }
    return rows;
}

void RecordsetCursor::Rebuild(const RowStore& store) {
    order = FilteredRows(store, true);
    SortRows(order, store, sortKeys);
    position = 0;
    onDeletedRow = false;
    NoteSeen(store);
}

void RecordsetCursor::NoteSeen(const RowStore& store) {
    seenStructure_ = store.StructureGeneration();
    seenRestore_ = store.RestoreGeneration();
    seenRows_ = store.RowCount();
}

void RecordsetCursor::Sync(const RowStore& store) {
    if (seenRestore_ != store.RestoreGeneration()) {
        const std::optional<uint32_t> current = HasCurrentRow() && edit != EditKind::Adding
                                                    ? std::optional<uint32_t>(CurrentRow())
                                                    : std::nullopt;
        Rebuild(store);
        if (current) {
            const int64_t index = IndexOf(*current);
            position = index >= 0 ? index : 0;
        }
        return;
    }
    if (seenStructure_ != store.StructureGeneration()) {
        const bool hadCurrent = !onDeletedRow && position >= 0 && position < Size();
        std::size_t kept = 0;
        int64_t newPosition = position;
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (static_cast<int64_t>(i) == position) {
                newPosition = static_cast<int64_t>(kept);
                if (hadCurrent && !store.IsVisible(order[i])) {
                    onDeletedRow = true;
                }
            }
            if (store.IsVisible(order[i])) {
                order[kept++] = order[i];
            }
        }
        if (position >= Size()) {
            newPosition = static_cast<int64_t>(kept);
        }
        order.resize(kept);
        if (position >= 0) {
            position = newPosition;
        }
        seenStructure_ = store.StructureGeneration();
    }
    if (seenRows_ < store.RowCount()) {
        const bool atEnd = !onDeletedRow && position == Size();
        for (uint32_t row = seenRows_; row < store.RowCount(); ++row) {
            if (store.IsVisible(row) && (!filter || filter->Matches(store, row))) {
                order.push_back(row);
            }
        }
        if (atEnd && position >= 0) {
            position = Size();
        }
        seenRows_ = store.RowCount();
    }
}

bool RecordsetCursor::IsBOF() const {
    if (edit == EditKind::Adding) {
        return false;
    }
    return position < 0 || (order.empty() && !onDeletedRow);
}

bool RecordsetCursor::IsEOF() const {
    if (edit == EditKind::Adding) {
        return false;
    }
    return (!onDeletedRow && position >= Size()) || (order.empty() && !onDeletedRow);
}

bool RecordsetCursor::HasCurrentRow() const {
    return edit == EditKind::Adding || (!onDeletedRow && position >= 0 && position < Size());
}

int64_t RecordsetCursor::IndexOf(uint32_t row) const {
    const auto found = std::find(order.begin(), order.end(), row);
    return found == order.end() ? -1 : found - order.begin();
}

void RecordsetCursor::ClearEdit() {
    edit = EditKind::None;
    editValues.clear();
    editDirty.clear();
}

}  // namespace hlreports
