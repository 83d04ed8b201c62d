// The demo on MariaDB: the answer files of the ported reports give the same run on the server as
// on the embedded database: the same calls with the same arguments, message lines, parameter and
// formula values and row counts (the demo summary, which must also equal the stored one in
// demo/answers/summaries/), and the same rows in every table and sub-report, field by field.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/clsRecordset.h"
#include "demo/DemoRun.h"
#include "hlreports/DemoDatabase.h"
#include "odbc_server/demo_port/DemoPortFixture.h"
#include "runtime/Session.h"

namespace hlreports {
namespace {

namespace fs = std::filesystem;
using test::DemoPort;

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
