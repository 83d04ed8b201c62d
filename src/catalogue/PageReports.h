// The catalogue rows of the reports that ask for their criteria on a special page of
// frmRepCriteria (service-call list, transaction ledger, utility statement, rent roll and
// comprehensive delinquency), the window kinds of those pages, and the service-call report,
// which shows its page only when the host names no work order.
#pragma once

#include <vector>

#include "catalogue/BuilderContext.h"
#include "catalogue/ReportRow.h"
#include "recordset/Recordset.h"

namespace hlreports {

const std::vector<ReportRow>& PageReportRows();

// Window kinds of the pages; each writes every result property of the dialog into the answers.
// The ledger window adds the answers its procedure hands back ("StartDate", "EndDate",
// "Status", "Sort", "UnitStart", "UnitEnd", "ResFrom", "ResTo").
bool ServiceCallListWindow(const CriteriaWindow& window, BuilderValues& values);
bool ServiceCallSelectionWindow(const CriteriaWindow& window, BuilderValues& values);
bool LedgerWindow(const CriteriaWindow& window, BuilderValues& values);
bool UtilityStatementWindow(const CriteriaWindow& window, BuilderValues& values);
bool RentRollBalancesWindow(const CriteriaWindow& window, BuilderValues& values);
bool RentRollAllUnitsWindow(const CriteriaWindow& window, BuilderValues& values);
bool CompDelinquencyWindow(const CriteriaWindow& window, BuilderValues& values);

// "rptWO": the selection page when the host gives no criteria value (Null, or none at all);
// otherwise the one work order the criteria value names, without a window. Error 2928 "rptWO".
RecordsetPtr ServiceCallReport(BuilderContext& context);

}  // namespace hlreports
