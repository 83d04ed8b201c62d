// Stored custom values; see clsCustomRptParams.h. The find criterion doubles the apostrophes
// of the name, so a name like "Owner's Name" is looked up instead of breaking the criterion.
#include "prompts/clsCustomRptParams.h"

#include "data/SPParams.h"
#include "data/clsRecordset.h"
#include "recordset/AdoTypes.h"
#include "runtime/ComError.h"
#include "runtime/Err.h"
#include "runtime/Text.h"
#include "service/SharedObjects.h"

namespace hlreports {

void clsCustomRptParams::Init(const std::string& strProperty) {
    Err().Clear();
    try {
        SPParams params;
        params.Add("@Property", adVarChar, 10, adParamInput, Variant(strProperty));
        RecordsetPtr rows;
        SharedRecordset().RunSpRetRS("sp_rep_CustomReportParams", rows, &params, false);
        rows_ = std::move(rows);
    } catch (const ComError& error) {
        Err().Raise(error.Number(), "clsCustomRptParams.Init", error.Description());
    }
}

std::string clsCustomRptParams::ParamValue(const std::string& strParam) {
    Err().Clear();
    try {
        if (!rows_ || !rows_->IsOpen()) {
            return "";
        }
        rows_->MoveFirst();
        rows_->Find("ParamName = " + SqlQuoted(strParam));
        if (rows_->EOF()) {
            return "";
        }
        return rows_->Value("ParamValue").ToString();
    } catch (const ComError&) {
        // A stored value that cannot be read counts as none: the parameter keeps its value.
        Err().Clear();
        return "";
    }
}

void clsCustomRptParams::SetParams(std::vector<std::shared_ptr<CoreParameter>>& aReportParameters) {
    for (const auto& parameter : aReportParameters) {
        const std::string value = ParamValue(parameter->Name());
        if (!value.empty()) {
            parameter->SetCurrentValue(Variant(value));
        }
    }
}

}  // namespace hlreports
