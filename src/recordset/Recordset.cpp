// Recordset: building, fields, cursor movement, bookmarks, Filter/Find/Sort and clones.
// Edits live in RecordsetEdit.cpp and persistence in RecordsetXmlWriter/Reader.cpp.
//
// Every public operation on an open recordset first lets the view catch up with the shared
// rows (Sync), and every move first completes an edit in progress, as the classic cursor does.
#include "recordset/Recordset.h"

#include "recordset/RecordsetErrors.h"
#include "recordset/RecordsetView.h"
#include "runtime/Text.h"

namespace hlreports {

using namespace recordset_errors;

namespace {

// Client cursors know read-only, optimistic and batch-optimistic locks; pessimistic is served as
// optimistic, and "unspecified" means the default, read-only.
int32_t CheckedLockType(int32_t lockType, const char* operation) {
    switch (lockType) {
        case adLockUnspecified:
            return adLockReadOnly;
        case adLockReadOnly:
        case adLockOptimistic:
        case adLockBatchOptimistic:
            return lockType;
        case 2:
            return adLockOptimistic;
        default:
            RaiseBadArgument(operation);
    }
}

}  // namespace

Recordset::Recordset()
    : rows_(std::make_shared<RowStore>(std::vector<FieldInfo>{})),
      view_(std::make_unique<View>()) {}

Recordset::~Recordset() = default;

// --- Building ---

void Recordset::AppendField(FieldInfo field) {
    if (view_->isOpen) {
        RaiseNotInContext("AppendField");
    }
    std::vector<FieldInfo> fields = rows_->Fields();
    fields.push_back(std::move(field));
    rows_ = std::make_shared<RowStore>(std::move(fields));
}

void Recordset::Open(int32_t lockType) {
    if (view_->isOpen) {
        RaiseOpen("Open");
    }
    view_->lockType = CheckedLockType(lockType, "Open");
    view_->isOpen = true;
    view_->Rebuild(*rows_);
}

void Recordset::AppendRow(std::vector<Variant> values) {
    if (!view_->isOpen) {
        RaiseClosed("AppendRow");
    }
    if (static_cast<int>(values.size()) != rows_->FieldCount()) {
        RaiseBadArgument("AppendRow");
    }
    const uint32_t row = rows_->AppendRow(RowState::Unmodified);
    try {
        for (int column = 0; column < rows_->FieldCount(); ++column) {
            rows_->Set(column, row, values[static_cast<std::size_t>(column)],
                       "Recordset.AppendRow");
        }
    } catch (...) {
        // A value that does not convert must not leave half a row behind.
        rows_->SetState(row, RowState::Gone);
        rows_->NoteRowsLeft();
        throw;
    }
}

void Recordset::FinishLoading() {
    if (!view_->isOpen) {
        RaiseClosed("FinishLoading");
    }
    view_->Rebuild(*rows_);
}

void Recordset::Close() {
    if (!view_->isOpen) {
        RaiseClosed("Close");
    }
    // Clones keep the rows; this object keeps only the field definitions.
    rows_ = std::make_shared<RowStore>(rows_->Fields());
    const std::string source = std::move(view_->source);
    const int32_t lockType = view_->lockType;
    view_ = std::make_unique<View>();
    view_->source = source;
    view_->lockType = lockType;
}

bool Recordset::IsOpen() const {
    return view_->isOpen;
}

const std::string& Recordset::Source() const {
    return view_->source;
}

void Recordset::SetSource(std::string source) {
    view_->source = std::move(source);
}

void Recordset::ReplaceContents(const Recordset& fresh) {
    if (!view_->isOpen) {
        RaiseClosed("Requery");
    }
    if (!fresh.view_->isOpen) {
        RaiseClosed("Requery");
    }
    view_->ClearEdit();
    rows_ = fresh.rows_;
    // The filter and sort are bound to fields; a fresh result without those fields drops them.
    std::optional<Criteria> filter;
    std::vector<SortKey> sortKeys;
    try {
        if (!view_->filterText.empty()) {
            filter =
                Criteria::Parse(view_->filterText, *rows_, CriteriaUse::Filter, "Recordset.Filter");
        }
        sortKeys = ParseSortKeys(view_->sortText, *rows_, "Recordset.Sort");
    } catch (...) {
        view_->filter.reset();
        view_->filterText.clear();
        view_->sortKeys.clear();
        view_->sortText.clear();
        view_->Rebuild(*rows_);
        throw;
    }
    view_->filter = std::move(filter);
    view_->sortKeys = std::move(sortKeys);
    view_->Rebuild(*rows_);
}

int32_t Recordset::State() const {
    return view_->isOpen ? adStateOpen : adStateClosed;
}

int32_t Recordset::LockType() const {
    return view_->lockType;
}

void Recordset::SetLockType(int32_t lockType) {
    view_->lockType = CheckedLockType(lockType, "LockType");
}

// --- Fields ---

int Recordset::FieldCount() const {
    return rows_->FieldCount();
}

const FieldInfo& Recordset::Field(int index) const {
    if (index < 0 || index >= rows_->FieldCount()) {
        RaiseUnknownField("Fields");
    }
    return rows_->Field(index);
}

int Recordset::FieldIndex(std::string_view name) const {
    for (int i = 0; i < rows_->FieldCount(); ++i) {
        if (EqualsIgnoreCase(rows_->Field(i).name, name)) {
            return i;
        }
    }
    return -1;
}

Variant Recordset::Value(int index) const {
    if (!view_->isOpen) {
        RaiseClosed("Value");
    }
    if (index < 0 || index >= rows_->FieldCount()) {
        RaiseUnknownField("Value");
    }
    view_->Sync(*rows_);
    if (!view_->HasCurrentRow()) {
        RaiseNoCurrentRecord("Value");
    }
    const auto column = static_cast<std::size_t>(index);
    if (view_->edit == EditKind::Adding ||
        (view_->edit == EditKind::Editing && view_->editDirty[column] != 0)) {
        return view_->editValues[column];
    }
    return rows_->Get(index, view_->CurrentRow());
}

Variant Recordset::Value(std::string_view name) const {
    const int index = FieldIndex(name);
    if (index < 0) {
        RaiseUnknownField("Value");
    }
    return Value(index);
}

// --- Cursor ---

bool Recordset::BOF() const {
    if (!view_->isOpen) {
        RaiseClosed("BOF");
    }
    view_->Sync(*rows_);
    return view_->IsBOF();
}

bool Recordset::EOF() const {
    if (!view_->isOpen) {
        RaiseClosed("EOF");
    }
    view_->Sync(*rows_);
    return view_->IsEOF();
}

void Recordset::MoveFirst() {
    if (!view_->isOpen) {
        RaiseClosed("MoveFirst");
    }
    Update();
    view_->Sync(*rows_);
    if (view_->IsBOF() && view_->IsEOF()) {
        RaiseNoCurrentRecord("MoveFirst");
    }
    view_->position = 0;
    view_->onDeletedRow = false;
}

void Recordset::MoveLast() {
    if (!view_->isOpen) {
        RaiseClosed("MoveLast");
    }
    Update();
    view_->Sync(*rows_);
    if (view_->IsBOF() && view_->IsEOF()) {
        RaiseNoCurrentRecord("MoveLast");
    }
    view_->position = view_->order.empty() ? 0 : view_->Size() - 1;
    view_->onDeletedRow = false;
}

void Recordset::MoveNext() {
    if (!view_->isOpen) {
        RaiseClosed("MoveNext");
    }
    Update();
    view_->Sync(*rows_);
    if (view_->IsEOF()) {
        RaiseNoCurrentRecord("MoveNext");
    }
    if (view_->onDeletedRow) {
        view_->onDeletedRow = false;  // `position` already names the following row
    } else {
        ++view_->position;
    }
    if (view_->position > view_->Size()) {
        view_->position = view_->Size();
    }
}

void Recordset::MovePrevious() {
    if (!view_->isOpen) {
        RaiseClosed("MovePrevious");
    }
    Update();
    view_->Sync(*rows_);
    if (view_->IsBOF()) {
        RaiseNoCurrentRecord("MovePrevious");
    }
    view_->onDeletedRow = false;
    if (--view_->position < 0) {
        view_->position = -1;
    }
}

void Recordset::Move(int64_t rows) {
    if (!view_->isOpen) {
        RaiseClosed("Move");
    }
    Update();
    view_->Sync(*rows_);
    if (rows == 0) {
        if (!view_->HasCurrentRow()) {
            RaiseNoCurrentRecord("Move");
        }
        return;
    }
    if ((rows > 0 && view_->IsEOF()) || (rows < 0 && view_->IsBOF())) {
        RaiseNoCurrentRecord("Move");
    }
    // From a deleted row, one step forward is the row that followed it.
    const int64_t base = view_->onDeletedRow && rows > 0 ? view_->position - 1 : view_->position;
    const int64_t size = view_->Size();
    int64_t target = base;
    if (rows > 0) {
        target = rows >= size - base ? size : base + rows;
    } else {
        target = -rows > base ? -1 : base + rows;
    }
    view_->position = target;
    view_->onDeletedRow = false;
}

int64_t Recordset::RecordCount() const {
    if (!view_->isOpen) {
        RaiseClosed("RecordCount");
    }
    view_->Sync(*rows_);
    return view_->Size();
}

int64_t Recordset::AbsolutePosition() const {
    if (!view_->isOpen) {
        RaiseClosed("AbsolutePosition");
    }
    view_->Sync(*rows_);
    if (view_->edit == EditKind::Adding || view_->onDeletedRow || view_->order.empty()) {
        return adPosUnknown;
    }
    if (view_->position < 0) {
        return adPosBOF;
    }
    if (view_->position >= view_->Size()) {
        return adPosEOF;
    }
    return view_->position + 1;
}

void Recordset::SetAbsolutePosition(int64_t position) {
    if (!view_->isOpen) {
        RaiseClosed("AbsolutePosition");
    }
    Update();
    view_->Sync(*rows_);
    if (position < 1 || position > view_->Size()) {
        RaiseBadArgument("AbsolutePosition");
    }
    view_->position = position - 1;
    view_->onDeletedRow = false;
}

Bookmark Recordset::GetBookmark() const {
    if (!view_->isOpen) {
        RaiseClosed("Bookmark");
    }
    view_->Sync(*rows_);
    if (!view_->HasCurrentRow() || view_->edit == EditKind::Adding) {
        RaiseNoCurrentRecord("Bookmark");
    }
    return view_->CurrentRow();
}

void Recordset::SetBookmark(Bookmark bookmark) {
    if (!view_->isOpen) {
        RaiseClosed("Bookmark");
    }
    Update();
    view_->Sync(*rows_);
    if (bookmark < 0 || bookmark >= static_cast<Bookmark>(rows_->RowCount())) {
        RaiseBadArgument("Bookmark");
    }
    const int64_t index = view_->IndexOf(static_cast<uint32_t>(bookmark));
    if (index < 0) {
        RaiseBadArgument("Bookmark");
    }
    view_->position = index;
    view_->onDeletedRow = false;
}

// --- Filter, Find, Sort ---

void Recordset::SetFilter(std::string_view criteria) {
    if (!view_->isOpen) {
        RaiseClosed("Filter");
    }
    Update();
    std::optional<Criteria> filter;
    if (!Trim(criteria).empty()) {
        filter = Criteria::Parse(criteria, *rows_, CriteriaUse::Filter, "Recordset.Filter");
    }
    view_->filter = std::move(filter);
    view_->filterText = view_->filter ? std::string(criteria) : std::string();
    view_->Rebuild(*rows_);
}

const std::string& Recordset::Filter() const {
    return view_->filterText;
}

void Recordset::Find(std::string_view criteria, int64_t skipRecords, int32_t direction,
                     std::optional<Bookmark> start) {
    if (!view_->isOpen) {
        RaiseClosed("Find");
    }
    if (direction != adSearchForward && direction != adSearchBackward) {
        RaiseBadArgument("Find");
    }
    Update();
    view_->Sync(*rows_);
    const Criteria clause = Criteria::Parse(criteria, *rows_, CriteriaUse::Find, "Recordset.Find");
    int64_t from = 0;
    if (start) {
        from = *start >= 0 && *start < static_cast<Bookmark>(rows_->RowCount())
                   ? view_->IndexOf(static_cast<uint32_t>(*start))
                   : -1;
        if (from < 0) {
            RaiseBadArgument("Find");
        }
    } else {
        if (!view_->HasCurrentRow()) {
            RaiseNoCurrentRecord("Find");
        }
        from = view_->position;
    }
    const int64_t size = view_->Size();
    view_->onDeletedRow = false;
    int64_t index = direction == adSearchForward ? from + skipRecords : from - skipRecords;
    for (; index >= 0 && index < size; index += direction) {
        if (clause.Matches(*rows_, view_->order[static_cast<std::size_t>(index)])) {
            view_->position = index;
            return;
        }
    }
    view_->position = direction == adSearchForward ? size : -1;
}

void Recordset::SetSort(std::string_view sort) {
    if (!view_->isOpen) {
        RaiseClosed("Sort");
    }
    Update();
    std::vector<SortKey> keys = ParseSortKeys(sort, *rows_, "Recordset.Sort");
    view_->sortKeys = std::move(keys);
    view_->sortText = view_->sortKeys.empty() ? std::string() : std::string(sort);
    view_->Rebuild(*rows_);
}

const std::string& Recordset::Sort() const {
    return view_->sortText;
}

// --- Clones ---

std::shared_ptr<Recordset> Recordset::Clone(int32_t lockType) const {
    if (!view_->isOpen) {
        RaiseClosed("Clone");
    }
    if (lockType != adLockUnspecified && lockType != adLockReadOnly) {
        RaiseBadArgument("Clone");
    }
    auto clone = std::make_shared<Recordset>();
    clone->rows_ = rows_;
    clone->view_->isOpen = true;
    clone->view_->source = view_->source;
    clone->view_->lockType = lockType == adLockReadOnly ? adLockReadOnly : view_->lockType;
    clone->view_->Rebuild(*rows_);
    return clone;
}

}  // namespace hlreports
