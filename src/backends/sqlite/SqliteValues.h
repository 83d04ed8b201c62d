// Value conversion of the embedded backend, in both directions: a Variant to the value bound for
// a parameter or written to a column, and a stored value to the Variant of a field.
//
// Conversions refuse what does not fit with a ComError naming the place ("procedure sp_x:
// parameter @Days: 'abc' is not a number"); nothing is silently turned into NULL or zero.
// Dates are stored as ISO text: 'YYYY-MM-DD' for date, 'YYYY-MM-DD HH:MM:SS' for datetime.
#pragma once

#include <sqlite3.h>

#include <optional>
#include <string>
#include <string_view>

#include "backends/sqlite/SqliteTypes.h"
#include "recordset/Recordset.h"
#include "recordset/RecordsetLoader.h"
#include "runtime/Date.h"
#include "runtime/Variant.h"

namespace hlreports {

// A stored value as the statement hands it out: text is borrowed until the statement steps.
struct StoredCell {
    int type = SQLITE_NULL;  // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT or SQLITE_NULL
    int64_t integer = 0;
    double real = 0;
    std::string_view text;
};

// Binary data is refused: reports cannot read it.
StoredCell PeekColumnValue(sqlite3_stmt* statement, int column);
SqlValue ReadColumnValue(sqlite3_stmt* statement, int column);
StoredCell CellOf(const SqlValue& value);
// A stored value as text (numbers in their shortest exact form; "" for NULL).
std::string StoredText(const SqlValue& value);
void BindValue(sqlite3* db, sqlite3_stmt* statement, int index, const SqlValue& value);

// The value to bind for a parameter of the declared type. Missing is not handled here (the
// caller applies the default first); Null and Empty bind NULL. `place` names the parameter in
// messages, e.g. "procedure sp_x: parameter @Days".
SqlValue ToParameterValue(const Variant& value, const SqlType& type, std::string_view place);
// The Variant an output parameter hands back (Null for NULL).
Variant ParameterValueToVariant(const SqlValue& value, const SqlType& type);
// A decimal as the embedded database keeps it exactly: an integer when it is whole and fits 64
// bits, a real when the double carries exactly its digits, else its text.
SqlValue ExactSqlValue(const Decimal& value);
// A stored value as plain Variant (no declared type): Long or Double, String, Null.
Variant PlainVariant(const SqlValue& value);

// A stored value as the Variant of a field of the given ADO type. `place` names the column and
// row in messages (may be empty).
Variant FieldValue(const SqlValue& value, int32_t adoType, std::string_view place);
// The same conversion straight into cell (column, row) of a loader, whose field's type decides
// it; refused with the same messages (with an empty place), or by the loader's checks.
void LoadFieldValue(const StoredCell& value, RecordsetLoader& loader, int column, uint32_t row);
// A recordset value written back to the field's column (dates as ISO text, numbers checked).
SqlValue ValueForColumn(const Variant& value, const FieldInfo& field, std::string_view place);
// Characters (not bytes) of UTF-8 text.
int CharacterCount(std::string_view text);

// 'YYYY-MM-DD' and 'YYYY-MM-DD HH:MM:SS' (or 'T' in between), else the month-first forms that
// Date::Parse reads.
std::optional<Date> ParseStoredDate(std::string_view text);
std::string IsoDateText(const Date& date);      // YYYY-MM-DD
std::string IsoDateTimeText(const Date& date);  // YYYY-MM-DD HH:MM:SS

}  // namespace hlreports
