// Questions about ADO type codes that several folders ask, answered in one place.
#pragma once

#include <cstdint>

#include "recordset/AdoTypes.h"

namespace hlreports {

// DataTypeEnum adVariant: no backend of ours gives a column this type, but a caller's recordset
// may carry one, and its schema is written as the classic writer writes it.
inline constexpr int32_t adVariant = 12;

// Types whose values are numbers: right-aligned and formatted as numbers in reports, and
// written unquoted on the text road (where adBoolean joins them, as -1/0).
constexpr bool IsNumericAdoType(int32_t type) {
    switch (type) {
        case adSmallInt:
        case adInteger:
        case adSingle:
        case adDouble:
        case adCurrency:
        case adDecimal:
        case adTinyInt:
        case adUnsignedTinyInt:
        case adUnsignedSmallInt:
        case adUnsignedInt:
        case adBigInt:
        case adUnsignedBigInt:
        case adNumeric:
        case adVarNumeric:
            return true;
        default:
            return false;
    }
}

}  // namespace hlreports
