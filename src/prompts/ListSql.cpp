// List SQL; see ListSql.h.
#include "prompts/ListSql.h"

#include <array>
#include <cctype>

#include "prompts/ParameterTokens.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

constexpr std::array<std::string_view, 12> ForbiddenKeywords = {
    "DROP",  "GRANT",  "INSERT",   "CREATE", "DELETE", "UPDATE",
    "ALTER", "REVOKE", "ROLLBACK", "COMMIT", "EXEC",   "EXECUTE"};
// Passes 2 and 3 leave out EXEC and EXECUTE: a procedure call is refused only at the start.
constexpr std::size_t KeywordsInsideText = 10;

bool IsWhitespace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Every whitespace character as a blank, so that a tab or a line break separates words exactly
// as a blank does.
std::string BlankedWhitespace(std::string_view sql) {
    std::string text(sql);
    for (char& c : text) {
        if (IsWhitespace(c)) {
            c = ' ';
        }
    }
    return text;
}

[[noreturn]] void RefuseKeyword(std::string_view entry, std::string_view listName) {
    throw ComError(ListErrorForbiddenSql, "ValidSelectStatement",
                   std::string(entry) + " is not allowed in formula " + std::string(listName));
}

[[noreturn]] void RefuseUserName(std::string_view userName, std::string_view problem) {
    throw ComError(ListErrorRowsNotOpened, "clsList.GetRS",
                   "The user name \"" + std::string(userName) +
                       "\" is not a list of user names: " + std::string(problem));
}

}  // namespace

bool ValidSelectStatement(std::string_view sql, std::string_view listName) {
    for (std::string_view keyword : ForbiddenKeywords) {
        if (EqualsIgnoreCase(sql.substr(0, keyword.size()), keyword)) {
            RefuseKeyword(keyword, listName);
        }
    }
    const std::string text = BlankedWhitespace(sql);
    for (std::size_t i = 0; i < KeywordsInsideText; ++i) {
        const std::string entry = " " + std::string(ForbiddenKeywords[i]) + " ";
        if (ContainsIgnoreCase(text, entry)) {
            RefuseKeyword(entry, listName);
        }
    }
    for (std::size_t i = 0; i < KeywordsInsideText; ++i) {
        const std::string entry = ")" + std::string(ForbiddenKeywords[i]) + " ";
        if (ContainsIgnoreCase(text, entry)) {
            RefuseKeyword(entry, listName);
        }
    }
    return true;
}

std::string UserNameListSql(std::string_view userName) {
    std::vector<std::string> names;
    std::size_t position = 0;
    const auto skipBlanks = [&] {
        while (position < userName.size() && IsWhitespace(userName[position])) {
            ++position;
        }
    };
    while (true) {
        skipBlanks();
        std::string name;
        if (position < userName.size() && userName[position] == '\'') {
            ++position;
            bool closed = false;
            while (position < userName.size()) {
                const char c = userName[position++];
                if (c != '\'') {
                    name += c;
                } else if (position < userName.size() && userName[position] == '\'') {
                    name += '\'';
                    ++position;
                } else {
                    closed = true;
                    break;
                }
            }
            if (!closed) {
                RefuseUserName(userName, "a quote is not closed");
            }
            skipBlanks();
            if (position < userName.size() && userName[position] != ',') {
                RefuseUserName(userName, "text follows a quoted name");
            }
        } else {
            const std::size_t comma = userName.find(',', position);
            const std::size_t end = comma == std::string_view::npos ? userName.size() : comma;
            name = Trim(userName.substr(position, end - position));
            position = end;
        }
        if (name.empty()) {
            RefuseUserName(userName, "a name is empty");
        }
        names.push_back(SqlQuoted(name));
        if (position >= userName.size()) {
            break;
        }
        ++position;  // the comma
    }
    return Join(names, ",");
}

std::string PropertySecurityCommand(std::string_view listCommand, std::string_view userName) {
    const std::string inner = ReplaceAll(listCommand, "Property, Property", "Property");
    return "SELECT DISTINCT Property, Property, Name FROM (" + inner +
           ") v, tblSecurity sec WHERE Property = Item AND Username IN (" +
           UserNameListSql(userName) + ") AND Type = 'Property'";
}

std::string basListCommand(std::string_view fullName, const CoreReport& report) {
    const std::string listName = basListName(fullName);
    const auto formula = report.FormulaField(listName);
    if (!formula) {
        throw ComError(ErrorNumber::ObjectRequired, "basUtils.basListCommand",
                       "Report " + report.Name() + " has no formula named \"" + listName +
                           "\" holding the list SQL of parameter " + std::string(fullName));
    }
    const std::string& text = formula->Text();
    if (text.size() < 2) {
        return "";
    }
    return text.substr(1, text.size() - 2);
}

std::string basDistinctUnitListCommand(std::string_view propertyFilter) {
    if (propertyFilter.size() <= 2) {
        return "";
    }
    return "EXECUTE sp_DistinctUnitListParameter @PropertyString = " + std::string(propertyFilter);
}

std::string PropertyFilterText(const std::vector<std::string>& propertyIds) {
    std::vector<std::string> literals;
    literals.reserve(propertyIds.size());
    for (const std::string& id : propertyIds) {
        literals.push_back(SqlQuoted(id));
    }
    return "\"" + ReplaceAll(Join(literals, ","), "\"", "\"\"") + "\"";
}

}  // namespace hlreports
