// The list text of a grid's selected rows; the rules are in GridToList.h.
#include "service/GridToList.h"

#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "ui/Control.h"

namespace hlreports {
namespace {

constexpr int32_t InvalidArgument = 5;
constexpr const char* Source = "basRptFunctions.GridToList";

bool FitsUnquoted(std::string_view value) {
    return value.find_first_of(",'\"") == std::string_view::npos;
}

}  // namespace

std::string GridToList(const Control& grid, std::string_view column, bool quoted) {
    const auto columnIndex = grid.List().ColumnIndex(column);
    if (!columnIndex) {
        throw ComError(InvalidArgument, Source,
                       "grid " + grid.DisplayName() + " has no column " + std::string(column));
    }
    std::string list;
    for (const int row : grid.SelectedRows()) {
        const std::string& value = grid.List().Cell(row, *columnIndex);
        if (!quoted && !FitsUnquoted(value)) {
            throw ComError(InvalidArgument, Source,
                           "grid " + grid.DisplayName() + ", column " + std::string(column) +
                               ": the value \"" + value +
                               "\" holds a comma or a quote, which a list without quotes "
                               "cannot carry");
        }
        const std::string item = quoted ? SqlQuoted(value) : value;
        if (list.size() + item.size() > MaxGridListLength) {
            break;
        }
        list += item;
        list += ',';
    }
    if (!list.empty()) {
        list.pop_back();
    }
    return list;
}

}  // namespace hlreports
