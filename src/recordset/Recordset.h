// Recordset: a disconnected client-side row set with the classic semantics.
//
// Rows are shared between a recordset and its clones (RowStore); each Recordset object is a view
// with its own cursor, filter and sort. Visible order = sort over the rows that pass the filter
// and are not deleted. Bookmarks are stable row identities, interchangeable among clones.
// Pending changes (AddNew/Update/Delete in batch mode) are kept per row with the original values
// so that Save writes rs:update/rs:insert/rs:delete and a backend can apply them (UpdateBatch).
//
// Errors are ComError with the recordset numbers of runtime/ComError.h (3021 no current record,
// 3001 bad criteria or argument, 3265 unknown field, 3704 closed), plus 3705 (already open),
// 3219 (fields appended while open), 3251 (edit of a read-only recordset) and 3421 (a value that
// does not convert to the field's type). Sources are "Recordset.<operation>".
//
// Split by concern: Recordset.cpp (fields, cursor, bookmarks, Filter/Find/Sort, clones),
// RecordsetEdit.cpp (edits, pending changes), RecordsetCursor.cpp (view state), RowStore.cpp
// (column storage), RecordsetFilter.cpp, RecordsetSort.cpp, RecordsetXml*.cpp and
// RecordsetValueText.cpp (persistence; see docs/recordset-xml.md), RecordsetSavedCopy.cpp (the
// saved-and-loaded copy without the text).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "recordset/AdoTypes.h"
#include "recordset/FieldInfo.h"
#include "runtime/Variant.h"

// The standard library's EOF macro (from <cstdio>, which <string> pulls in) would swallow the
// method Recordset::EOF(); code that needs the character value uses
// std::char_traits<char>::eof(). <cstdio> is included first so that its guard keeps the macro
// from coming back.
#ifdef EOF
#undef EOF
#endif

namespace hlreports {

class RowStore;  // shared rows (internal)

class Recordset : public ComObject {
  public:
    Recordset();  // closed, no fields
    ~Recordset() override;

    // --- Building (fabricated or filled by a backend) ---
    // Fields may be appended only while the recordset is closed.
    void AppendField(FieldInfo field);
    // Opens the recordset with the appended fields and no rows; cursor at BOF/EOF.
    void Open(int32_t lockType = adLockBatchOptimistic);
    // Appends a row that is not a pending change (as rows fetched from a database are).
    // values.size() must equal FieldCount(). Does not move the cursor.
    void AppendRow(std::vector<Variant> values);
    // After the rows are appended: positions at the first row (BOF/EOF when there is none), as a
    // freshly opened query is.
    void FinishLoading();
    void Close();
    bool IsOpen() const;
    // The text the rows came from, kept for Requery; set by the backend.
    const std::string& Source() const;
    void SetSource(std::string source);
    // Replaces fields and rows with those of a fresh result (Requery); clones made before keep
    // the old rows. The cursor goes to the first row; filter and sort are re-applied.
    void ReplaceContents(const Recordset& fresh);
    int32_t State() const;  // adStateClosed / adStateOpen
    int32_t LockType() const;
    void SetLockType(int32_t lockType);

    // --- Fields ---
    int FieldCount() const;
    const FieldInfo& Field(int index) const;
    // Case-insensitive; -1 when absent.
    int FieldIndex(std::string_view name) const;
    // Current row's value. 3021 at BOF/EOF, 3265 for an unknown name/index.
    Variant Value(int index) const;
    Variant Value(std::string_view name) const;
    // Edits the current row (starts an edit; batch mode keeps it pending).
    void SetValue(int index, Variant value);
    void SetValue(std::string_view name, Variant value);

    // --- Cursor ---
    bool BOF() const;
    bool EOF() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    void Move(int64_t rows);
    int64_t RecordCount() const;       // visible rows
    int64_t AbsolutePosition() const;  // 1-based, or adPosBOF/adPosEOF/adPosUnknown
    void SetAbsolutePosition(int64_t position);
    Bookmark GetBookmark() const;  // 3021 without a current row
    void SetBookmark(Bookmark bookmark);

    // --- Filter, Find, Sort ---
    // Criteria text: OR of AND-groups of "field op value" clauses, op in = <> < > <= >= LIKE,
    // values 'text' (doubled quotes), #date#, numbers; LIKE with * or % at the end or both ends.
    // "" removes the filter. Moves to the first visible row. 3001 on a bad criterion.
    void SetFilter(std::string_view criteria);
    const std::string& Filter() const;
    // One clause; searches visible rows from the current row (or start) + skip. A miss leaves
    // the cursor at EOF (forward) or BOF (backward).
    void Find(std::string_view criteria, int64_t skipRecords = 0,
              int32_t direction = adSearchForward, std::optional<Bookmark> start = std::nullopt);
    // "Field [ASC|DESC], ..."; "" restores the source order. Moves to the first visible row.
    void SetSort(std::string_view sort);
    const std::string& Sort() const;

    // --- Clones ---
    // Shares the rows; own cursor (first row) and filter (none). adLockUnspecified keeps the
    // lock type, adLockReadOnly makes the clone read-only.
    std::shared_ptr<Recordset> Clone(int32_t lockType = adLockUnspecified) const;

    // --- Edits ---
    void AddNew();
    void Update();
    void CancelUpdate();
    void Delete();       // the current row
    void CancelBatch();  // discards every pending change
    bool HasPendingChanges() const;
    int32_t Status() const;  // AdoRecordStatus of the current row

    // Pending changes for a backend's batch update, in row order, then the clearing after
    // success (rows become plain unmodified rows; deleted rows go).
    struct PendingChange {
        int32_t status;                       // adRecNew / adRecModified / adRecDeleted
        std::vector<Variant> originalValues;  // empty for new rows
        std::vector<Variant> currentValues;   // empty for deleted rows
    };
    std::vector<PendingChange> PendingChanges() const;
    void AcceptPendingChanges();

    // --- Persistence (classic rowset XML) ---
    // Writes the rows visible through the criteria filter, pending changes as rs:update,
    // rs:insert and rs:delete; afterwards the current row is the first row.
    std::string SaveXml();
    // Reads the classic rowset XML (any prefixes, both schema layouts, pending changes).
    // Malformed text raises 3001-class ComError naming the line and the problem.
    static std::shared_ptr<Recordset> LoadXml(std::string_view xml);
    // What LoadXml(SaveXml()) returns, built straight from the rows without the text: the same
    // fields, lock type, rows in view order, values and pending changes, sharing no rows with
    // this recordset. The same effects here as SaveXml; where the text would be refused, that
    // road runs and raises its own error.
    std::shared_ptr<Recordset> SavedCopy();

  private:
    friend class RecordsetLoader;  // fills the rows of a fetched recordset before it opens
    // What a save starts with: an open recordset (else 3704 naming SaveXml), the edit in
    // progress updated; the deleted rows the filter lets through, in row order.
    std::vector<uint32_t> PrepareSave();

    struct View;
    std::shared_ptr<RowStore> rows_;
    std::unique_ptr<View> view_;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

}  // namespace hlreports
