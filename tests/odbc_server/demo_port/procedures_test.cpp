// Ported procedures called directly on both databases: those no answer file reaches, and a
// unit's leases that must stay its property's own.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "data/clsRecordset.h"
#include "odbc_server/demo_port/DemoPortFixture.h"
#include "recordset/AdoTypes.h"
#include "runtime/Date.h"

namespace hlreports {
namespace {

using test::DemoPort;

// A value as text that both databases give alike: numbers by value (a count is an integer on
// one side and a decimal on the other), dates as ISO dates (a computed date is text in SQLite).
std::string Comparable(const Variant& value) {
    switch (value.Kind()) {
        case VariantKind::Null:
            return "NULL";
        case VariantKind::Boolean:
        case VariantKind::Integer:
        case VariantKind::Long:
        case VariantKind::Double:
        case VariantKind::Currency:
        case VariantKind::Decimal: {
            char text[32];
            std::snprintf(text, sizeof text, "%.10g", value.ToDouble());
            return text;
        }
        case VariantKind::Date:
            return value.ToDate().ToIsoDate();
        default:
            return value.DisplayText();
    }
}

// Field names, every row, then every output.
std::string Rendered(const RecordsetPtr& rows, const SPParams& params) {
    std::string text;
    for (int i = 0; i < rows->FieldCount(); ++i) {
        text += rows->Field(i).name + " ";
    }
    for (rows->MoveFirst(); !rows->EOF(); rows->MoveNext()) {
        text += "\n";
        for (int i = 0; i < rows->FieldCount(); ++i) {
            text += Comparable(rows->Value(i)) + "|";
        }
    }
    for (const SPParam& param : params) {
        if (param.Direction() != adParamInput) {
            text += "\n" + param.name() + "=" + Comparable(param.Value());
        }
    }
    return text;
}

// The ported procedures that no answer file reaches (reports without a criteria dialog, the
// journals and the lookups) give the same rows and outputs on both databases.
TEST_F(DemoPort, ProceduresWithoutAnAnswerFileGiveTheSameRows) {
    const std::string embedded = FreshEmbeddedDemo("procedures");

    const Variant property("OAK");
    const Variant asOf(Date::FromYmd(2026, 12, 6));
    struct Case {
        const char* procedure;
        std::function<void(SPParams&)> parameters;
        std::size_t minimumRows;
    };
    const std::vector<Case> cases = {
        {"sp_Rep_ApartmentStatus",
         [&](SPParams& p) { p.Add("@Property", adVarChar, 10, adParamInput, property); }, 60},
        {"sp_Rep_WaitList",
         [&](SPParams& p) { p.Add("@Property", adVarChar, 10, adParamInput, property); }, 4},
        {"sp_Rep_MakeReady",
         [&](SPParams& p) { p.Add("@Property", adVarChar, 10, adParamInput, property); }, 1},
        {"sp_Rep_OtherUnit",
         [&](SPParams& p) { p.Add("@Property", adVarChar, 10, adParamInput, property); }, 20},
        {"sp_Rep_Demographics",
         [&](SPParams& p) {
             p.Add("@Property", adVarChar, 10, adParamInput, property);
             p.Add("@TotUnits", adInteger, 6, adParamOutput, Variant::Missing());
             p.Add("@LeasedOcc", adInteger, 6, adParamOutput, Variant::Missing());
             p.Add("@Occupied", adInteger, 6, adParamOutput, Variant::Missing());
             p.Add("@PropCity", adVarChar, 15, adParamOutput, Variant::Missing());
             p.Add("@PropState", adVarChar, 4, adParamOutput, Variant::Missing());
             p.Add("@PropAddressee", adVarChar, 30, adParamOutput, Variant::Missing());
         },
         6},
        {"sp_Rep_OccupAvail",
         [&](SPParams& p) {
             p.Add("@Property", adVarChar, 10, adParamInput, property);
             p.Add("@StartDate", adDBDate, 6, adParamInput, asOf);
         },
         60},
        {"sp_Rep_GuestcardSummary",
         [&](SPParams& p) { p.Add("@GCardID", adVarChar, 15, adParamInput, Variant("GCO00004")); },
         3},
        {"sp_stp_Units", [](SPParams&) {}, 150},
        {"sp_stp_Properties", [](SPParams&) {}, 3},
        {"sp_ResidentsAndUnits",
         [&](SPParams& p) { p.Add("@Property", adVarChar, 10, adParamInput, property); }, 1},
        {"sp_ResidentsAndApplicants",
         [&](SPParams& p) { p.Add("@Property", adVarChar, 10, adParamInput, property); }, 1},
        {"sp_DistinctUnitListParameter",
         [](SPParams& p) {
             p.Add("@PropertyString", adVarChar, 8000, adParamInput, Variant("'PINE','O''X'"));
         },
         50},
        // Receipts, journals, payables and the applicant ledger (same-day lines in ledger order).
        {"sp_Rep_ChargeTypeList",
         [&](SPParams& p) { p.Add("@Property", adVarChar, 10, adParamInput, property); }, 15},
        {"sp_Rep_CashReceipt",
         [&](SPParams& p) {
             p.Add("@Property", adVarChar, 10, adParamInput, property);
             p.Add("@CRID", adInteger, 4, adParamInput, Variant(106));
         },
         1},
        {"sp_Rep_CashReceiptDetail",
         [&](SPParams& p) {
             p.Add("@Property", adVarChar, 10, adParamInput, property);
             p.Add("@Batch", adVarChar, 10, adParamInput, Variant("O250109C"));
             p.Add("@CashReceiptsSmryHasDetail", adVarChar, 3, adParamOutput, Variant::Missing());
         },
         3},
        {"sp_Rep_TranJournal",
         [&](SPParams& p) {
             p.Add("@Property", adVarChar, 10, adParamInput, property);
             p.Add("@Batch", adVarChar, 10, adParamInput, Variant("O250101R"));
         },
         56},
        {"sp_Rep_EditPaymentTranJournal",
         [&](SPParams& p) {
             p.Add("@Property", adVarChar, 10, adParamInput, property);
             p.Add("@PaymentIDs", adVarChar, 6000, adParamInput, Variant("5, 106 ,7"));
         },
         3},
        {"sp_Rep_rptDailyActivity",
         [&](SPParams& p) {
             p.Add("@Property", adVarChar, 10, adParamInput, property);
             p.Add("@RptBeginDate", adDBDate, 6, adParamInput, Variant(Date::FromYmd(2026, 11, 1)));
             p.Add("@RptEndDate", adDBDate, 6, adParamInput, Variant(Date::FromYmd(2026, 11, 30)));
             for (const char* name : {"@Walkins", "@PhoneCall", "@AppsTaken", "@Approved",
                                      "@Denied", "@Cancelled", "@OtherTrafic"}) {
                 p.Add(name, adSmallInt, 2, adParamOutput, Variant::Missing());
             }
         },
         36},
        {"sp_Rep_rptFutureConc",
         [&](SPParams& p) {
             p.Add("@Property", adVarChar, 10, adParamInput, property);
             p.Add("@AsOfDate", adDBDate, 6, adParamInput, asOf);
         },
         3},
        {"sp_Rep_ExpInvoice",
         [&](SPParams& p) {
             p.Add("@HeaderID", adDouble, 8, adParamInput, Variant(700.0));
             p.Add("@Property", adVarChar, 10, adParamInput, property);
         },
         2},
        {"sp_Rep_ExpInvoiceRegister",
         [&](SPParams& p) { p.Add("@Property", adVarChar, 10, adParamInput, property); }, 15},
        {"sp_Rep_ExpPurchaseOrder",
         [&](SPParams& p) {
             p.Add("@HeaderID", adDouble, 8, adParamInput, Variant(300.0));
             p.Add("@Property", adVarChar, 10, adParamInput, property);
         },
         1},
        {"sp_Rep_PostRefundsJournal",
         [](SPParams& p) {
             p.Add("@Batches", adVarChar, 6000, adParamInput,
                   Variant("O250315F, P250405F,C260827F"));
         },
         3},
        {"sp_Rep_ImportPaymentsJournal",
         [](SPParams& p) {
             p.Add("@FirstBatch", adVarChar, 10, adParamInput, Variant("C250103I"));
             p.Add("@LastBatch", adVarChar, 10, adParamInput, Variant("C250304I"));
         },
         31},
        {"sp_Rep_ApplicantLedger",
         [](SPParams& p) { p.Add("@GCardID", adVarChar, 15, adParamInput, Variant("GCO00157")); },
         75},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.procedure);
        std::string results[2];
        const std::string connections[2] = {embedded, connection};
        for (int i = 0; i < 2; ++i) {
            clsRecordset rs;
            rs.SetConnectionString(connections[i]);
            SPParams params;
            c.parameters(params);
            RecordsetPtr rows;
            rs.RunSPRetRSOutParams(c.procedure, &params, rows, false);
            ASSERT_TRUE(rows);
            EXPECT_GE(rows->RecordCount(), static_cast<int64_t>(c.minimumRows));
            results[i] = Rendered(rows, params);
        }
        EXPECT_EQ(results[1], results[0]);
    }
}

// A unit's earlier leases are its property's own: a unit of the same name in another property,
// with a later move-out, changes none of the dates either database gives for OAK's unit 108
// (vacant since its lease ended on 19 November). The rows are added in a transaction that is
// rolled back, so the demo stays as loaded.
TEST_F(DemoPort, AUnitsLeasesAreItsPropertysOwn) {
    struct Case {
        const char* call;
        const char* field;
    };
    const std::vector<Case> cases = {
        {"sp_Rep_ApartmentStatus @Property='OAK'", "Vacant_Since"},
        {"sp_Rep_MakeReady @Property='OAK'", "Vacate_Date"},
        {"sp_Rep_DaysVacant @Property='OAK',@StartDate='2026-11-01',@EndDate='2026-11-30',"
         "@Occ_Proration_Opt=NULL",
         "Last_Move_Out"},
    };
    for (const std::string& database : {FreshEmbeddedDemo("leases"), connection}) {
        SCOPED_TRACE(database);
        clsRecordset rs;
        rs.SetConnectionString(database);
        rs.BeginTX();
        // The server's loaded tables carry no column defaults, so every NOT NULL column is
        // given.
        rs.ExecuteRS(
            "INSERT INTO tblProp_Unit (Property, Unit, SortOrder, Unit_Class, Down_Unit, "
            "Model_Unit, Ready_Status) VALUES ('CEDAR', '108', 999, '1BR1BA', 0, 0, 'Ready')");
        rs.ExecuteRS(
            "INSERT INTO tblLease (Lease, Revision_Num, Property, Primary_Resident, "
            "Lease_Status, "
            "MTM, Rent, Deposit_Amount, Occupants, Move_In, Move_Out) VALUES ('XCEDAR108', 1, "
            "'CEDAR', 'R10550', 'Past', 0, 900, 0, 1, '2026-01-01', '2026-11-25')");
        rs.ExecuteRS(
            "INSERT INTO tblProp_Unit_Lease (Property, Unit, Lease, Revision_Num) "
            "VALUES ('CEDAR', '108', 'XCEDAR108', 1)");
        for (const Case& c : cases) {
            SCOPED_TRACE(c.call);
            RecordsetPtr rows;
            rs.RunSpRetRS(c.call, rows, nullptr, false);
            rows->Find("Unit = '108'");
            ASSERT_FALSE(rows->EOF());
            EXPECT_EQ(rows->Value(c.field).ToDate().ToIsoDate(), "2026-11-19");
        }
        rs.RollbackTX();
        EXPECT_FALSE(rs.IsConnectionOpen());
    }
}

}  // namespace
}  // namespace hlreports
