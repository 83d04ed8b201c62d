// Placeholders and refusals of the read-only road (see ReadOnlyRoad.h).
#include "backends/ReadOnlyRoad.h"

#include <cctype>

#include "backends/DatabaseError.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '$' || c == '#';
}

// Index just past a quoted run starting at `start` (the quote doubles inside); the end of the
// text when it never closes, which the database then reports.
std::size_t SkipQuoted(std::string_view sql, std::size_t start, char close) {
    std::size_t at = start + 1;
    while (at < sql.size()) {
        if (sql[at] == close) {
            if (close != ']' && at + 1 < sql.size() && sql[at + 1] == close) {
                at += 2;
                continue;
            }
            return at + 1;
        }
        ++at;
    }
    return at;
}

// Index just past a comment starting at `start`, or `start` when none starts there.
std::size_t SkipComment(std::string_view sql, std::size_t start) {
    if (sql.substr(start, 2) == "--") {
        std::size_t end = sql.find('\n', start);
        return end == std::string_view::npos ? sql.size() : end + 1;
    }
    if (sql.substr(start, 2) == "/*") {
        std::size_t end = sql.find("*/", start + 2);
        return end == std::string_view::npos ? sql.size() : end + 2;
    }
    return start;
}

// True when only blanks and comments follow `start`.
bool OnlyBlanksFrom(std::string_view sql, std::size_t start) {
    std::size_t at = start;
    while (at < sql.size()) {
        std::size_t past = SkipComment(sql, at);
        if (past != at) {
            at = past;
        } else if (std::isspace(static_cast<unsigned char>(sql[at])) != 0 || sql[at] == ';') {
            ++at;
        } else {
            return false;
        }
    }
    return true;
}

const BoundValue* FindValue(const std::vector<BoundValue>& values, std::string_view name) {
    for (const BoundValue& value : values) {
        if (EqualsIgnoreCase(value.name, name)) {
            return &value;
        }
    }
    return nullptr;
}

void CheckValueNames(const std::vector<BoundValue>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (EqualsIgnoreCase(values[i].name, values[j].name)) {
                RaiseDatabaseError("the value for " + values[i].name + " is given more than once");
            }
        }
    }
}

}  // namespace

void RaiseWouldChange(std::string_view what) {
    RaiseDatabaseError(std::string(kReadOnlyWouldChange) + std::string(what) +
                       std::string(kReadOnlyOnlyReading));
}

PositionalQuery BindPlaceholders(std::string_view sql, const std::vector<BoundValue>& values) {
    CheckValueNames(values);
    PositionalQuery query;
    std::vector<bool> used(values.size(), false);
    std::size_t at = 0;
    std::size_t copied = 0;
    auto copyUpTo = [&](std::size_t end) {
        query.text.append(sql.substr(copied, end - copied));
        copied = end;
    };
    while (at < sql.size()) {
        char c = sql[at];
        std::size_t past = SkipComment(sql, at);
        if (past != at) {
            at = past;
        } else if (c == '\'' || c == '"' || c == '`') {
            at = SkipQuoted(sql, at, c);
        } else if (c == '[') {
            at = SkipQuoted(sql, at, ']');
        } else if (c == ';') {
            if (!OnlyBlanksFrom(sql, at + 1)) {
                RaiseDatabaseError(std::string(kReadOnlyMoreThanOneStatement));
            }
            ++at;
        } else if (c == '?') {
            RaiseDatabaseError("the query marks a value with ?; write each placeholder as @Name");
        } else if (c == '@' && at + 1 < sql.size() && sql[at + 1] == '@') {
            at += 2;
            while (at < sql.size() && IsNameChar(sql[at])) {
                ++at;
            }
        } else if (c == '@' && at + 1 < sql.size() && IsNameChar(sql[at + 1])) {
            std::size_t end = at + 1;
            while (end < sql.size() && IsNameChar(sql[end])) {
                ++end;
            }
            std::string_view name = sql.substr(at, end - at);
            const BoundValue* value = FindValue(values, name);
            if (value == nullptr) {
                RaiseDatabaseError("the query uses " + std::string(name) + ", which has no value");
            }
            used[static_cast<std::size_t>(value - values.data())] = true;
            copyUpTo(at);
            if (!value->isList) {
                query.text += "?";
                query.values.push_back(value->value);
            } else if (value->items.empty()) {
                query.text += "NULL";
            } else {
                for (std::size_t i = 0; i < value->items.size(); ++i) {
                    query.text += i == 0 ? "?" : ", ?";
                    query.values.push_back(value->items[i]);
                }
            }
            copied = end;
            at = end;
        } else {
            ++at;
        }
    }
    copyUpTo(sql.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!used[i]) {
            RaiseDatabaseError("the value for " + values[i].name +
                               " matches no placeholder of the query");
        }
    }
    return query;
}

}  // namespace hlreports
