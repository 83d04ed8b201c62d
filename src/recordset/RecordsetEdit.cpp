// Recordset edits: SetValue/Update/CancelUpdate, AddNew, Delete, and the pending changes of
// batch mode (CancelBatch, PendingChanges, AcceptPendingChanges).
//
// An edit is kept in the view's buffer (values already converted to the field type, so a bad
// value fails at the assignment) and reaches the shared rows at Update, or at the next move.
// In batch mode (adLockBatchOptimistic) a row's first change saves its original values and marks
// it Modified; new rows are New and deletions stay as Deleted rows until a backend has applied
// them (AcceptPendingChanges) or they are discarded (CancelBatch). With other lock types changes
// take effect at once and nothing is pending; read-only recordsets refuse edits with 3251.
#include "recordset/Recordset.h"
#include "recordset/RecordsetErrors.h"
#include "recordset/RecordsetView.h"

namespace hlreports {

using namespace recordset_errors;

namespace {

bool IsBatch(const RecordsetCursor& view) {
    return view.lockType == adLockBatchOptimistic;
}

}  // namespace

void Recordset::SetValue(int index, Variant value) {
    if (!view_->isOpen) {
        RaiseClosed("SetValue");
    }
    if (index < 0 || index >= rows_->FieldCount()) {
        RaiseUnknownField("SetValue");
    }
    if (view_->lockType == adLockReadOnly) {
        RaiseNotUpdatable("SetValue");
    }
    view_->Sync(*rows_);
    if (!view_->HasCurrentRow()) {
        RaiseNoCurrentRecord("SetValue");
    }
    Variant converted = rows_->Normalize(index, value, "Recordset.SetValue");
    if (view_->edit == EditKind::None) {
        view_->edit = EditKind::Editing;
        view_->editRow = view_->CurrentRow();
        view_->editValues.assign(static_cast<std::size_t>(rows_->FieldCount()), Variant::Null());
        view_->editDirty.assign(static_cast<std::size_t>(rows_->FieldCount()), 0);
    }
    view_->editValues[static_cast<std::size_t>(index)] = std::move(converted);
    view_->editDirty[static_cast<std::size_t>(index)] = 1;
}

void Recordset::SetValue(std::string_view name, Variant value) {
    const int index = FieldIndex(name);
    if (index < 0) {
        RaiseUnknownField("SetValue");
    }
    SetValue(index, std::move(value));
}

void Recordset::Update() {
    if (!view_->isOpen) {
        RaiseClosed("Update");
    }
    if (view_->edit == EditKind::None) {
        return;
    }
    const bool batch = IsBatch(*view_);
    if (view_->edit == EditKind::Editing) {
        const uint32_t row = view_->editRow;
        if (!rows_->IsVisible(row)) {
            view_->ClearEdit();  // deleted through a clone meanwhile
            RaiseNoCurrentRecord("Update");
        }
        if (batch && rows_->State(row) == RowState::Unmodified) {
            rows_->SetOriginal(row, rows_->GetRow(row));
            rows_->SetState(row, RowState::Modified);
        }
        for (int column = 0; column < rows_->FieldCount(); ++column) {
            if (view_->editDirty[static_cast<std::size_t>(column)] != 0) {
                rows_->Set(column, row, view_->editValues[static_cast<std::size_t>(column)],
                           "Recordset.Update");
            }
        }
        view_->ClearEdit();
        return;
    }
    // Adding: the row joins the store and stays current at the end of this view.
    view_->Sync(*rows_);
    const uint32_t row = rows_->AppendRow(batch ? RowState::New : RowState::Unmodified);
    for (int column = 0; column < rows_->FieldCount(); ++column) {
        rows_->Set(column, row, view_->editValues[static_cast<std::size_t>(column)],
                   "Recordset.Update");
    }
    view_->order.push_back(row);
    view_->NoteSeen(*rows_);
    view_->position = view_->Size() - 1;
    view_->onDeletedRow = false;
    view_->ClearEdit();
}

void Recordset::CancelUpdate() {
    if (!view_->isOpen) {
        RaiseClosed("CancelUpdate");
    }
    if (view_->edit == EditKind::Adding) {
        view_->position = view_->positionBeforeAdd;
        view_->onDeletedRow = view_->onDeletedRowBeforeAdd;
    }
    view_->ClearEdit();
}

void Recordset::AddNew() {
    if (!view_->isOpen) {
        RaiseClosed("AddNew");
    }
    if (view_->lockType == adLockReadOnly) {
        RaiseNotUpdatable("AddNew");
    }
    Update();
    view_->Sync(*rows_);
    view_->positionBeforeAdd = view_->position;
    view_->onDeletedRowBeforeAdd = view_->onDeletedRow;
    view_->edit = EditKind::Adding;
    view_->editValues.assign(static_cast<std::size_t>(rows_->FieldCount()), Variant::Null());
    view_->editDirty.assign(static_cast<std::size_t>(rows_->FieldCount()), 1);
}

void Recordset::Delete() {
    if (!view_->isOpen) {
        RaiseClosed("Delete");
    }
    if (view_->lockType == adLockReadOnly) {
        RaiseNotUpdatable("Delete");
    }
    if (view_->edit == EditKind::Adding) {
        CancelUpdate();  // the row being added never existed
        return;
    }
    view_->ClearEdit();
    view_->Sync(*rows_);
    if (!view_->HasCurrentRow()) {
        RaiseNoCurrentRecord("Delete");
    }
    const uint32_t row = view_->CurrentRow();
    const RowState state = rows_->State(row);
    if (!IsBatch(*view_) || state == RowState::New) {
        rows_->ClearOriginal(row);
        rows_->SetState(row, RowState::Gone);
    } else {
        if (state == RowState::Unmodified) {
            rows_->SetOriginal(row, rows_->GetRow(row));
        }
        rows_->SetState(row, RowState::Deleted);
    }
    rows_->NoteRowsLeft();
    view_->Sync(*rows_);
}

void Recordset::CancelBatch() {
    if (!view_->isOpen) {
        RaiseClosed("CancelBatch");
    }
    view_->ClearEdit();
    for (uint32_t row = 0; row < rows_->RowCount(); ++row) {
        const RowState state = rows_->State(row);
        if (state == RowState::New) {
            rows_->SetState(row, RowState::Gone);
            continue;
        }
        if (state != RowState::Modified && state != RowState::Deleted) {
            continue;
        }
        if (const std::vector<Variant>* original = rows_->Original(row)) {
            for (int column = 0; column < rows_->FieldCount(); ++column) {
                rows_->Set(column, row, (*original)[static_cast<std::size_t>(column)],
                           "Recordset.CancelBatch");
            }
        }
        rows_->ClearOriginal(row);
        rows_->SetState(row, RowState::Unmodified);
    }
    rows_->NoteRowsRestored();
    view_->Rebuild(*rows_);
}

bool Recordset::HasPendingChanges() const {
    return view_->isOpen && rows_->HasPendingChanges();
}

int32_t Recordset::Status() const {
    if (!view_->isOpen) {
        RaiseClosed("Status");
    }
    view_->Sync(*rows_);
    if (view_->edit == EditKind::Adding) {
        return adRecNew;
    }
    if (!view_->HasCurrentRow()) {
        RaiseNoCurrentRecord("Status");
    }
    switch (rows_->State(view_->CurrentRow())) {
        case RowState::New:
            return adRecNew;
        case RowState::Modified:
            return adRecModified;
        case RowState::Deleted:
        case RowState::Gone:
            return adRecDeleted;
        case RowState::Unmodified:
            break;
    }
    return adRecUnmodified;
}

std::vector<Recordset::PendingChange> Recordset::PendingChanges() const {
    std::vector<PendingChange> changes;
    if (!view_->isOpen) {
        return changes;
    }
    for (uint32_t row = 0; row < rows_->RowCount(); ++row) {
        const RowState state = rows_->State(row);
        const std::vector<Variant>* original = rows_->Original(row);
        switch (state) {
            case RowState::New:
                changes.push_back({adRecNew, {}, rows_->GetRow(row)});
                break;
            case RowState::Modified:
                changes.push_back(
                    {adRecModified, original ? *original : rows_->GetRow(row), rows_->GetRow(row)});
                break;
            case RowState::Deleted:
                changes.push_back({adRecDeleted, original ? *original : rows_->GetRow(row), {}});
                break;
            default:
                break;
        }
    }
    return changes;
}

void Recordset::AcceptPendingChanges() {
    if (!view_->isOpen) {
        RaiseClosed("UpdateBatch");
    }
    for (uint32_t row = 0; row < rows_->RowCount(); ++row) {
        const RowState state = rows_->State(row);
        if (state == RowState::Deleted) {
            rows_->SetState(row, RowState::Gone);
        } else if (state == RowState::New || state == RowState::Modified) {
            rows_->SetState(row, RowState::Unmodified);
        }
        rows_->ClearOriginal(row);
    }
    rows_->NoteRowsLeft();
    view_->Sync(*rows_);
}

}  // namespace hlreports
