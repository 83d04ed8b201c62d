// libFuzzer target for the SQL texts of list prompts. The first byte picks a column index, the
// rest is the text. Properties besides "no crash, no leak":
// - the keyword check passes the text or raises 3301, nothing else;
// - the column-name reader answers or raises 40001, nothing else;
// - a user-name list that reads is written as SQL literals, which read back to themselves;
// - the unit list's filter text of the text's lines is one double-quoted literal whose inner
//   double quotes are all doubled, so no id can end it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "prompts/ListColumnName.h"
#include "prompts/ListSql.h"
#include "runtime/ComError.h"

namespace {

using namespace hlreports;

void ExpectOnly(int32_t number, const ComError& error) {
    if (error.Number() != number) {
        std::abort();
    }
}

bool IsOneDoubleQuotedLiteral(const std::string& text) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') {
        return false;
    }
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '"') {
            if (i + 2 >= text.size() || text[i + 1] != '"') {
                return false;
            }
            ++i;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int column = data[0] % 8;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        ValidSelectStatement(text, "Property Selection");
    } catch (const ComError& error) {
        ExpectOnly(ListErrorForbiddenSql, error);
    }
    try {
        GetColumnName(text, column);
    } catch (const ComError& error) {
        ExpectOnly(ColumnNameNotFound, error);
    }
    try {
        const std::string names = UserNameListSql(text);
        if (UserNameListSql(names) != names) {
            std::abort();
        }
    } catch (const ComError& error) {
        ExpectOnly(ListErrorRowsNotOpened, error);
    }
    std::vector<std::string> ids;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at == text.size() || text[at] == '\n') {
            ids.emplace_back(text.substr(start, at - start));
            start = at + 1;
        }
    }
    if (!IsOneDoubleQuotedLiteral(PropertyFilterText(ids))) {
        std::abort();
    }
    return 0;
}
