// The catalogue rows of the reports that ask for their criteria in a dialog of their own rather
// than in frmRepCriteria: the classic interface status report (frmClassicInterfaceStatus). Their
// windows are WindowLayout functions like the generic ones: they prepare the dialog's lists, show
// it, and write the answers the rows' arguments read; a cancel leaves 20545 pending and runs
// nothing.
#pragma once

#include <initializer_list>
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

}  // namespace hlreports
