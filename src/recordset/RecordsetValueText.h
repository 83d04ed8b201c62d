// The text forms of field values and types in rowset XML, in one place for the writer and the
// reader: dt:type/rs:dbtype names, value text per type (integers, %.17G doubles, currency with
// at most four decimals, numeric with exactly `scale` decimals and no leading zero, ISO dates,
// booleans True/False, braced GUIDs, lowercase hex) and attribute escaping.
//
// Everything here is hand-rolled on std::to_chars/from_chars and plain digit arithmetic because
// saving and loading 100,000-row recordsets must stay in the 100-200 MB/s range; none of it
// allocates except when appending to the caller's string.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "recordset/RowStore.h"

namespace hlreports {

// --- Calendar (proleptic Gregorian, day 0 = 30 Dec 1899, classic negative-day convention) ---
int64_t DaysFromCivil(int year, int month, int day);
struct CivilDate {
    int year;
    int month;
    int day;
};
CivilDate CivilFromDays(int64_t days);
// Day and millisecond of day, rounded to the millisecond (or to the second when asked); a
// rounding that reaches midnight moves to the next calendar day.
struct DayAndMillisecond {
    int64_t day;
    int64_t millisecond;
};
DayAndMillisecond SplitDayNumber(double dayNumber, bool wholeSeconds);
double ComposeDayNumber(int64_t day, double secondOfDay);

// --- Types ---
struct XmlTypeText {
    const char* type;    // dt:type
    const char* dbType;  // rs:dbtype, or nullptr
    int32_t fixedSize;   // dt:maxLength of fixed-width types, 0 for the others
};
XmlTypeText XmlTypeOf(int32_t adoType);
// The field type for a dt:type/rs:dbtype pair (aliases i4 and r8 accepted); unknown names read
// as long Unicode strings, as the classic reader does. `number` without rs:dbtype reads as
// adVarNumeric.
int32_t AdoTypeFromXml(std::string_view type, std::string_view dbType, bool isFixed, bool isLong);
bool IsFixedWidthType(int32_t adoType);
bool IsLongType(int32_t adoType);
bool HasScale(int32_t adoType);  // numeric, decimal and timestamp types write rs:scale

// --- Values (non-text kinds; text kinds are written through AppendEscaped) ---
void AppendValueText(std::string& out, const FieldInfo& field, CellKind kind, uint64_t bits);
// Reads one value; false when the text is not a valid value of the type (or out of its range).
bool ParseValueText(const FieldInfo& field, CellKind kind, std::string_view text, uint64_t& bits);
// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX} in upper case, from braced or bare text.
std::optional<std::string> NormalizeGuid(std::string_view text);
// Lowercase hex without whitespace; nothing when a non-hex character or an odd count remains.
std::optional<std::string> NormalizeHex(std::string_view text);
// The range of an integer type, as int64 (adUnsignedBigInt reports int64's own bounds).
struct IntegerRange {
    int64_t low;
    int64_t high;
};
IntegerRange IntegerRangeOf(int32_t adoType);
bool ParseDecimalInteger(std::string_view text, bool isUnsigned, uint64_t& bits);

// --- Escaping ---
enum class EscapeResultKind { Ok, ControlCharacter, InvalidUtf8 };
struct EscapeResult {
    EscapeResultKind kind = EscapeResultKind::Ok;
    unsigned char byte = 0;  // the offending byte
};
// Appends an attribute value: ' " & < > as lowercase hex references, TAB CR LF as &#x9; &#xd;
// &#xa; so that they survive attribute normalisation. Refuses (and appends a partial text that
// the caller discards) other C0 control characters, which XML 1.0 cannot carry even as
// references, and bytes that are not UTF-8.
EscapeResult AppendEscaped(std::string& out, std::string_view text);

}  // namespace hlreports
