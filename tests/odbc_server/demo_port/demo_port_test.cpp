// The demo on MariaDB: the answer files of the ported reports give the same run on the server as
// on the embedded database: the same calls with the same arguments, message lines, parameter and
// formula values and row counts (the demo summary, which must also equal the stored one in
// demo/answers/summaries/), and the same rows in every table and sub-report, field by field.
// The ctest fixture odbc_demo_load loads the port (scripts/mariadb-demo-load.sh) into
// hlreports_demo once per run, with HL_DEMO_SERVER_FOLDER/data as its data folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "data/clsRecordset.h"
#include "demo/DemoRun.h"
#include "hlreports/DemoDatabase.h"
#include "recordset/AdoTypes.h"
#include "runtime/ComError.h"
#include "runtime/Date.h"
#include "runtime/Session.h"

namespace hlreports {
namespace {

namespace fs = std::filesystem;

struct PortedReport {
    const char* key;  // the answer file and summary name
    const char* description;
    // Puts back what the report writes, on both databases, so that the reports and tests after
    // it (and the next run of the embedded side) see the demo as loaded.
    const char* undo = nullptr;
};

// Outputs (sp_GetSetupInfo, sp_GetPropertyInfo, sp_EOM), dates, money, NULLs, the report
// library lookup, a procedure with a second result set (sp_Rep_DepositLog), text and command
// roads, sub-reports fed by a second procedure (Weekly Box Score).
const PortedReport kPorted[] = {
    {"UnitListing", "Unit Listing"},
    {"rptTenantList", "Resident List"},
    {"rptResidentBDay", "Resident Birthdays"},
    {"rptCashReceiptsPosted", "Posted Cash Receipts"},
    {"rptDepositLog", "Deposit Log"},
    {"rptNSF", "Returned Items"},
    {"rptLeaseExpiration", "Lease Expiration"},
    {"rptLeaseExpByMonth", "Lease Expiration By Month"},
    {"rptTraffic", "Market Sources"},
    {"rptTrafficSum", "Traffic Summary"},
    {"rptTrafficSources", "Traffic Sources"},
    {"rptMoveInOut", "Move In Move Out"},
    {"rptWeeklyBoxScore", "Weekly Box Score"},
    {"EndOfMonth", "End Of Month"},
    // Units, occupancy, leasing, service calls and the custom prompts' unit list.
    {"sp_RentRoll_SqFt", "Rent Roll All Units"},
    {"sp_RentRoll_Bal", "Rent Roll Balances"},
    {"rptOtherUnitByType", "Other Units By Type"},
    {"rptEconomicVacancy", "Economic Vacancy"},
    {"rptPropStatus", "Property Status"},
    {"rptUnitStats", "Unit Statistics"},
    {"rptDaysVac", "Days Vacant"},
    {"WeeklyBoxCommunities", "Weekly Box Score Communities"},
    {"VacancyDeviation", "Vacancy Deviation"},
    {"ClassicInterfaceStatus", "Classic Interface Status"},
    {"rptWO", "Service Call"},
    {"rptWorkOrderList", "Service Call List"},
    {"custom/PropertyDirectory", "Property Directory"},
    {"custom/ResidentReview", "Resident Review"},
    // Ledgers, receipts, delinquency, payables: running balances, aging, outputs, money sums.
    {"rptDelinquency", "Aged Delinquency"},
    {"rptBkDepBatch", "Bank Deposits Batch"},
    {"sp_CompDelinquency", "Comprehensive Delinquency"},
    {"ConcessionMatrix", "Concession Matrix"},
    {"rptCurrentBalance", "Current Balance"},
    {"rptMonthlySum", "Monthly Summary"},
    {"rptCashReceiptsGLEffect", "Posted Cash GL Effect"},
    {"rptTransLedg", "Transaction Ledger"},
    {"rptTransLedgBalance", "Transaction Ledger Balance"},
    {"rptTransList", "Transaction List"},
    {"rptUtilityStatement", "Utility Statement"},
    {"rptRentStatement", "Rent Statement",
     "UPDATE tblProperty SET LastStatementDate = '2026-11-01' WHERE Property = 'OAK'"},
    {"rptTransDetailOptions", "Accounting Transactions"},
};

nlohmann::json FileJson(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return nlohmann::json::parse(text.str());
}

// Every table's field names and rows, sub-reports' under their name.
nlohmann::json TableRows(const nlohmann::json& report) {
    nlohmann::json tables = nlohmann::json::object();
    for (const nlohmann::json& table : report.value("tables", nlohmann::json::array())) {
        nlohmann::json names = nlohmann::json::array();
        for (const nlohmann::json& field : table.value("fields", nlohmann::json::array())) {
            names.push_back(field.value("name", ""));
        }
        tables[table.value("name", "")] = {{"fields", names},
                                           {"rows", table.value("rows", nlohmann::json())}};
    }
    for (const nlohmann::json& subreport : report.value("subreports", nlohmann::json::array())) {
        const nlohmann::json inner = TableRows(subreport);
        for (const auto& [name, table] : inner.items()) {
            tables[subreport.value("name", "") + "/" + name] = table;
        }
    }
    return tables;
}

class DemoPort : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path socket = fs::path(HL_MARIADB_FOLDER) / "mysqld.sock";
        if (!fs::exists(socket) || !fs::exists(fs::path(HL_DEMO_SERVER_FOLDER) / "loaded")) {
            const std::string reason =
                "the demo is not loaded on a MariaDB server (ctest's odbc_server_start and "
                "odbc_demo_load fixtures do that when mariadb-server and odbc-mariadb are "
                "installed)";
            const char* ci = std::getenv("CI");
            if (ci != nullptr && std::string(ci) == "true") {
                FAIL() << reason;
            }
            GTEST_SKIP() << reason;
        }
        connection = "Driver={MariaDB Unicode};Socket=" + socket.string() +
                     ";UID=root;Database=hlreports_demo";
        // One private ODBC setup for the whole process (unixODBC reads it once), in a folder no
        // run removes.
        host::DemoPaths odbcHome;
        odbcHome.database = fs::path(HL_DEMO_SERVER_FOLDER).parent_path() / "odbc-home" / "x.db";
        host::UsePrivateOdbcConfigurationUnlessSet(odbcHome);
    }
    std::string connection;
};

// Each ported report's answer file runs alike on both databases, and as the stored summary says.
TEST_F(DemoPort, SameReportsOnMariaDbAsOnTheEmbeddedDatabase) {
    const fs::path demo = fs::path(HL_SOURCE_DIR) / "demo" / "answers";
    const fs::path embeddedFolder = fs::path(HL_DEMO_SERVER_FOLDER).parent_path() / "embedded";
    const fs::path serverFolder = HL_DEMO_SERVER_FOLDER;
    for (const PortedReport& report : kPorted) {
        SCOPED_TRACE(report.key);
        const fs::path answers = demo / (std::string(report.key) + ".json");
        ResetSession();
        const test::DemoRun embedded =
            test::RunDemoAnswers(report.description, answers, embeddedFolder);
        ResetSession();
        const test::DemoRun server =
            test::RunDemoAnswers(report.description, answers, serverFolder, connection);
        ResetSession();
        if (report.undo != nullptr) {
            for (const std::string& database :
                 {host::EmbeddedConnectionString(embeddedFolder / "demo.db"), connection}) {
                clsRecordset rs;
                rs.SetConnectionString(database);
                rs.ExecuteRS(report.undo);
            }
        }
        const nlohmann::json expected =
            FileJson(demo / "summaries" / (std::string(report.key) + ".json"));
        EXPECT_EQ(test::SummaryOf(embedded, embeddedFolder.string()), expected) << "embedded";
        EXPECT_EQ(test::SummaryOf(server, serverFolder.string()).dump(2), expected.dump(2))
            << "MariaDB";
        ASSERT_FALSE(server.reportJson.empty()) << server.messages;
        const nlohmann::json embeddedRows = TableRows(nlohmann::json::parse(embedded.reportJson));
        const nlohmann::json serverRows = TableRows(nlohmann::json::parse(server.reportJson));
        for (const auto& [table, rows] : embeddedRows.items()) {
            SCOPED_TRACE(table);
            ASSERT_TRUE(serverRows.contains(table));
            EXPECT_EQ(serverRows[table]["fields"], rows["fields"]);
            const nlohmann::json& want = rows["rows"];
            const nlohmann::json& got = serverRows[table]["rows"];
            ASSERT_EQ(got.size(), want.size());
            for (std::size_t i = 0; i < want.size(); ++i) {
                EXPECT_EQ(got[i], want[i]) << "row " << i + 1;
            }
        }
    }
}

}  // namespace
}  // namespace hlreports

namespace hlreports {
namespace {

// What only the server port does, through the wrapper on the loaded demo: the report library
// lookup's output, a text output held to its declared size, a procedure that raises its own
// error, and a second result set left alone.
TEST_F(DemoPort, LookupsErrorsAndResultSetsOnTheServer) {
    clsRecordset rs;
    rs.SetConnectionString(connection);
    struct Case {
        const char* name;
        std::function<std::string()> run;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"the report library's file name comes back as an output",
         [&] {
             SPParams params;
             params.Add("@Description", adVarChar, 30, adParamInput, Variant("Owner's Summary"));
             params.Add("@Name", adVarChar, 30, adParamOutput, Variant::Missing());
             rs.RunSPReturnValue("sp_Rep_GetReportName", params);
             return params.GetValue("@Name").DisplayText();
         },
         "AptStatus.rpt"},
        {"an unknown description gives a Null name",
         [&] {
             SPParams params;
             params.Add("@Description", adVarChar, 30, adParamInput, Variant("No Such Report"));
             params.Add("@Name", adVarChar, 30, adParamOutput, Variant::Missing());
             rs.RunSPReturnValue("sp_Rep_GetReportName", params);
             return std::string(params.GetValue("@Name").IsNull() ? "Null" : "not Null");
         },
         "Null"},
        {"a procedure that refuses its arguments raises the server's message",
         [&] {
             RecordsetPtr rows;
             try {
                 rs.RunSpRetRS(
                     "sp_Rep_NSF @Property='NOPE',@StartDate='2026-01-01',@EndDate='2026-11-30'",
                     rows, nullptr, false);
             } catch (const ComError& error) {
                 return std::to_string(error.Number()) + " " +
                        error.Description().substr(error.Description().find("There"));
             }
             return std::string("no error");
         },
         "3207 There is no property NOPE SP:sp_Rep_NSF @Property='NOPE',@StartDate='2026-01-01',"
         "@EndDate='2026-11-30'"},
        {"a text output is cut to the size the caller declares, as the embedded database does",
         [&] {
             SPParams params;
             params.Add("@Property", adVarChar, 10, adParamInput, Variant("OAK"));
             params.Add("@Resident", adVarChar, 10, adParamInput, Variant("R10076"));
             params.Add("@StatementDate", adDBDate, 6, adParamInput, Variant("2026-12-06"));
             params.Add("@AsOf", adDBDate, 6, adParamInput, Variant("2027-01-01"));
             params.Add("@LastStatementDate", adDBDate, 6, adParamInput, Variant::Null());
             params.Add("@PropAddrLn1", adVarChar, 30, adParamOutput, Variant::Missing());
             params.Add("@PropAddrLn2", adVarChar, 30, adParamOutput, Variant::Missing());
             params.Add("@PropAddrLn3", adVarChar, 29, adParamOutput, Variant::Missing());
             rs.RunSPReturnValue("sp_Rep_RentStatement", params);
             return params.GetValue("@PropAddrLn2").DisplayText() + "|" +
                    params.GetValue("@PropAddrLn3").DisplayText();
         },
         "1200 Terrace Lane, Leasing Off|Riverton, OR 97401"},
        {"the rows are the first result set; the totals after them are left alone",
         [&] {
             RecordsetPtr rows;
             rs.RunSpRetRS(
                 "sp_Rep_DepositLog @StartDate='2026-01-01',@EndDate='2026-11-30',"
                 "@Property='OAK'",
                 rows, nullptr, false);
             return rows->Field(0).name + " " + std::to_string(rows->RecordCount());
         },
         "Status 22"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.run(), c.expected);
        EXPECT_FALSE(rs.IsConnectionOpen());
    }
}

}  // namespace
}  // namespace hlreports

namespace hlreports {
namespace {

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
    host::DemoPaths paths = host::DefaultDemoPaths();
    const fs::path folder = fs::path(HL_DEMO_SERVER_FOLDER).parent_path() / "procedures";
    paths.database = folder / "demo.db";
    paths.dataFolder = folder / "data";
    host::EnsureDemoDatabase(paths, true);
    const std::string embedded = host::EmbeddedConnectionString(paths.database);

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

}  // namespace
}  // namespace hlreports

namespace hlreports {
namespace {

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
    host::DemoPaths paths = host::DefaultDemoPaths();
    const fs::path folder = fs::path(HL_DEMO_SERVER_FOLDER).parent_path() / "leases";
    paths.database = folder / "demo.db";
    paths.dataFolder = folder / "data";
    host::EnsureDemoDatabase(paths, true);
    for (const std::string& database :
         {host::EmbeddedConnectionString(paths.database), connection}) {
        SCOPED_TRACE(database);
        clsRecordset rs;
        rs.SetConnectionString(database);
        rs.BeginTX();
        // The server's loaded tables carry no column defaults, so every NOT NULL column is given.
        rs.ExecuteRS(
            "INSERT INTO tblProp_Unit (Property, Unit, SortOrder, Unit_Class, Down_Unit, "
            "Model_Unit, Ready_Status) VALUES ('CEDAR', '108', 999, '1BR1BA', 0, 0, 'Ready')");
        rs.ExecuteRS(
            "INSERT INTO tblLease (Lease, Revision_Num, Property, Primary_Resident, Lease_Status, "
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
