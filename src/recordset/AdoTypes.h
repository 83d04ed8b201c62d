// The ADO codes that stored files, parameter lists and the report engine share.
#pragma once

#include <cstdint>

namespace hlreports {

// DataTypeEnum
enum AdoType : int32_t {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adBoolean = 11,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adUnsignedSmallInt = 18,
    adUnsignedInt = 19,
    adBigInt = 20,
    adUnsignedBigInt = 21,
    adFileTime = 64,
    adGUID = 72,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adVarNumeric = 139,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205,
};

// ParameterDirectionEnum
enum AdoDirection : int32_t {
    adParamInput = 1,
    adParamOutput = 2,
    adParamInputOutput = 3,
    adParamReturnValue = 4
};

// FieldAttributeEnum bits carried through XML persistence.
enum AdoFieldAttribute : uint32_t {
    adFldMayDefer = 0x2,
    adFldUpdatable = 0x4,
    adFldUnknownUpdatable = 0x8,
    adFldFixed = 0x10,
    adFldIsNullable = 0x20,
    adFldMayBeNull = 0x40,
    adFldLong = 0x80,
    adFldRowID = 0x100,
    adFldRowVersion = 0x200,
    adFldCacheDeferred = 0x1000,
    adFldKeyColumn = 0x8000,
};

enum AdoLockType : int32_t {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4
};
enum AdoSearchDirection : int32_t { adSearchForward = 1, adSearchBackward = -1 };
enum AdoObjectState : int32_t { adStateClosed = 0, adStateOpen = 1 };
enum AdoRecordStatus : int32_t {
    adRecNew = 0x1,
    adRecModified = 0x2,
    adRecDeleted = 0x4,
    adRecUnmodified = 0x8
};
enum AdoPosition : int32_t { adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3 };

}  // namespace hlreports
