// The catalogue rows of the reports that ask for their criteria in a dialog of their own rather
// than in frmRepCriteria: the accounting transaction report (frmDetailTrasactionOptions) and
// the classic interface status report (frmClassicInterfaceStatus). Their
// windows are WindowLayout functions like the generic ones: they prepare the dialog's lists, show
// it, and write the answers the rows' arguments read; a cancel leaves 20545 pending and runs
// nothing.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "catalogue/ReportRow.h"
#include "recordset/Recordset.h"

namespace hlreports {

const std::vector<ReportRow>& OwnWindowReportRows();

// An open recordset of text fields and no rows: the list a dialog shows when its lookup gave
// nothing back.
RecordsetPtr EmptyList(std::initializer_list<const char*> fields);

// The residents and applicants of the property; answers "Option" (Integer), "Lease" (String),
// "Revision" (Integer).
bool ClassicInterfaceStatusWindow(const CriteriaWindow& window, BuilderValues& values);

// The pick lists (residents and applicants, charge types, the property's units, accounts with
// their titles, batches and runs); answers "AcctgMethod", "DateType", "StartDt", "EndDt",
// "UnitStart", "UnitEnd", "UnitStatus", "Residents", "Accounts", "ChargeTypes", "Batches",
// "Runs".
bool TransDetailOptionsWindow(const CriteriaWindow& window, BuilderValues& values);

// The accounts of "sp_TransDetailOptions_Parameters" (rows of Type "Account") as a recordset of
// Value and Title, each titled from the setup service's GL accounts of the GL prefix, or
// "Unknown account" when the service does not list it. An account value with an apostrophe is
// looked up as it is.
RecordsetPtr AccountsWithTitles(Recordset& parameterRows, const std::string& glPrefix);

}  // namespace hlreports
