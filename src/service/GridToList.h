// GridToList: the selected rows of a multi-selection grid turned into the list text that a
// stored procedure receives in one varchar(8000) argument and splices into its own statement.
//
// Quoted lists read 'a','b': each value between apostrophes, an apostrophe inside a value doubled
// ('O''Brien'), so no value can end its item. Unquoted lists read a,b and accept only values
// without commas and apostrophes or double quotes, since nothing could keep such a value one
// item. The text is what the procedure receives: the call that carries it doubles apostrophes
// once more for its own quoting (the text road), or binds it as it is (the command road), so the
// list is never quoted twice.
//
// Rows are taken in the order they were selected. The list stops before the first item that
// would make it longer than MaxGridListLength characters (the comma before that item not
// counted), so the procedure's argument is never cut inside an item.
//
// Errors: an unquoted value that cannot be an item, and a column the grid does not have, raise 5
// with source "basRptFunctions.GridToList" naming the grid, the column and the value. They raise
// instead of returning an empty list, because an empty list means "all" to the procedures.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace hlreports {

class Control;

inline constexpr std::size_t MaxGridListLength = 8000;

std::string GridToList(const Control& grid, std::string_view column, bool quoted);

}  // namespace hlreports
