// clsCustomRptParams: the values stored per property for the parameters of custom reports
// (rows of "sp_rep_CustomReportParams": ParamName, ParamValue), applied without prompting.
//
// Call order: Init with the property, then SetParams with the report's parameter array (or
// ParamValue by name). The object keeps the rows until it goes. A creatable class
// ("HLReports.clsCustomRptParams").
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/CoreReport.h"
#include "recordset/Recordset.h"
#include "runtime/Variant.h"

namespace hlreports {

class clsCustomRptParams : public ComObject {
  public:
    // Runs "sp_rep_CustomReportParams" with "@Property" (text of 10) through the shared wrapper
    // and keeps the rows. A failure re-raises the wrapper's number and description with the
    // source "clsCustomRptParams.Init"; the rows kept before stay.
    void Init(const std::string& strProperty);
    // The stored value of a bare parameter name, or "" when there is none (no rows, no Init, no
    // match, a Null value). The name is quoted with its apostrophes doubled, so "Owner's Name"
    // is found like any other name; every error is trapped and gives "".
    std::string ParamValue(const std::string& strParam);
    // Sets every parameter with a non-empty stored value (SetCurrentValue, as text); the others
    // keep what they had.
    void SetParams(std::vector<std::shared_ptr<CoreParameter>>& aReportParameters);

  private:
    RecordsetPtr rows_;
};

}  // namespace hlreports
