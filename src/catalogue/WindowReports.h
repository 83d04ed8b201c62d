// The catalogue rows of the standard reports that ask for their criteria in frmRepCriteria, the
// window kinds (WindowLayout functions) those rows name, and what a few of them need beyond a
// row: the month-length helpers of the financial reports, the End of Month builder and the rent
// statement's lookups.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/BuilderContext.h"
#include "catalogue/ReportRow.h"
#include "recordset/Recordset.h"
#include "runtime/Date.h"

namespace hlreports {

const std::vector<ReportRow>& WindowReportRows();

// Window kinds: each shows one generic layout with the row's captions and dates and writes every
// result property into the answers ("StartDate", "EndDate", "Sort", "View", "Check1", "Check2",
// "Combo1", "Combo2", "CheckBox1Frm1".."CheckBox3Frm1"). False on Cancel (20545 left pending).
bool OptsOnly2Window(const CriteriaWindow& window, BuilderValues& values);
bool DateOnlyWindow(const CriteriaWindow& window, BuilderValues& values);
bool StartEndWindow(const CriteriaWindow& window, BuilderValues& values);
bool StartEnd2OptionsWindow(const CriteriaWindow& window, BuilderValues& values);
bool StartEnd3OptionsWindow(const CriteriaWindow& window, BuilderValues& values);
bool StartEndSort2Show3Window(const CriteriaWindow& window, BuilderValues& values);
bool StartEndCkbox3Window(const CriteriaWindow& window, BuilderValues& values);
bool Sort2Show2Window(const CriteriaWindow& window, BuilderValues& values);
// The balance reports read the window's Cancel field as well.
bool Asof3Opts1CkWindow(const CriteriaWindow& window, BuilderValues& values);
bool Asof3Opts2CkWindow(const CriteriaWindow& window, BuilderValues& values);
// The other unit types of the property, listed by the query of that report.
bool OtherUnitTypeWindow(const CriteriaWindow& window, BuilderValues& values);
// The property's posted dates from "sp_GetDistinctPaymentDates"; none raises "There are no
// posted Cash Receipts." instead of showing the window.
bool PostedReceiptsWindow(const CriteriaWindow& window, BuilderValues& values);
// The rent statement: residents, statement, as-of and last statement dates (answers
// "StatementDate", "AsOf", "LastStatementDate", "Resident").
bool RentStatementWindow(const CriteriaWindow& window, BuilderValues& values);

// The day of month of the last day of the date's month.
int16_t DaysInMonth(Date date);
// The days a month counts for rent proration under the property's setting ("Actual Number
// Days", "30 Day Month"); false, days unchanged, for any other setting.
bool ProrationDays(Date startDate, Date endDate, const std::string& option, int16_t& days);
// The End of Month day count: 30, the month's length, or the days since the same date a month
// earlier; 0 for an unknown setting. The end date is already normalised.
int16_t EndOfMonthDays(Date endDate, const std::string& option);

// End of Month: the window only when the criteria value is Null, then the property's proration
// setting, then "sp_EOM". Error 2960 "EndOfMonth".
RecordsetPtr EndOfMonthReport(BuilderContext& context);

// Lookups for the criteria windows (source "basRptRSVarrik.<procedure>"): residents and units
// 3034, residents and applicants 3099, charge types 3024, units of every property 3017.
RecordsetPtr GetResidentsAndUnits(const std::string& property);
RecordsetPtr GetResidentsAndApplicants(const std::string& property);
RecordsetPtr GetChargeTypes(const std::string& property);
RecordsetPtr Units();
// The property's LastStatementDate (today when Null); the zero date when no row matches.
Date GetLastStatementDate(const std::string& property);
// Writes the date when exactly one row of the property exists, through a batch update.
void SetLastStatementDate(const std::string& property, Date date);
// 0 current active residents, 1 terminated, 2 no filter.
void SetResidentFilter(int16_t option, Recordset& residents);

}  // namespace hlreports
