// RecordsetLoader: how a backend puts fetched rows straight into a recordset's column store.
//
// The backend hands over its fields, then per row: AppendRow, one typed setter per non-Null
// cell (the cells start Null), and at the end Finish, which gives the open recordset. Each setter
// matches the column's kind (CellKindOf of the field's type; a mismatch is a bug), applies the
// same checks as a Variant stored through the recordset, and stores the cell without a Variant:
// a 100,000-row fetch then holds its rows once, in the store, instead of once more as Variant
// vectors waiting to be appended.
//
// Learned while reading: a field that receives a Null becomes nullable (a NOT NULL base column
// can still yield NULL through an outer join, and the saved XML must load again); a field whose
// type only the values tell (an expression column) is described with DescribeLateField before
// its first value.
//
// Errors: a value the column cannot hold raises ComError 3421 from "Recordset.AppendRow", the
// error a Variant appended the same way gets, and the row leaves the recordset (no half row).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "recordset/Recordset.h"
#include "recordset/RowStore.h"

namespace hlreports {

class RecordsetLoader {
  public:
    explicit RecordsetLoader(std::vector<FieldInfo> fields);

    int FieldCount() const { return store_->FieldCount(); }
    const FieldInfo& Field(int column) const { return store_->Field(column); }
    CellKind Kind(int column) const { return store_->Kind(column); }

    void Reserve(uint32_t rows) { store_->Reserve(rows); }
    // A new row, every cell Null; the id for the setters.
    uint32_t AppendRow() { return store_->AppendRow(RowState::Unmodified); }
    uint32_t RowCount() const { return store_->RowCount(); }

    void SetNull(int column, uint32_t row);
    // Integer kinds: within the range of the field's type.
    void SetWhole(int column, uint32_t row, int64_t value);
    void SetBoolean(int column, uint32_t row, bool value);
    // Double and Single: finite (Single: within a float's range).
    void SetReal(int column, uint32_t row, double value);
    void SetCurrency(int column, uint32_t row, int64_t scaledBy10000);
    // Fitted to the field's precision and scale, never rounded.
    void SetDecimal(int column, uint32_t row, const Decimal& value);
    // Years 100..9999; date fields keep the day, time fields the time of day.
    void SetDate(int column, uint32_t row, double dayNumber);
    // GUID and binary fields check and normalize their text.
    void SetText(int column, uint32_t row, std::string_view text);

    // Gives a column its field once the values have told its type; only before its first value.
    void DescribeLateField(int column, FieldInfo field);

    // The open recordset (batch-optimistic, at its first row) holding the rows; `source` is the
    // text that fetches them again. The loader is spent afterwards.
    RecordsetPtr Finish(std::string source);

  private:
    [[noreturn]] void Refuse(uint32_t row, const std::string& detail);
    void Check(int column, bool matches) const;

    std::shared_ptr<RowStore> store_;
};

}  // namespace hlreports
