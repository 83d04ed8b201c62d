// The backend-neutral half of the read-only road (Connection::OpenReadOnly / CallReadOnly): the
// texts a refused statement gets, and the placeholder grammar of read-only queries, shared so
// every backend refuses and binds the same way.
//
// A query names its values "@Name" (letters, digits, "_", "$", "#"; compared ignoring case).
// Placeholders inside quotes ('..', "..", [..], `..`) and comments (-- and /* */) are text, and
// "@@name" is a server variable, not a placeholder. A "?" marker is refused so that values are
// never matched by position by accident. Text after a ";" other than blanks and comments is a
// second statement and refused.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "backends/Backend.h"

namespace hlreports {

// The descriptions of a refusal; clsRecordset adds its number, source and " SQL:"/" SP:" suffix.
inline constexpr std::string_view kReadOnlyMoreThanOneStatement =
    "the text holds more than one statement; only one statement that reads may run here";
// Followed by what the statement would do, then kReadOnlyOnlyReading.
inline constexpr std::string_view kReadOnlyWouldChange =
    "the statement would change the database (";
inline constexpr std::string_view kReadOnlyOnlyReading = "); only reading is allowed here";
inline constexpr std::string_view kReadOnlyNoRows =
    "the statement returns no rows; only a query that reads may run here";

// RaiseDatabaseError with kReadOnlyWouldChange + what + kReadOnlyOnlyReading.
[[noreturn]] void RaiseWouldChange(std::string_view what);

// A query with every placeholder replaced by "?" (a list by "?, ?, ..." or, when empty, NULL)
// and the values in marker order.
struct PositionalQuery {
    std::string text;
    std::vector<Variant> values;
};

// Fails naming the problem: a placeholder without a value, a value no placeholder uses, a value
// given twice, a "?" marker, a second statement.
PositionalQuery BindPlaceholders(std::string_view sql, const std::vector<BoundValue>& values);

}  // namespace hlreports
