// FieldInfo: what a recordset knows of one column, and the row identity that bookmarks carry.
// Kept apart from Recordset.h so that the row store, filter and sort below it need not see the
// Recordset class.
#pragma once

#include <cstdint>
#include <string>

#include "recordset/AdoTypes.h"

namespace hlreports {

struct FieldInfo {
    std::string name;
    int32_t type = adVarChar;                                // AdoType code
    int32_t definedSize = 0;                                 // characters or bytes, as dt:maxLength
    uint32_t attributes = adFldMayBeNull | adFldIsNullable;  // AdoFieldAttribute bits
    int precision = 0;
    int scale = 0;
    // Base column identity when the source reports it (needed to write edits back).
    std::string baseTable;
    std::string baseColumn;
    bool isKeyColumn = false;
    // Database and owner of the base column, carried through XML persistence.
    std::string baseCatalog;
    std::string baseSchema;
};

using Bookmark = int64_t;  // stable row identity

}  // namespace hlreports
