// Loading fetched rows straight into the column store (see RecordsetLoader.h).
#include "recordset/RecordsetLoader.h"

#include <cassert>

#include "recordset/RecordsetErrors.h"
#include "recordset/RecordsetView.h"

namespace hlreports {

namespace {

constexpr const char* Source = "Recordset.AppendRow";

bool IsWholeKind(CellKind kind) {
    return kind == CellKind::Integer || kind == CellKind::Long || kind == CellKind::UnsignedLong ||
           kind == CellKind::BigInt || kind == CellKind::UnsignedBigInt;
}

}  // namespace

RecordsetLoader::RecordsetLoader(std::vector<FieldInfo> fields)
    : store_(std::make_shared<RowStore>(std::move(fields))) {}

void RecordsetLoader::Check(int column, bool matches) const {
    assert(column >= 0 && column < store_->FieldCount() && "the column exists");
    assert(matches && "the setter matches the column's kind");
    static_cast<void>(column);
    static_cast<void>(matches);
}

void RecordsetLoader::Refuse(uint32_t row, const std::string& detail) {
    // The row goes with the error: a recordset never shows half a row.
    store_->SetState(row, RowState::Gone);
    store_->NoteRowsLeft();
    recordset_errors::RaiseWrongType(Source, detail);
}

void RecordsetLoader::SetNull(int column, uint32_t row) {
    Check(column, true);
    if ((store_->Field(column).attributes & (adFldIsNullable | adFldMayBeNull)) !=
        (adFldIsNullable | adFldMayBeNull)) {
        store_->AllowNull(column);
    }
    store_->SetNull(column, row);
}

void RecordsetLoader::SetWhole(int column, uint32_t row, int64_t value) {
    const CellKind kind = store_->Kind(column);
    Check(column, IsWholeKind(kind));
    const std::optional<uint64_t> bits = WholeCellBits(store_->Field(column), kind, value);
    if (!bits) {
        Refuse(row, {});
    }
    store_->SetBits(column, row, *bits);
}

void RecordsetLoader::SetBoolean(int column, uint32_t row, bool value) {
    Check(column, store_->Kind(column) == CellKind::Boolean);
    store_->SetBits(column, row, value ? 1 : 0);
}

void RecordsetLoader::SetReal(int column, uint32_t row, double value) {
    const CellKind kind = store_->Kind(column);
    Check(column, kind == CellKind::Double || kind == CellKind::Single);
    const std::optional<uint64_t> bits = RealCellBits(kind, value);
    if (!bits) {
        Refuse(row, {});
    }
    store_->SetBits(column, row, *bits);
}

void RecordsetLoader::SetCurrency(int column, uint32_t row, int64_t scaledBy10000) {
    Check(column, store_->Kind(column) == CellKind::Currency);
    store_->SetBits(column, row, static_cast<uint64_t>(scaledBy10000));
}

void RecordsetLoader::SetDecimal(int column, uint32_t row, const Decimal& value) {
    Check(column, store_->Kind(column) == CellKind::Decimal);
    const FieldInfo& field = store_->Field(column);
    const std::optional<Decimal> fitted = FitDecimalToField(field, value);
    if (!fitted) {
        Refuse(row, "The " + DecimalMisfitText(field, value) + ".");
    }
    store_->SetDecimal(column, row, *fitted);
}

void RecordsetLoader::SetDate(int column, uint32_t row, double dayNumber) {
    Check(column, store_->Kind(column) == CellKind::Date);
    const std::optional<uint64_t> bits = DateCellBits(store_->Field(column), dayNumber);
    if (!bits) {
        Refuse(row, {});
    }
    store_->SetBits(column, row, *bits);
}

void RecordsetLoader::SetText(int column, uint32_t row, std::string_view text) {
    Check(column, store_->Kind(column) == CellKind::Text);
    const FieldInfo& field = store_->Field(column);
    if (!IsSpecialTextType(field.type)) {
        store_->SetText(column, row, text);
        return;
    }
    const std::optional<std::string> normal = NormalizedSpecialText(field, text);
    if (!normal) {
        Refuse(row, {});
    }
    store_->SetText(column, row, *normal);
}

void RecordsetLoader::DescribeLateField(int column, FieldInfo field) {
    Check(column, true);
    store_->ReplaceField(column, std::move(field));
}

RecordsetPtr RecordsetLoader::Finish(std::string source) {
    auto recordset = std::make_shared<Recordset>();
    recordset->rows_ = std::move(store_);
    recordset->view_->isOpen = true;
    recordset->view_->lockType = adLockBatchOptimistic;
    recordset->view_->source = std::move(source);
    recordset->view_->Rebuild(*recordset->rows_);
    return recordset;
}

}  // namespace hlreports
