// Result cells into the loader (see OdbcCells.h).
#include "backends/odbc/OdbcCells.h"

#include <cstring>
#include <string>

#include "backends/DatabaseError.h"
#include "backends/odbc/OdbcText.h"
#include "backends/odbc/OdbcValues.h"
#include "recordset/AdoTypes.h"
#include "runtime/Date.h"

namespace hlreports {
namespace {

// Longer text or binary data is read with SQLGetData: a block's buffer holds every cell at the
// column's full size.
constexpr SQLULEN kLongestBoundSize = 1024;
constexpr SQLLEN kDecimalTextBytes = 80;

SQLSMALLINT CTypeOf(OdbcValueKind kind, bool textIsUtf8) {
    switch (kind) {
        case OdbcValueKind::Text:
            return textIsUtf8 ? SQL_C_CHAR : SQL_C_WCHAR;
        case OdbcValueKind::Binary:
            return SQL_C_BINARY;
        case OdbcValueKind::Integer:
        case OdbcValueKind::Bit:
            return SQL_C_SBIGINT;
        case OdbcValueKind::Real:
            return SQL_C_DOUBLE;
        case OdbcValueKind::Decimal:
            return SQL_C_CHAR;
        case OdbcValueKind::Date:
            return SQL_C_TYPE_DATE;
        case OdbcValueKind::DateTime:
            return SQL_C_TYPE_TIMESTAMP;
        case OdbcValueKind::Time:
            return SQL_C_TYPE_TIME;
    }
    return SQL_C_CHAR;
}

SQLLEN FixedBytesOf(OdbcValueKind kind) {
    switch (kind) {
        case OdbcValueKind::Integer:
        case OdbcValueKind::Bit:
            return sizeof(SQLBIGINT);
        case OdbcValueKind::Real:
            return sizeof(double);
        case OdbcValueKind::Decimal:
            return kDecimalTextBytes;
        case OdbcValueKind::Date:
            return sizeof(SQL_DATE_STRUCT);
        case OdbcValueKind::DateTime:
            return sizeof(SQL_TIMESTAMP_STRUCT);
        case OdbcValueKind::Time:
            return sizeof(SQL_TIME_STRUCT);
        case OdbcValueKind::Text:
        case OdbcValueKind::Binary:
            break;
    }
    return 0;
}

template <typename T>
T Read(const unsigned char* data) {
    T value{};
    std::memcpy(&value, data, sizeof(T));
    return value;
}

std::string HexOf(const unsigned char* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 0xF];
    }
    return hex;
}

// A value that is not NULL: `bytes` of text (UTF-8, or UTF-16 units times two), binary data or
// decimal text; the C structure of the other kinds.
void LoadValue(OdbcValueKind kind, bool textIsUtf8, const unsigned char* data, std::size_t bytes,
               RecordsetLoader& loader, int column, uint32_t row, std::string_view place) {
    switch (kind) {
        case OdbcValueKind::Text:
            if (textIsUtf8) {
                loader.SetText(column, row,
                               std::string_view(reinterpret_cast<const char*>(data), bytes));
            } else {
                loader.SetText(column, row,
                               FromOdbcWide(reinterpret_cast<const SQLWCHAR*>(data),
                                            bytes / sizeof(SQLWCHAR)));
            }
            return;
        case OdbcValueKind::Binary:
            loader.SetText(column, row, HexOf(data, bytes));
            return;
        case OdbcValueKind::Integer:
            loader.SetWhole(column, row, Read<SQLBIGINT>(data));
            return;
        case OdbcValueKind::Bit:
            loader.SetBoolean(column, row, Read<SQLBIGINT>(data) != 0);
            return;
        case OdbcValueKind::Real:
            loader.SetReal(column, row, Read<double>(data));
            return;
        case OdbcValueKind::Decimal: {
            const std::string_view text(reinterpret_cast<const char*>(data), bytes);
            if (loader.Field(column).type == adCurrency) {
                loader.SetCurrency(column, row, CurrencyOfText(text, place));
            } else {
                loader.SetDecimal(column, row, DecimalOfText(text, place));
            }
            return;
        }
        case OdbcValueKind::Date: {
            const auto parts = Read<SQL_DATE_STRUCT>(data);
            loader.SetDate(column, row,
                           Date::FromYmd(parts.year, parts.month, parts.day).DayNumber());
            return;
        }
        case OdbcValueKind::DateTime: {
            const auto parts = Read<SQL_TIMESTAMP_STRUCT>(data);
            loader.SetDate(column, row,
                           Date::FromYmdHms(parts.year, parts.month, parts.day, parts.hour,
                                            parts.minute, parts.second + parts.fraction / 1e9)
                               .DayNumber());
            return;
        }
        case OdbcValueKind::Time: {
            const auto parts = Read<SQL_TIME_STRUCT>(data);
            loader.SetDate(column, row,
                           (parts.hour * 3600.0 + parts.minute * 60.0 + parts.second) / 86400.0);
            return;
        }
    }
}

// Reads a variable-length cell in pieces; no value for NULL.
template <typename Unit>
std::optional<std::basic_string<Unit>> ReadPieces(const OdbcHandle& statement, SQLUSMALLINT column,
                                                  SQLSMALLINT cType, std::string_view place) {
    constexpr std::size_t kPiece = 512;
    // Text pieces end in a terminator the driver adds; binary pieces do not.
    const std::size_t terminator = cType == SQL_C_BINARY ? 0 : 1;
    std::basic_string<Unit> value;
    Unit piece[kPiece];
    while (true) {
        SQLLEN indicator = 0;
        SQLRETURN rc = SQLGetData(statement.Get(), column, cType, piece, sizeof piece, &indicator);
        if (rc == SQL_NO_DATA) {
            return value;
        }
        if (!OdbcSucceeded(rc)) {
            RaiseOdbcError(statement, place);
        }
        if (indicator == SQL_NULL_DATA) {
            return std::nullopt;
        }
        std::size_t available = kPiece - terminator;
        std::size_t units = indicator == SQL_NO_TOTAL ||
                                    static_cast<std::size_t>(indicator) >= available * sizeof(Unit)
                                ? available
                                : static_cast<std::size_t>(indicator) / sizeof(Unit);
        value.append(piece, units);
        if (rc == SQL_SUCCESS) {
            return value;
        }
    }
}

// The bytes of decimal text: up to the terminator the driver writes.
std::size_t DecimalTextBytes(const unsigned char* data, SQLLEN indicator) {
    if (indicator >= 0 && indicator < kDecimalTextBytes) {
        return static_cast<std::size_t>(indicator);
    }
    return strnlen(reinterpret_cast<const char*>(data), kDecimalTextBytes);
}

}  // namespace

OdbcColumnBuffer::OdbcColumnBuffer(OdbcValueKind kind, bool textIsUtf8, SQLLEN cellBytes,
                                   SQLULEN rows)
    : kind_(kind),
      textIsUtf8_(textIsUtf8),
      cellBytes_(cellBytes),
      values_((static_cast<std::size_t>(cellBytes) * rows + 7) / 8),
      indicators_(rows) {}

std::optional<OdbcColumnBuffer> OdbcColumnBuffer::For(int32_t adoType, SQLULEN columnSize,
                                                      SQLULEN rows, bool textIsUtf8) {
    const OdbcValueKind kind = ValueKindOf(adoType);
    if (kind != OdbcValueKind::Text && kind != OdbcValueKind::Binary) {
        return OdbcColumnBuffer(kind, false, FixedBytesOf(kind), rows);
    }
    if (columnSize == 0 || columnSize > kLongestBoundSize) {
        return std::nullopt;
    }
    // A character takes up to four bytes of UTF-8 or two UTF-16 units, plus the terminator.
    SQLULEN cellBytes = columnSize;
    if (kind == OdbcValueKind::Text) {
        cellBytes = textIsUtf8 ? columnSize * 4 + 1 : (columnSize * 2 + 1) * sizeof(SQLWCHAR);
    }
    return OdbcColumnBuffer(kind, textIsUtf8, static_cast<SQLLEN>(cellBytes), rows);
}

void OdbcColumnBuffer::Bind(const OdbcHandle& statement, SQLUSMALLINT column) {
    CheckOdbc(SQLBindCol(statement.Get(), column, CTypeOf(kind_, textIsUtf8_), values_.data(),
                         cellBytes_, indicators_.data()),
              statement, "binding the result columns");
}

void OdbcColumnBuffer::Load(std::size_t index, RecordsetLoader& loader, int column, uint32_t row,
                            std::string_view place) const {
    const SQLLEN indicator = indicators_[index];
    if (indicator == SQL_NULL_DATA) {
        loader.SetNull(column, row);
        return;
    }
    const unsigned char* data = reinterpret_cast<const unsigned char*>(values_.data()) +
                                index * static_cast<std::size_t>(cellBytes_);
    std::size_t bytes = 0;
    if (kind_ == OdbcValueKind::Decimal) {
        bytes = DecimalTextBytes(data, indicator);
    } else if (kind_ == OdbcValueKind::Text || kind_ == OdbcValueKind::Binary) {
        SQLLEN room = cellBytes_;
        if (kind_ == OdbcValueKind::Text) {
            room -= textIsUtf8_ ? 1 : static_cast<SQLLEN>(sizeof(SQLWCHAR));
        }
        if (indicator == SQL_NO_TOTAL || indicator > room) {
            // The driver described the column smaller than its value: refuse rather than cut.
            RaiseDatabaseError(std::string(place) + ", row " + std::to_string(row + 1) +
                               ": the value is longer than the column's described size");
        }
        bytes = static_cast<std::size_t>(indicator);
    }
    LoadValue(kind_, textIsUtf8_, data, bytes, loader, column, row, place);
}

void LoadOdbcCell(const OdbcHandle& statement, SQLUSMALLINT column, RecordsetLoader& loader,
                  int field, uint32_t row, std::string_view place) {
    const OdbcValueKind kind = ValueKindOf(loader.Field(field).type);
    if (kind == OdbcValueKind::Text && statement.CharsAreUtf8()) {
        const auto text = ReadPieces<char>(statement, column, SQL_C_CHAR, place);
        if (!text) {
            loader.SetNull(field, row);
            return;
        }
        loader.SetText(field, row, *text);
        return;
    }
    if (kind == OdbcValueKind::Text) {
        const auto text = ReadPieces<SQLWCHAR>(statement, column, SQL_C_WCHAR, place);
        if (!text) {
            loader.SetNull(field, row);
            return;
        }
        loader.SetText(field, row, FromOdbcWide(text->data(), text->size()));
        return;
    }
    if (kind == OdbcValueKind::Binary) {
        const auto bytes = ReadPieces<unsigned char>(statement, column, SQL_C_BINARY, place);
        if (!bytes) {
            loader.SetNull(field, row);
            return;
        }
        LoadValue(kind, false, bytes->data(), bytes->size(), loader, field, row, place);
        return;
    }
    alignas(8) unsigned char data[kDecimalTextBytes] = {};
    SQLLEN indicator = 0;
    if (!OdbcSucceeded(SQLGetData(statement.Get(), column, CTypeOf(kind, false), data,
                                  FixedBytesOf(kind), &indicator))) {
        RaiseOdbcError(statement, place);
    }
    if (indicator == SQL_NULL_DATA) {
        loader.SetNull(field, row);
        return;
    }
    LoadValue(kind, false, data,
              kind == OdbcValueKind::Decimal ? DecimalTextBytes(data, indicator) : 0, loader, field,
              row, place);
}

}  // namespace hlreports
