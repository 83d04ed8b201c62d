// GetColumnName; see ListColumnName.h. Positions are 0-based byte offsets into the upper-cased
// text; every step that finds nothing fails with the one error.
#include "prompts/ListColumnName.h"

#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

[[noreturn]] void Fail(const std::string& text) {
    throw ComError(ColumnNameNotFound, "HLReports.frmDatabaseList.GetColumnName",
                   "Cannot find column name in '" + text + "'");
}

// "A = CASE ... END" columns hold commas of their own: cut each out, from the blank before
// "= CASE" up to the blank after "END".
std::string WithoutCaseColumns(std::string text, const std::string& original) {
    for (std::size_t caseAt = text.find(" = CASE "); caseAt != std::string::npos;
         caseAt = text.find(" = CASE ")) {
        const std::size_t endAt = text.find(" END ");
        if (endAt == std::string::npos || endAt < caseAt) {
            Fail(original);
        }
        text = Trim(text.substr(0, caseAt) + text.substr(endAt + 4));
    }
    return text;
}

std::size_t StartOfColumn(const std::string& text, int columnIndex, const std::string& original) {
    if (columnIndex > 0) {
        std::size_t position = std::string::npos;
        std::size_t from = 0;
        for (int i = 0; i < columnIndex; ++i) {
            position = text.find(',', from);
            if (position == std::string::npos) {
                Fail(original);
            }
            from = position + 1;
        }
        return position + 1;
    }
    std::size_t anchor = text.find(',');
    if (anchor == std::string::npos) {
        anchor = text.find("FROM");
        if (anchor == std::string::npos) {
            Fail(original);
        }
    }
    // The blanks just before the anchor belong to it; the column starts after the blank before.
    while (anchor > 0 && text[anchor - 1] == ' ') {
        --anchor;
    }
    const std::size_t blank = anchor == 0 ? std::string::npos : text.rfind(' ', anchor - 1);
    if (blank == std::string::npos) {
        Fail(original);
    }
    return blank + 1;
}

std::size_t EndOfColumn(const std::string& text, std::size_t start) {
    const std::size_t comma = text.find(',', start + 1);
    const std::size_t alias = text.find(" AS", start + 1);
    if (comma != std::string::npos && (alias == std::string::npos || comma < alias)) {
        return comma;
    }
    if (alias != std::string::npos) {
        return alias;
    }
    return text.find(' ', start + 1);
}

}  // namespace

std::string GetColumnName(std::string_view sql, int columnIndex) {
    const std::string original = ToUpperAscii(ReplaceAll(sql, ", ", ","));
    const std::string text = WithoutCaseColumns(original, original);
    const std::size_t start = StartOfColumn(text, columnIndex, original);
    if (start >= text.size() || text[start] == '*') {
        Fail(original);
    }
    const std::size_t end = EndOfColumn(text, start);
    if (end == std::string::npos || end <= start) {
        Fail(original);
    }
    return Trim(text.substr(start, end - start));
}

}  // namespace hlreports
