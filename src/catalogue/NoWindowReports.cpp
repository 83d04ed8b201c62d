// The rows are data: keys, procedures, argument types and sizes, formula names, error numbers
// and sources are the stored procedures' and report files' own, spelling included
// ("rptCashRecipt", "ExpInoiceRegister", "@OtherTrafic").
#include "catalogue/NoWindowReports.h"

namespace hlreports {
namespace {

std::vector<ReportRow> BuildRows() {
    std::vector<ReportRow> rows;
    rows.push_back({.key = "rptAptStatus",
                    .error = Raises(2902, "rptAptStatus"),
                    .procedure = "sp_Rep_ApartmentStatus",
                    .parameters = {PropertyParameter()},
                    .formulas = {{"Property", PropertyIdAndName()}}});
    rows.push_back(
        {.key = "rptCashReceiptsSummary",
         .error = Raises(2901, "rptCashReceiptsSummary"),
         .procedure = "sp_Rep_CashReceiptDetail",
         .parameters = {PropertyParameter(), In("@Batch", adVarChar, 10, CriteriaText(0)),
                        Out("@CashReceiptsSmryHasDetail", adVarChar, 3)},
         .formulas = {{"PropertyName", PropertyName()},
                      {"UserName", CriteriaText(1)},
                      {"Batch", CriteriaText(0)},
                      {"CashReceiptsSmryHasDetail", Output("@CashReceiptsSmryHasDetail")}}});
    rows.push_back({.key = "rptCashReceipt",
                    .error = Raises(2903, "rptCashRecipt"),
                    .procedure = "sp_Rep_CashReceipt",
                    .parameters = {PropertyParameter(), In("@CRID", adInteger, 4, CriteriaLong(0))},
                    .formulas = {{"Property", PropertyIdAndName()},
                                 {"UserName", CriteriaText(1)},
                                 {"Batch", CriteriaText(2)}}});
    rows.push_back({.key = "rptChargeTypeList",
                    .error = Raises(2919, "rptChargeTypeList"),
                    .procedure = "sp_Rep_ChargeTypeList",
                    .parameters = {PropertyParameter()},
                    .formulas = {{"Property", PropertyName()}}});
    rows.push_back(
        {.key = "rptDailyActivity",
         .error = Raises(2913, "rptDailyActivity"),
         .procedure = "sp_Rep_rptDailyActivity",
         .parameters = {PropertyParameter(), In("@RptBeginDate", adDBDate, 6, Today()),
                        In("@RptEndDate", adDBDate, 6, Today()), Out("@Walkins", adSmallInt, 4),
                        Out("@PhoneCall", adSmallInt, 4), Out("@AppsTaken", adSmallInt, 4),
                        Out("@Approved", adSmallInt, 4), Out("@Denied", adSmallInt, 4),
                        Out("@Cancelled", adSmallInt, 4), Out("@OtherTrafic", adSmallInt, 4)},
         .formulas = {{"Property", PropertyName()},
                      {"RptBeginDate", Today()},
                      {"RptEndDate", Today()},
                      {"WalkIns", Output("@Walkins")},
                      {"PhoneCall", Output("@PhoneCall")},
                      {"AppsTaken", Output("@AppsTaken")},
                      {"Approved", Output("@Approved")},
                      {"Denied", Output("@Denied")},
                      {"Canceled", Output("@Cancelled")},
                      {"OtherTraffic", Output("@OtherTrafic")}}});
    // The delinquency procedure with an empty operator and no ageing: open credits as of today.
    rows.push_back(
        {.key = "rptOpenCredits",
         .error = Raises(2956, "rptOpenCredits"),
         .procedure = "sp_Rep_rptDelinquency",
         .parameters = {PropertyParameter(), In("@AgeBy", adInteger, 6, Literal(Variant(0))),
                        In("@AsOfDate", adDBDate, 6, Today()),
                        In("@DelinqOper", adVarChar, 2, Literal(Variant("")))},
         .formulas = {{"PropertyName", PropertyName()}}});
    rows.push_back({.key = "rptDemographics",
                    .procedure = "sp_Rep_Demographics",
                    .parameters = {PropertyParameter(), Out("@TotUnits", adInteger, 6),
                                   Out("@LeasedOcc", adInteger, 6), Out("@Occupied", adInteger, 6),
                                   Out("@PropCity", adVarChar, 15), Out("@PropState", adVarChar, 4),
                                   Out("@PropAddressee", adVarChar, 30)},
                    .formulas = {{"PropName", PropertyName()},
                                 {"PropState", Output("@PropState")},
                                 {"PropCity", Output("@PropCity")},
                                 {"PropAddressee", Output("@PropAddressee")},
                                 {"LeasedOcc", Output("@LeasedOcc")},
                                 {"Occupied", Output("@Occupied")},
                                 {"TotUnits", Output("@TotUnits")}}});
    rows.push_back({.key = "rptFutureConc",
                    .error = Raises(2916, "rptFutureConc"),
                    .procedure = "sp_Rep_rptFutureConc",
                    .parameters = {PropertyParameter(), In("@AsOfDate", adDBDate, 6, Today())},
                    .formulas = {{"Property", PropertyName()}}});
    rows.push_back({.key = "rptWaitList",
                    .error = RaisesWithPrefix(2941, "rptWaitlist"),
                    .procedure = "sp_Rep_WaitList",
                    .parameters = {PropertyParameter()},
                    .formulas = {{"Property", PropertyName()}}});
    rows.push_back(
        {.key = "rptTranJournal",
         .error = Raises(2909, "rptTranJournal"),
         .procedure = "sp_Rep_TranJournal",
         .parameters = {PropertyParameter(), In("@Batch", adVarChar, 10, CriteriaValue())},
         .formulas = {{"PropertyID", PropertyId()}, {"PropertyName", PropertyName()}}});
    rows.push_back({.key = "rptOccupAvail",
                    .error = Raises(2906, "rptOccupAvail"),
                    .procedure = "sp_Rep_OccupAvail",
                    .parameters = {PropertyParameter(), In("@StartDate", adDBDate, 6, Today())},
                    .formulas = {{"PropertyID", PropertyId()},
                                 {"PropertyName", PropertyName()},
                                 {"ReportDate", Today()}}});
    rows.push_back({.key = "rptGuestcardSummary",
                    .error = Raises(2934, "rptGuestcardSummary"),
                    .procedure = "sp_Rep_GuestcardSummary",
                    .parameters = {In("@GCardID", adVarChar, 15, CriteriaText(0))},
                    .formulas = {{"PropertyName", PropertyName()}}});
    rows.push_back({.key = "rptMakeReady",
                    .error = Raises(2936, "rptMakeReady"),
                    .procedure = "sp_Rep_MakeReady",
                    .parameters = {PropertyParameter()},
                    .formulas = {{"Property", PropertyName()}}});
    rows.push_back({.key = "rptOtherUnit",
                    .error = RaisesWithPrefix(2937, "rptOtherUnit"),
                    .procedure = "sp_Rep_OtherUnit",
                    .parameters = {PropertyParameter()},
                    .formulas = {{"Property", PropertyName()}}});
    rows.push_back(
        {.key = "EditPaymentTranJournal",
         .error = Raises(2909, "EditPaymentTranJournal"),
         .procedure = "sp_Rep_EditPaymentTranJournal",
         .parameters = {PropertyParameter(), In("@PaymentIDs", adVarChar, 6000, CriteriaValue())},
         .formulas = {{"PropertyID", PropertyId()}, {"PropertyName", PropertyName()}}});
    rows.push_back(
        {.key = "expInvoice",
         .error = Raises(2950, "ExpInvoice"),
         .procedure = "sp_Rep_ExpInvoice",
         .parameters = {In("@HeaderID", adDouble, 6, CriteriaDouble()), PropertyParameter()},
         .formulas = {{"PropertyName", PropertyName()}}});
    // The register prints the property's name as its company name.
    rows.push_back({.key = "expInvoiceRegister",
                    .error = Raises(2951, "ExpInoiceRegister"),
                    .procedure = "sp_Rep_ExpInvoiceRegister",
                    .parameters = {PropertyParameter()},
                    .formulas = {{"CompanyName", PropertyName()}}});
    rows.push_back(
        {.key = "expPurchaseOrder",
         .error = Raises(2954, "ExpPurchaseOrder"),
         .procedure = "sp_Rep_ExpPurchaseOrder",
         .parameters = {In("@HeaderID", adDouble, 6, CriteriaDouble()), PropertyParameter()},
         .formulas = {{"PropertyName", PropertyName()}}});
    return rows;
}

}  // namespace

const std::vector<ReportRow>& NoWindowReportRows() {
    static const std::vector<ReportRow> rows = BuildRows();
    return rows;
}

}  // namespace hlreports
