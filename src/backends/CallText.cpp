// Parsing of procedure calls written as text (see CallText.h).
#include "backends/CallText.h"

#include <algorithm>
#include <iterator>

#include "backends/SqlTextCursor.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

// Words that start an SQL statement, of SQLite or of a server database; a text starting with one
// of them is run as SQL, never taken for a procedure of that name.
constexpr std::string_view kStatementKeywords[] = {
    "ALTER",   "ANALYZE",  "ATTACH",   "BEGIN",     "CALL",   "COMMIT",  "CREATE",  "DECLARE",
    "DELETE",  "DESCRIBE", "DETACH",   "DO",        "DROP",   "END",     "EXPLAIN", "GRANT",
    "INSERT",  "KILL",     "LOCK",     "MERGE",     "PRAGMA", "REINDEX", "RELEASE", "RENAME",
    "REPLACE", "REVOKE",   "ROLLBACK", "SAVEPOINT", "SELECT", "SET",     "SHOW",    "SIGNAL",
    "START",   "TRUNCATE", "UNLOCK",   "UPDATE",    "USE",    "VACUUM",  "VALUES",  "WITH",
};

bool IsStatementKeyword(std::string_view word) {
    return std::any_of(std::begin(kStatementKeywords), std::end(kStatementKeywords),
                       [&](std::string_view keyword) { return EqualsIgnoreCase(word, keyword); });
}

}  // namespace

std::optional<CallHead> ParseCallHead(std::string_view text) {
    SqlTextCursor cursor(text);
    bool hasExecute = cursor.AcceptKeyword("EXECUTE") || cursor.AcceptKeyword("EXEC");
    std::optional<std::string> name = cursor.ReadName();
    if (!name) {
        if (hasExecute) {
            cursor.Fail("procedure call", "expected the name of a procedure");
        }
        return std::nullopt;
    }
    if (!hasExecute && IsStatementKeyword(*name)) {
        return std::nullopt;
    }
    return CallHead{*name, cursor.Position()};
}

std::vector<CallArgument> ParseCallArguments(std::string_view text, const CallHead& head) {
    std::string context = "procedure call " + head.procedure;
    SqlTextCursor cursor(text, head.argumentsAt);
    std::vector<CallArgument> arguments;
    auto atEndOfCall = [&] { return cursor.AtEnd() || (cursor.Accept(';') && cursor.AtEnd()); };
    if (atEndOfCall()) {
        return arguments;
    }
    bool named = false;
    while (true) {
        CallArgument argument;
        if (std::optional<std::string> name = cursor.ReadParameterName()) {
            if (!cursor.Accept('=')) {
                cursor.Fail(context, "expected '=' after " + *name);
            }
            argument.name = *name;
            named = true;
        } else if (named) {
            cursor.Fail(context, "a value without a name follows a named argument");
        }
        std::optional<Variant> value = cursor.ReadLiteral(context);
        if (!value) {
            cursor.Fail(context, "expected a value (a quoted text, a number or NULL)");
        }
        argument.value = std::move(*value);
        arguments.push_back(std::move(argument));
        if (cursor.Accept(',')) {
            continue;
        }
        if (atEndOfCall()) {
            return arguments;
        }
        cursor.Fail(context, "expected ',' or the end of the call");
    }
}

}  // namespace hlreports
