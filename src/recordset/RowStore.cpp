// Column storage and the conversions between Variants and cells; see RowStore.h.
#include "recordset/RowStore.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>
#include <limits>

#include "recordset/RecordsetErrors.h"
#include "recordset/RecordsetValueText.h"
#include "runtime/ComError.h"

namespace hlreports {

using recordset_errors::RaiseWrongType;

namespace {

constexpr uint64_t LongTextFlag = uint64_t{1} << 63;
constexpr uint64_t LengthBits = 24;
constexpr uint64_t LengthMask = (uint64_t{1} << LengthBits) - 1;

// Whole number of a Variant for the integer kinds; text is read exactly so that 64-bit values
// keep every digit.
int64_t WholeNumber(const Variant& value, bool isUnsigned, uint64_t& unsignedBits,
                    const char* source) {
    if (value.Kind() == VariantKind::String) {
        if (ParseDecimalInteger(value.ToString(), isUnsigned, unsignedBits)) {
            return static_cast<int64_t>(unsignedBits);
        }
    }
    double number = 0;
    try {
        number = value.Kind() == VariantKind::Boolean ? (value.ToBoolean() ? -1.0 : 0.0)
                                                      : value.ToDouble();
    } catch (const ComError&) {
        RaiseWrongType(source);
    }
    if (!std::isfinite(number) || number != std::trunc(number)) {
        RaiseWrongType(source);
    }
    if (isUnsigned) {
        if (number < 0 || number >= 18446744073709551616.0) {
            RaiseWrongType(source);
        }
        unsignedBits = static_cast<uint64_t>(number);
        return static_cast<int64_t>(unsignedBits);
    }
    if (number < -9223372036854775808.0 || number >= 9223372036854775808.0) {
        RaiseWrongType(source);
    }
    unsignedBits = static_cast<uint64_t>(static_cast<int64_t>(number));
    return static_cast<int64_t>(number);
}

// Never rounded: a value that does not fit its column is an error naming both.
Decimal FitDecimal(const FieldInfo& field, const Decimal& value, const char* source) {
    std::optional<Decimal> fitted = FitDecimalToField(field, value);
    if (!fitted) {
        RaiseWrongType(source, "The " + DecimalMisfitText(field, value) + ".");
    }
    return *fitted;
}

CellValue ConvertCell(const FieldInfo& field, CellKind kind, const Variant& value,
                      const char* source) {
    CellValue cell;
    if (value.IsNull() || value.IsEmpty()) {
        return cell;
    }
    if (value.IsArray() || value.IsObject() || value.IsMissing()) {
        RaiseWrongType(source);
    }
    cell.isNull = false;
    try {
        switch (kind) {
            case CellKind::Integer:
            case CellKind::Long:
            case CellKind::UnsignedLong:
            case CellKind::BigInt: {
                uint64_t bits = 0;
                const std::optional<uint64_t> whole =
                    WholeCellBits(field, kind, WholeNumber(value, false, bits, source));
                if (!whole) {
                    RaiseWrongType(source);
                }
                cell.bits = *whole;
                break;
            }
            case CellKind::UnsignedBigInt:
                WholeNumber(value, true, cell.bits, source);
                break;
            case CellKind::Double:
            case CellKind::Single: {
                const std::optional<uint64_t> real = RealCellBits(
                    kind, value.Kind() == VariantKind::Date ? value.ToDate().DayNumber()
                                                            : value.ToDouble());
                if (!real) {
                    RaiseWrongType(source);
                }
                cell.bits = *real;
                break;
            }
            case CellKind::Currency:
                cell.bits = static_cast<uint64_t>(value.ToCurrencyScaled());
                break;
            case CellKind::Decimal: {
                const Decimal decimal = value.Kind() == VariantKind::Date
                                            ? Variant(value.ToDate().DayNumber()).ToDecimal()
                                            : value.ToDecimal();
                const Decimal::Packed packed = FitDecimal(field, decimal, source).Pack();
                cell.bits = packed.low;
                cell.highBits = packed.high;
                break;
            }
            case CellKind::Date: {
                const std::optional<uint64_t> date =
                    DateCellBits(field, value.ToDate().DayNumber());
                if (!date) {
                    RaiseWrongType(source);
                }
                cell.bits = *date;
                break;
            }
            case CellKind::Boolean:
                cell.bits = value.ToBoolean() ? 1 : 0;
                break;
            case CellKind::Text: {
                cell.text = value.ToString();
                if (IsSpecialTextType(field.type)) {
                    std::optional<std::string> normal = NormalizedSpecialText(field, cell.text);
                    if (!normal) {
                        RaiseWrongType(source);
                    }
                    cell.text = std::move(*normal);
                }
                break;
            }
        }
    } catch (const ComError& error) {
        if (error.Number() == 3421) {
            throw;
        }
        RaiseWrongType(source);
    }
    return cell;
}

// Double when the 64-bit value survives the trip through a double, else its digits.
Variant BigValue(int64_t value) {
    const auto asDouble = static_cast<double>(value);
    if (asDouble >= -9223372036854775808.0 && asDouble < 9223372036854775808.0 &&
        static_cast<int64_t>(asDouble) == value) {
        return Variant(asDouble);
    }
    return Variant(std::to_string(value));
}

Variant UnsignedBigValue(uint64_t value) {
    const auto asDouble = static_cast<double>(value);
    if (asDouble < 18446744073709551616.0 && static_cast<uint64_t>(asDouble) == value) {
        return Variant(asDouble);
    }
    return Variant(std::to_string(value));
}

Variant CellToVariant(CellKind kind, uint64_t bits, uint64_t highBits, std::string_view text) {
    switch (kind) {
        case CellKind::Integer:
            return Variant::Integer(static_cast<int16_t>(static_cast<int64_t>(bits)));
        case CellKind::Long:
            return Variant(static_cast<int32_t>(static_cast<int64_t>(bits)));
        case CellKind::UnsignedLong: {
            const auto value = static_cast<int64_t>(bits);
            if (value <= std::numeric_limits<int32_t>::max()) {
                return Variant(static_cast<int32_t>(value));
            }
            return Variant(static_cast<double>(value));
        }
        case CellKind::BigInt:
            return BigValue(static_cast<int64_t>(bits));
        case CellKind::UnsignedBigInt:
            return UnsignedBigValue(bits);
        case CellKind::Double:
        case CellKind::Single:
            return Variant(std::bit_cast<double>(bits));
        case CellKind::Currency:
            return Variant::Currency(static_cast<int64_t>(bits));
        case CellKind::Decimal:
            return Variant(Decimal::Unpack({bits, highBits}));
        case CellKind::Date:
            return Variant(Date(std::bit_cast<double>(bits)));
        case CellKind::Boolean:
            return Variant(bits != 0);
        case CellKind::Text:
            return Variant(text);
    }
    return Variant::Null();
}

}  // namespace

std::optional<Decimal> FitDecimalToField(const FieldInfo& field, const Decimal& value) {
    // Kept at the column's scale so that text and comparisons need no further work.
    return value.FittedTo(field.precision, field.scale);
}

std::string DecimalMisfitText(const FieldInfo& field, const Decimal& value) {
    return "field '" + field.name + "' value " + value.Trimmed().ToString() +
           " does not fit precision " + std::to_string(field.precision) + " and scale " +
           std::to_string(field.scale);
}

CellKind CellKindOf(int32_t adoType) {
    switch (adoType) {
        case adSmallInt:
        case adTinyInt:
        case adUnsignedTinyInt:
            return CellKind::Integer;
        case adInteger:
        case adUnsignedSmallInt:
            return CellKind::Long;
        case adUnsignedInt:
            return CellKind::UnsignedLong;
        case adBigInt:
            return CellKind::BigInt;
        case adUnsignedBigInt:
            return CellKind::UnsignedBigInt;
        case adDouble:
            return CellKind::Double;
        case adNumeric:
        case adDecimal:
        case adVarNumeric:
            return CellKind::Decimal;
        case adSingle:
            return CellKind::Single;
        case adCurrency:
            return CellKind::Currency;
        case adDate:
        case adDBDate:
        case adDBTime:
        case adDBTimeStamp:
        case adFileTime:
            return CellKind::Date;
        case adBoolean:
            return CellKind::Boolean;
        default:
            return CellKind::Text;
    }
}

bool IsTextKind(CellKind kind) {
    return kind == CellKind::Text;
}

std::optional<uint64_t> WholeCellBits(const FieldInfo& field, CellKind kind, int64_t value) {
    if (kind == CellKind::UnsignedBigInt) {
        if (value < 0) {
            return std::nullopt;
        }
        return static_cast<uint64_t>(value);
    }
    const IntegerRange range = IntegerRangeOf(field.type);
    if (value < range.low || value > range.high) {
        return std::nullopt;
    }
    return static_cast<uint64_t>(value);
}

std::optional<uint64_t> RealCellBits(CellKind kind, double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    if (kind == CellKind::Single) {
        if (std::fabs(value) > std::numeric_limits<float>::max()) {
            return std::nullopt;
        }
        value = static_cast<float>(value);
    }
    return std::bit_cast<uint64_t>(value);
}

std::optional<uint64_t> DateCellBits(const FieldInfo& field, double dayNumber) {
    // Years 100..9999, the range the date text and the runtime can carry.
    if (!(dayNumber >= -657'434.0 && dayNumber < 2'958'466.0)) {
        return std::nullopt;
    }
    if (field.type == adDBDate) {
        dayNumber = std::trunc(dayNumber);
    } else if (field.type == adDBTime) {
        dayNumber = std::fabs(dayNumber - std::trunc(dayNumber));
    }
    return std::bit_cast<uint64_t>(dayNumber);
}

bool IsSpecialTextType(int32_t adoType) {
    return adoType == adGUID || adoType == adBinary || adoType == adVarBinary ||
           adoType == adLongVarBinary;
}

std::optional<std::string> NormalizedSpecialText(const FieldInfo& field, std::string_view text) {
    return field.type == adGUID ? NormalizeGuid(text) : NormalizeHex(text);
}

uint64_t TextArena::Add(std::string_view text) {
    textBytes_ += text.size();
    if (text.size() >= LongTextBytes) {
        longTexts_.emplace_back(text);
        return LongTextFlag | (longTexts_.size() - 1);
    }
    if (used_ + text.size() > ChunkBytes) {
        chunks_.push_back(std::make_unique_for_overwrite<char[]>(ChunkBytes));
        used_ = 0;
    }
    const uint64_t offset = (chunks_.size() - 1) * ChunkBytes + used_;
    if (!text.empty()) {
        std::memcpy(chunks_.back().get() + used_, text.data(), text.size());
    }
    used_ += text.size();
    return offset << LengthBits | text.size();
}

std::string_view TextArena::Get(uint64_t reference) const {
    if ((reference & LongTextFlag) != 0) {
        return longTexts_[reference & ~LongTextFlag];
    }
    const uint64_t offset = reference >> LengthBits;
    const std::size_t length = reference & LengthMask;
    if (length == 0) {
        return {};
    }
    return {chunks_[offset / ChunkBytes].get() + offset % ChunkBytes, length};
}

std::size_t TextArena::AllocatedBytes() const {
    std::size_t bytes = chunks_.size() * ChunkBytes;
    for (const std::string& text : longTexts_) {
        bytes += text.capacity();
    }
    return bytes;
}

RowStore::RowStore(std::vector<FieldInfo> fields) : fields_(std::move(fields)) {
    columns_.reserve(fields_.size());
    for (const FieldInfo& field : fields_) {
        columns_.push_back(Column{CellKindOf(field.type), {}, {}, {}, {}});
    }
}

void RowStore::Reserve(uint32_t rows) {
    states_.reserve(rows);
    for (Column& column : columns_) {
        column.slots.reserve(rows);
        if (column.kind == CellKind::Decimal) {
            column.highSlots.reserve(rows);
        }
        column.nulls.reserve(rows);
    }
}

uint32_t RowStore::AppendRow(RowState state) {
    if (rowCount_ == std::numeric_limits<uint32_t>::max()) {
        throw ComError(
            3001, "Recordset.AddNew",
            "Arguments are of the wrong type, are out of acceptable range, or are in conflict "
            "with one another.");
    }
    for (Column& column : columns_) {
        column.slots.push_back(0);
        if (column.kind == CellKind::Decimal) {
            column.highSlots.push_back(0);
        }
        column.nulls.push_back(1);
    }
    states_.push_back(state);
    if (IsPending(state)) {
        ++pendingRows_;
    }
    return rowCount_++;
}

double RowStore::Real(int column, uint32_t row) const {
    return std::bit_cast<double>(Bits(column, row));
}

Variant RowStore::Get(int column, uint32_t row) const {
    if (IsNull(column, row)) {
        return Variant::Null();
    }
    const CellKind kind = Kind(column);
    if (kind == CellKind::Text) {
        return Variant(Text(column, row));
    }
    return CellToVariant(kind, Bits(column, row),
                         kind == CellKind::Decimal ? HighBits(column, row) : 0, {});
}

std::vector<Variant> RowStore::GetRow(uint32_t row) const {
    std::vector<Variant> values;
    values.reserve(fields_.size());
    for (int column = 0; column < FieldCount(); ++column) {
        values.push_back(Get(column, row));
    }
    return values;
}

void RowStore::SetNull(int column, uint32_t row) {
    Column& target = Col(column);
    target.nulls[row] = 1;
    target.slots[row] = 0;
    if (target.kind == CellKind::Decimal) {
        target.highSlots[row] = 0;
    }
}

void RowStore::SetBits(int column, uint32_t row, uint64_t bits) {
    Column& target = Col(column);
    target.nulls[row] = 0;
    target.slots[row] = bits;
}

void RowStore::SetDecimal(int column, uint32_t row, const Decimal& value) {
    Column& target = Col(column);
    const Decimal::Packed packed = value.Pack();
    target.nulls[row] = 0;
    target.slots[row] = packed.low;
    target.highSlots[row] = packed.high;
}

void RowStore::SetText(int column, uint32_t row, std::string_view text) {
    Column& target = Col(column);
    target.nulls[row] = 0;
    target.slots[row] = target.text.Add(text);
}

void RowStore::Set(int column, uint32_t row, const Variant& value, const char* source) {
    CellValue cell = ConvertCell(Field(column), Kind(column), value, source);
    if (cell.isNull) {
        SetNull(column, row);
    } else if (Kind(column) == CellKind::Text) {
        SetText(column, row, cell.text);
    } else if (Kind(column) == CellKind::Decimal) {
        SetDecimal(column, row, Decimal::Unpack({cell.bits, cell.highBits}));
    } else {
        SetBits(column, row, cell.bits);
    }
}

Variant RowStore::Normalize(int column, const Variant& value, const char* source) const {
    CellValue cell = ConvertCell(Field(column), Kind(column), value, source);
    if (cell.isNull) {
        return Variant::Null();
    }
    return CellToVariant(Kind(column), cell.bits, cell.highBits, cell.text);
}

CellValue RowStore::ToCell(int column, const Variant& value, const char* source) const {
    return ConvertCell(Field(column), Kind(column), value, source);
}

void RowStore::AllowNull(int column) {
    fields_[static_cast<std::size_t>(column)].attributes |= adFldIsNullable | adFldMayBeNull;
}

void RowStore::ReplaceField(int column, FieldInfo field) {
    Column& target = Col(column);
    assert(std::all_of(target.nulls.begin(), target.nulls.end(),
                       [](uint8_t isNull) { return isNull != 0; }) &&
           "a field is replaced only while its column holds no value");
    target.kind = CellKindOf(field.type);
    target.highSlots.assign(target.kind == CellKind::Decimal ? target.slots.size() : 0, 0);
    fields_[static_cast<std::size_t>(column)] = std::move(field);
}

void RowStore::SetState(uint32_t row, RowState state) {
    const bool was = IsPending(states_[row]);
    const bool is = IsPending(state);
    if (was && !is) {
        --pendingRows_;
    } else if (!was && is) {
        ++pendingRows_;
    }
    states_[row] = state;
}

const std::vector<Variant>* RowStore::Original(uint32_t row) const {
    const auto found = originals_.find(row);
    return found == originals_.end() ? nullptr : &found->second;
}

void RowStore::SetOriginal(uint32_t row, std::vector<Variant> values) {
    originals_[row] = std::move(values);
}

std::size_t RowStore::AllocatedBytes() const {
    std::size_t bytes = states_.capacity();
    for (const Column& column : columns_) {
        bytes += (column.slots.capacity() + column.highSlots.capacity()) * sizeof(uint64_t) +
                 column.nulls.capacity() + column.text.AllocatedBytes();
    }
    return bytes;
}

}  // namespace hlreports
