// libFuzzer target for the recordset's criteria texts: the input is used as a Filter, then as a
// Find criterion, on a recordset of text, number, money, date and Null values. Each is accepted
// or refused with ComError 3001 (3265 naming an unknown field); a filter never shows more rows than
// there are.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "recordset/AdoTypes.h"
#include "recordset/Recordset.h"
#include "runtime/ComError.h"

namespace {

using namespace hlreports;

FieldInfo Field(const char* name, int32_t type) {
    FieldInfo field;
    field.name = name;
    field.type = type;
    field.definedSize = type == adVarChar ? 20 : 0;
    field.attributes = adFldMayBeNull | adFldIsNullable;
    return field;
}

RecordsetPtr Sample() {
    auto recordset = std::make_shared<Recordset>();
    for (const FieldInfo& field :
         {Field("Name", adVarChar), Field("Units", adInteger), Field("Rent", adCurrency),
          Field("Moved", adDBDate), Field("Rate", adDouble)}) {
        recordset->AppendField(field);
    }
    recordset->Open(adLockBatchOptimistic);
    recordset->AppendRow({Variant("O'Brien"), Variant(3), Variant::Currency(12500000),
                          Variant(Date::FromYmd(2024, 1, 31)), Variant(0.5)});
    recordset->AppendRow({Variant("Ann*Lee"), Variant(-1), Variant::Currency(0),
                          Variant(Date::FromYmd(1899, 12, 30)), Variant(-1e300)});
    recordset->AppendRow(
        {Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null()});
    recordset->FinishLoading();
    return recordset;
}

// 3001 for a criterion that is wrong, 3265 for a field the recordset does not have.
bool IsCriteriaError(const ComError& error) {
    return error.Number() == 3001 || error.Number() == ErrorNumber::ItemNotFound;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    RecordsetPtr recordset = Sample();
    try {
        recordset->SetFilter(text);
        if (recordset->RecordCount() > 3) {
            std::abort();
        }
    } catch (const ComError& error) {
        if (!IsCriteriaError(error)) {
            std::abort();
        }
    }
    RecordsetPtr unfiltered = Sample();
    try {
        unfiltered->Find(text);
        unfiltered->Find(text, 1, adSearchBackward);
    } catch (const ComError& error) {
        if (!IsCriteriaError(error) && error.Number() != ErrorNumber::NoCurrentRecord) {
            std::abort();
        }
    }
    return 0;
}
