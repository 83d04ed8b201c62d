// The procedures of NoWindowProcedures.h.
#include "catalogue/NoWindowProcedures.h"

namespace hlreports::test {

void AddNoWindowProcedures(const TestDatabase& db) {
    const char* property = "@Property varchar(10)";
    db.AddProcedure("sp_Rep_ApartmentStatus", property, "SELECT @Property AS Property");
    db.AddProcedure(
        "sp_Rep_CashReceiptDetail",
        "@Property varchar(10), @Batch varchar(10), @CashReceiptsSmryHasDetail varchar(3) OUTPUT",
        "SELECT 'Yes' AS \"@CashReceiptsSmryHasDetail\"; SELECT @Batch AS Batch");
    db.AddProcedure("sp_Rep_CashReceipt", "@Property varchar(10), @CRID int",
                    "SELECT @CRID AS CRID");
    db.AddProcedure("sp_Rep_ChargeTypeList", property, "SELECT @Property AS Property");
    db.AddProcedure("sp_Rep_rptDailyActivity",
                    "@Property varchar(10), @RptBeginDate date, @RptEndDate date,"
                    " @Walkins smallint OUTPUT, @PhoneCall smallint OUTPUT,"
                    " @AppsTaken smallint OUTPUT, @Approved smallint OUTPUT,"
                    " @Denied smallint OUTPUT, @Cancelled smallint OUTPUT,"
                    " @OtherTrafic smallint OUTPUT",
                    "SELECT 1 AS \"@Walkins\", 2 AS \"@PhoneCall\", 3 AS \"@AppsTaken\","
                    " 4 AS \"@Approved\", 5 AS \"@Denied\", 6 AS \"@Cancelled\","
                    " 7 AS \"@OtherTrafic\"; SELECT @RptBeginDate AS BeginDate");
    db.AddProcedure("sp_Rep_rptDelinquency",
                    "@Property varchar(10), @AgeBy int, @AsOfDate date, @DelinqOper varchar(2)",
                    "SELECT @AsOfDate AS AsOf, @DelinqOper AS Oper");
    db.AddProcedure("sp_Rep_Demographics",
                    "@Property varchar(10), @TotUnits int OUTPUT, @LeasedOcc int OUTPUT,"
                    " @Occupied int OUTPUT, @PropCity varchar(15) OUTPUT,"
                    " @PropState varchar(4) OUTPUT, @PropAddressee varchar(30) OUTPUT",
                    "SELECT 120 AS \"@TotUnits\", 100 AS \"@LeasedOcc\", 95 AS \"@Occupied\","
                    " 'Springfield' AS \"@PropCity\", 'IL' AS \"@PropState\","
                    " 'Maple Court LLC' AS \"@PropAddressee\"; SELECT @Property AS Property");
    db.AddProcedure("sp_Rep_rptFutureConc", "@Property varchar(10), @AsOfDate date",
                    "SELECT @AsOfDate AS AsOf");
    db.AddProcedure("sp_Rep_WaitList", property, "SELECT @Property AS Property");
    db.AddProcedure("sp_Rep_TranJournal", "@Property varchar(10), @Batch varchar(10)",
                    "SELECT @Batch AS Batch");
    db.AddProcedure("sp_Rep_OccupAvail", "@Property varchar(10), @StartDate date",
                    "SELECT @StartDate AS StartDate");
    db.AddProcedure("sp_Rep_GuestcardSummary", "@GCardID varchar(15)",
                    "SELECT @GCardID AS GCardID");
    db.AddProcedure("sp_Rep_MakeReady", property, "SELECT @Property AS Property");
    db.AddProcedure("sp_Rep_OtherUnit", property, "SELECT @Property AS Property");
    db.AddProcedure("sp_Rep_EditPaymentTranJournal",
                    "@Property varchar(10), @PaymentIDs varchar(6000)",
                    "SELECT @PaymentIDs AS PaymentIDs");
    db.AddProcedure("sp_Rep_ExpInvoice", "@HeaderID float, @Property varchar(10)",
                    "SELECT @HeaderID AS HeaderID");
    db.AddProcedure("sp_Rep_ExpInvoiceRegister", property, "SELECT @Property AS Property");
    db.AddProcedure("sp_Rep_ExpPurchaseOrder", "@HeaderID float, @Property varchar(10)",
                    "SELECT @HeaderID AS HeaderID");
}

}  // namespace hlreports::test
