// Sort keys of a recordset view: "Field [ASC|DESC], [Other Field] DESC".
//
// Strings order ignoring ASCII case, NULLs come first ascending (last descending), and equal keys
// keep their previous order (stable), so a sort never shuffles rows that tie. Sorting orders the
// view's row ids only; the rows themselves never move, which is what keeps bookmarks stable.
// Errors: 3265 for an unknown field, 3001 for a malformed key list.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "recordset/RowStore.h"

namespace hlreports {

struct SortKey {
    int field = 0;
    bool descending = false;
};

std::vector<SortKey> ParseSortKeys(std::string_view text, const RowStore& store,
                                   const char* source);
void SortRows(std::vector<uint32_t>& rows, const RowStore& store, const std::vector<SortKey>& keys);

}  // namespace hlreports
