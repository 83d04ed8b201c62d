// RowStore: the rows of a recordset and its clones, stored column by column.
//
// Each column keeps one 8-byte slot per row (integers, IEEE doubles, scaled currency, day
// numbers, booleans, or a reference into the column's text arena) and one null byte per row.
// Decimal columns keep a second slot per row: the packed exact decimal needs 128 bits.
// A loaded 100,000-row recordset therefore costs about 9 bytes per cell plus its text, which keeps
// it below the size of its XML; a vector of Variants per row would not.
//
// Row ids are indexes that never change or get reused: they are the recordset's bookmarks.
// A removed row stays as a Gone slot. Replacing a text value appends to the arena; the old bytes
// stay until the store goes (edits are rare next to loads).
//
// Pending changes: every row has a RowState; Modified and Deleted rows keep their values from
// before the first change (Original). Views (cursors) notice structural changes through the
// generation counters: StructureGeneration moves when rows leave, RestoreGeneration when rows
// come back (CancelBatch); appended rows are seen through RowCount.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "recordset/FieldInfo.h"
#include "runtime/Variant.h"

namespace hlreports {

// How a column keeps its values; decided by the field's type.
enum class CellKind : uint8_t {
    Integer,         // adSmallInt, adTinyInt, adUnsignedTinyInt: int64 slot, Variant Integer
    Long,            // adInteger, adUnsignedSmallInt: int64 slot, Variant Long
    UnsignedLong,    // adUnsignedInt: int64 slot, Long when it fits, else Double
    BigInt,          // adBigInt: int64 slot, Double when exact, else String
    UnsignedBigInt,  // adUnsignedBigInt: uint64 slot, Double when exact, else String
    Double,          // adDouble: double slot
    Decimal,         // adNumeric, adDecimal, adVarNumeric: packed Decimal in two slots
    Single,          // adSingle: double slot holding a float value
    Currency,        // adCurrency: int64 scaled by 10,000
    Date,            // every date/time type: day number
    Boolean,         // slot 0 or 1
    Text,            // strings, GUIDs, binary as lowercase hex
};

CellKind CellKindOf(int32_t adoType);

// The decimal as a column of the field's precision and scale keeps it (at the column's scale),
// or nothing when it does not fit. A precision of 0 declares no limits.
std::optional<Decimal> FitDecimalToField(const FieldInfo& field, const Decimal& value);
// "field 'Amount' value 123.456 does not fit precision 5 and scale 2"
std::string DecimalMisfitText(const FieldInfo& field, const Decimal& value);
bool IsTextKind(CellKind kind);

// The checks a value of each kind passes on its way into a column, shared by the Variant
// conversion and the loaders' typed setters; nothing when the field cannot hold the value.
// A whole number of an integer kind, within the range of the field's type:
std::optional<uint64_t> WholeCellBits(const FieldInfo& field, CellKind kind, int64_t value);
// A finite real (Single columns: within a float's range, rounded to a float):
std::optional<uint64_t> RealCellBits(CellKind kind, double value);
// A day number of years 100..9999, cut to the date or the time of day for those field types:
std::optional<uint64_t> DateCellBits(const FieldInfo& field, double dayNumber);
// GUID and binary fields keep their text in one normal form (braced upper-case GUID, lowercase
// hex); other text fields keep text as it is.
bool IsSpecialTextType(int32_t adoType);
std::optional<std::string> NormalizedSpecialText(const FieldInfo& field, std::string_view text);

// One value converted to a column's kind: the slot bits, or the text of a text kind.
struct CellValue {
    bool isNull = true;
    uint64_t bits = 0;
    uint64_t highBits = 0;  // the second word of a decimal
    std::string text;
};

enum class RowState : uint8_t { Unmodified, New, Modified, Deleted, Gone };

// The day number as a straight time line: classic day numbers before 1900 count their time
// of day forward from a negative day (-1.25 is 29 Dec 1899 06:00, later than -1.0).
inline double LinearDayNumber(double dayNumber) {
    if (dayNumber >= 0) {
        return dayNumber;
    }
    const double day = std::trunc(dayNumber);
    return day + (day - dayNumber);
}

// Text bytes of one column. Short texts go into 64 KiB chunks that never move, so a growing
// arena does not copy; long texts get their own allocation.
class TextArena {
  public:
    // A reference packs (offset << 24 | length) for chunk texts, or the top bit and an index
    // into the long texts.
    uint64_t Add(std::string_view text);
    std::string_view Get(uint64_t reference) const;
    std::size_t AllocatedBytes() const;
    std::size_t TextBytes() const { return textBytes_; }  // of every Add, replaced texts too

  private:
    static constexpr std::size_t ChunkBytes = 64 * 1024;
    static constexpr std::size_t LongTextBytes = 4096;
    std::vector<std::unique_ptr<char[]>> chunks_;
    std::size_t used_ = ChunkBytes;  // bytes used in the last chunk; full before the first
    std::vector<std::string> longTexts_;
    std::size_t textBytes_ = 0;
};

class RowStore {
  public:
    explicit RowStore(std::vector<FieldInfo> fields);

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    const FieldInfo& Field(int index) const { return fields_[static_cast<std::size_t>(index)]; }
    const std::vector<FieldInfo>& Fields() const { return fields_; }
    CellKind Kind(int column) const { return columns_[static_cast<std::size_t>(column)].kind; }

    // --- Rows ---
    uint32_t RowCount() const { return rowCount_; }  // ids issued so far, Gone rows included
    void Reserve(uint32_t rows);
    uint32_t AppendRow(RowState state);  // every value NULL
    RowState State(uint32_t row) const { return states_[row]; }
    // Visible rows are the ones a cursor can stand on: not deleted, not gone.
    bool IsVisible(uint32_t row) const {
        const RowState state = states_[row];
        return state == RowState::Unmodified || state == RowState::New ||
               state == RowState::Modified;
    }

    // --- Values ---
    bool IsNull(int column, uint32_t row) const { return Col(column).nulls[row] != 0; }
    uint64_t Bits(int column, uint32_t row) const { return Col(column).slots[row]; }
    uint64_t HighBits(int column, uint32_t row) const { return Col(column).highSlots[row]; }
    Decimal DecimalAt(int column, uint32_t row) const {
        return Decimal::Unpack({Bits(column, row), HighBits(column, row)});
    }
    int64_t Signed(int column, uint32_t row) const {
        return static_cast<int64_t>(Bits(column, row));
    }
    double Real(int column, uint32_t row) const;
    std::string_view Text(int column, uint32_t row) const {
        return Col(column).text.Get(Bits(column, row));
    }
    Variant Get(int column, uint32_t row) const;
    std::vector<Variant> GetRow(uint32_t row) const;

    // Raw setters for a loader that has already checked the value against the kind.
    void SetNull(int column, uint32_t row);
    void SetBits(int column, uint32_t row, uint64_t bits);
    void SetDecimal(int column, uint32_t row, const Decimal& value);
    void SetText(int column, uint32_t row, std::string_view text);
    // Converts a value to the field's type and stores it; ComError 3421 (with `source`) when it
    // does not convert or does not fit.
    void Set(int column, uint32_t row, const Variant& value, const char* source);
    // The value as it would read back after Set (same conversion and errors).
    Variant Normalize(int column, const Variant& value, const char* source) const;
    // The converted cell, for writers that format values kept outside the store (originals).
    CellValue ToCell(int column, const Variant& value, const char* source) const;

    // For loaders: a field whose nullability or type is learned while the rows are read.
    void AllowNull(int column);
    // Only while the column holds no value (every row Null).
    void ReplaceField(int column, FieldInfo field);

    // --- Pending changes ---
    void SetState(uint32_t row, RowState state);
    const std::vector<Variant>* Original(uint32_t row) const;
    void SetOriginal(uint32_t row, std::vector<Variant> values);
    void ClearOriginal(uint32_t row) { originals_.erase(row); }
    bool HasPendingChanges() const { return pendingRows_ > 0; }

    uint64_t StructureGeneration() const { return structureGeneration_; }
    uint64_t RestoreGeneration() const { return restoreGeneration_; }
    void NoteRowsLeft() { ++structureGeneration_; }
    void NoteRowsRestored() {
        ++structureGeneration_;
        ++restoreGeneration_;
    }

    // Text bytes stored in a column, for estimating the size of a saved document.
    std::size_t TextBytes(int column) const { return Col(column).text.TextBytes(); }
    // Bytes held by the columns, for the benchmark's memory figure.
    std::size_t AllocatedBytes() const;

  private:
    struct Column {
        CellKind kind;
        std::vector<uint64_t> slots;
        std::vector<uint64_t> highSlots;  // decimal columns only
        std::vector<uint8_t> nulls;
        TextArena text;
    };
    const Column& Col(int column) const { return columns_[static_cast<std::size_t>(column)]; }
    Column& Col(int column) { return columns_[static_cast<std::size_t>(column)]; }
    static bool IsPending(RowState state) {
        return state == RowState::New || state == RowState::Modified || state == RowState::Deleted;
    }

    std::vector<FieldInfo> fields_;
    std::vector<Column> columns_;
    std::vector<RowState> states_;
    std::unordered_map<uint32_t, std::vector<Variant>> originals_;
    uint32_t rowCount_ = 0;
    uint32_t pendingRows_ = 0;
    uint64_t structureGeneration_ = 0;
    uint64_t restoreGeneration_ = 0;
};

}  // namespace hlreports
