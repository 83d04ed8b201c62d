// RecordsetCursor: the per-object view of shared rows (Recordset::View, RecordsetView.h, derives
// from it).
//
// `order` lists the visible row ids in view order (filter applied, then sort); `position`
// indexes it: -1 is BOF, order.size() is EOF. When the current row is deleted (here or through
// a clone) the cursor stays "on" it (`onDeletedRow`): no current record, and `position` names the
// row that followed, so MoveNext and MovePrevious land where they would have.
//
// The cursor catches up with the shared store lazily (Sync): rows that left are dropped in
// O(rows), appended rows are added at the end when they pass the filter (sort is applied only
// when set, as edits never reorder or hide rows until the filter or sort is set again), and a
// CancelBatch anywhere makes it rebuild. Edits in progress are kept here, not in the store, so
// clones see them only after Update.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recordset/FieldInfo.h"
#include "recordset/RecordsetFilter.h"
#include "recordset/RecordsetSort.h"
#include "recordset/RowStore.h"

namespace hlreports {

enum class EditKind { None, Editing, Adding };

class RecordsetCursor {
  public:
    bool isOpen = false;
    int32_t lockType = adLockBatchOptimistic;
    std::string source;

    std::string filterText;
    std::optional<Criteria> filter;
    std::string sortText;
    std::vector<SortKey> sortKeys;

    std::vector<uint32_t> order;
    int64_t position = 0;
    bool onDeletedRow = false;

    EditKind edit = EditKind::None;
    uint32_t editRow = 0;
    std::vector<Variant> editValues;
    std::vector<uint8_t> editDirty;
    int64_t positionBeforeAdd = 0;
    bool onDeletedRowBeforeAdd = false;

    // Filter and sort from scratch over every visible row; the first row becomes current.
    void Rebuild(const RowStore& store);
    void Sync(const RowStore& store);
    // Marks the store state as seen (after this cursor changed the store itself).
    void NoteSeen(const RowStore& store);
    // Rows of the store, in store order, that pass the filter (`visibleOnly` drops deleted rows).
    std::vector<uint32_t> FilteredRows(const RowStore& store, bool visibleOnly) const;

    int64_t Size() const { return static_cast<int64_t>(order.size()); }
    bool IsBOF() const;
    bool IsEOF() const;
    bool HasCurrentRow() const;
    uint32_t CurrentRow() const { return order[static_cast<std::size_t>(position)]; }
    // Index of a row id in `order`, or -1.
    int64_t IndexOf(uint32_t row) const;
    void ClearEdit();

  private:
    uint64_t seenStructure_ = 0;
    uint64_t seenRestore_ = 0;
    uint32_t seenRows_ = 0;
};

}  // namespace hlreports
