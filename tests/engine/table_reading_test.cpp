// Tables that read their own rows: how the loader reads them, how each kind of parameter reaches
// a procedure or a query, that rows handed over are kept, and the errors of a failing read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/Connections.h"
#include "engine/EngineFixtures.h"
#include "runtime/Date.h"
#include "support/TestDatabase.h"

namespace hlreports::test {
namespace {

// A small ledger: three batches, one of them on another property.
class TableReading : public ::testing::Test {
  protected:
    TestDatabase db{
        "CREATE TABLE tblLedger (id int PRIMARY KEY, batch varchar(10), unit varchar(10),"
        " posted date, amount money);"
        "INSERT INTO tblLedger VALUES (1, 'B1', '101', '2026-11-02', 100),"
        " (2, 'B1', '102', '2026-11-20', 50.5), (3, 'B2', '101', '2026-12-01', 25),"
        " (4, 'B3', '201', '2026-12-03', 10);"};
    TempDir folder;

    void SetUp() override {
        db.AddProcedure("sp_Batches", "@Batches varchar(100), @Unit varchar(10) = NULL",
                        "SELECT id, batch, amount FROM tblLedger"
                        " WHERE (@Batches IS NULL OR instr(',' || @Batches || ',', ',' || batch ||"
                        " ',') > 0) AND (@Unit IS NULL OR unit = @Unit) ORDER BY id");
        db.AddProcedure("sp_Between", "@From date, @To date",
                        "SELECT id FROM tblLedger WHERE posted BETWEEN @From AND @To ORDER BY id");
        db.AddProcedure("sp_Purge", "@Batches varchar(100)",
                        "DELETE FROM tblLedger WHERE batch = @Batches");
    }

    std::string Report(const std::string& tables, const std::string& subreport = "") const {
        return "<report name='Ledger'><parameters>"
               "<parameter name='Batch' type='11' multi='true'/>"
               "<parameter name='Unit' type='11'/>"
               "<parameter name='Period' type='10' range='true'/>"
               "</parameters><tables>" +
               tables + "</tables>" +
               (subreport.empty() ? "" : "<report-footer>" + subreport + "</report-footer>") +
               "</report>";
    }

    void PointAtDatabase(CoreReport& report) const {
        for (const auto& table : report.Database()->Tables()) {
            table->SetLogOnInfo("(embedded)", db.Path().string(), "qz", "");
        }
        for (const auto& subreport : report.Subreports()) {
            PointAtDatabase(*subreport);
        }
    }

    // The ids of a table's rows, joined with ",".
    static std::string Ids(const CoreTable& table) {
        if (!table.Rows()) {
            return "(none)";
        }
        std::string ids;
        RecordsetPtr rows = table.Rows()->Clone();
        for (; !rows->EOF(); rows->MoveNext()) {
            ids += (ids.empty() ? "" : ",") + rows->Value(0).DisplayText();
        }
        return ids;
    }
};

void SetBatches(CoreReport& report, const std::vector<const char*>& batches) {
    for (const char* batch : batches) {
        report.ParameterByName("Batch")->AddCurrentValue(Variant(std::string(batch)));
    }
    report.ParameterByName("Batch")->ApplyValues();
}

// Single values, lists, ranges and empty parameters reach a procedure and a query bound.
TEST_F(TableReading, EveryKindOfParameterReachesProcedureAndQuery) {
    const std::string byList =
        "<table name='T' reads='query'><query>SELECT id FROM tblLedger WHERE (@Count = 0 OR batch "
        "IN (@Batches)) AND (@Unit IS NULL OR unit = @Unit) ORDER BY id</query>"
        "<argument name='@Batches' parameter='Batch'/>"
        "<argument name='@Count' parameter='Batch' take='count'/>"
        "<argument name='@Unit' parameter='Unit'/></table>";
    const std::string byProcedure =
        "<table name='T' location='sp_Batches' reads='procedure'>"
        "<argument name='@Batches' parameter='Batch'/>"
        "<argument name='@Unit' parameter='Unit'/></table>";
    const std::string rangeQuery =
        "<table name='T' reads='query'><query>SELECT id FROM tblLedger WHERE posted BETWEEN "
        "date(@From) AND date(@To) ORDER BY id</query>"
        "<argument name='@From' parameter='Period' take='start'/>"
        "<argument name='@To' parameter='Period' take='end'/></table>";
    const std::string rangeProcedure =
        "<table name='T' location='sp_Between' reads='procedure'>"
        "<argument name='@To' parameter='Period' take='end'/>"
        "<argument name='@From' parameter='Period' take='start'/></table>";
    const struct Case {
        const char* what;
        const std::string& tables;
        std::vector<const char*> batches;
        const char* unit;  // nullptr: no value
        bool withPeriod;
        const char* ids;
    } cases[] = {
        {"query, list of two", byList, {"B1", "B3"}, nullptr, false, "1,2,4"},
        {"query, list and unit", byList, {"B1", "B2"}, "101", false, "1,3"},
        {"query, empty list means all", byList, {}, nullptr, false, "1,2,3,4"},
        {"query, list naming nothing", byList, {"B9"}, nullptr, false, ""},
        {"procedure, joined list", byProcedure, {"B2", "B3"}, nullptr, false, "3,4"},
        {"procedure, single value", byProcedure, {"B1"}, "102", false, "2"},
        {"procedure, empty list is NULL", byProcedure, {}, nullptr, false, "1,2,3,4"},
        {"query, range", rangeQuery, {}, nullptr, true, "2,3"},
        {"query, no range value", rangeQuery, {}, nullptr, false, ""},
        {"procedure, range", rangeProcedure, {}, nullptr, true, "2,3"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        auto report = LoadReport(folder, Report(row.tables));
        PointAtDatabase(*report);
        SetBatches(*report, row.batches);
        if (row.unit != nullptr) {
            report->ParameterByName("Unit")->SetCurrentValue(Variant(std::string(row.unit)));
        }
        if (row.withPeriod) {
            report->ParameterByName("Period")->AddCurrentRange(Date::FromYmd(2026, 11, 10),
                                                               Date::FromYmd(2026, 12, 1));
            report->ParameterByName("Period")->ApplyValues();
        }
        report->ReadTables();
        EXPECT_EQ(Ids(*report->Database()->Tables()[0]), row.ids);
    }
    EXPECT_EQ(GetConnectionStats().open, 0);
}

// A sub-report reads its own rows with the main report's parameter while the main table keeps
// the rows the builder handed over; a table without reads stays empty.
TEST_F(TableReading, SubreportReadsWhileHandedRowsAreKept) {
    const std::string subreport =
        "<subreport name='Detail'><tables><table name='S' location='sp_Batches' "
        "reads='procedure'><argument name='@Batches' parameter='Batch'/></table></tables>"
        "</subreport>";
    auto report = LoadReport(
        folder, Report("<table name='Main' reads='query'><query>SELECT id FROM tblLedger</query>"
                       "</table><table name='Plain' location='sp_Batches'/>",
                       subreport));
    PointAtDatabase(*report);
    SetBatches(*report, {"B2"});
    report->Database()->Tables()[0]->SetDataSource(RowsXml({{"id", "int"}}, {{"42"}}));
    report->ReadTables();
    EXPECT_EQ(Ids(*report->Database()->Tables()[0]), "42");
    EXPECT_EQ(Ids(*report->Database()->Tables()[1]), "(none)");
    EXPECT_EQ(Ids(*report->OpenSubreport("Detail")->Database()->Tables()[0]), "3");
}

// A log-on that names the host's connection (server in any case, the same database and user)
// reads through the host's own connection string, which carries what no log-on can (here: the
// embedded file behind a server name); any other log-on builds its string from its own names.
TEST_F(TableReading, LogOnNamingTheHostReadsThroughItsConnection) {
    const CoreHostConnection host{"db.example", "Ledger", "qz",
                                  "Server=(embedded);Database=" + db.Path().string()};
    const struct Case {
        const char* what;
        const char* server;
        const char* database;
        const char* user;
        bool reads;
    } cases[] = {
        {"the host's names", "db.example", "Ledger", "qz", true},
        {"the server in other case", "DB.Example", "Ledger", "qz", true},
        {"another database", "db.example", "ledger", "qz", false},
        {"another user", "db.example", "Ledger", "QZ", false},
        {"another server", "db2.example", "Ledger", "qz", false},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        auto report = LoadReport(
            folder,
            Report(
                "<table name='T' reads='query'><query>SELECT id FROM tblLedger</query></table>"));
        report->Database()->Tables()[0]->SetLogOnInfo(row.server, row.database, row.user, "");
        if (row.reads) {
            report->ReadTables(&host);
            EXPECT_EQ(Ids(*report->Database()->Tables()[0]), "1,2,3,4");
        } else {
            const ComError error = CaughtComError([&] { report->ReadTables(&host); });
            EXPECT_EQ(error.Number(), 20515);
            EXPECT_NE(error.Description().find(std::string("could not read its rows")),
                      std::string::npos)
                << error.Description();
        }
        EXPECT_EQ(GetConnectionStats().open, 0);
    }
}

// A failing read, a refused write and a report pointed at no database raise 20515 naming the
// report and table, and no table is filled, not even one read before the failure.
TEST_F(TableReading, FailuresNameReportTableAndCause) {
    const std::string good =
        "<table name='Good' reads='query'><query>SELECT id FROM tblLedger</query></table>";
    const struct Case {
        const char* what;
        std::string table;
        bool pointed;
        std::string description;
    } cases[] = {
        {"failing query",
         "<table name='Bad' reads='query'><query>SELECT missing FROM tblLedger</query></table>",
         true,
         "Report Ledger: table Bad could not read its rows: no such column: missing "
         "SQL:SELECT missing FROM tblLedger"},
        {"procedure that writes",
         "<table name='Bad' location='sp_Purge' reads='procedure'>"
         "<argument name='@Batches' parameter='Unit'/></table>",
         true,
         "Report Ledger: table Bad could not read its rows: procedure sp_Purge: the statement "
         "would change the database (writes to tblLedger); only reading is allowed here "
         "SP:sp_Purge"},
        {"no database", "", false,
         "Report Ledger: table Good reads its own rows, but the report was pointed at no "
         "database (SetReportDatabase or SetLogOnInfo)"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        auto report = LoadReport(folder, Report(good + row.table));
        if (row.pointed) {
            PointAtDatabase(*report);
        }
        const ComError error = CaughtComError([&] { report->ReadTables(); });
        EXPECT_EQ(error.Number(), 20515);
        EXPECT_EQ(error.Source(), "CoreReport.ReadTables");
        EXPECT_EQ(error.Description(), row.description);
        EXPECT_EQ(Ids(*report->Database()->Tables()[0]), "(none)");
        EXPECT_EQ(db.QueryText("SELECT count(*) FROM tblLedger"), "4");
        EXPECT_EQ(GetConnectionStats().open, 0);
    }
}

// Mistakes in a reading table are load errors naming the line and the problem.
TEST_F(TableReading, LoaderRefusesMistakes) {
    const struct Case {
        const char* table;
        const char* problem;
    } cases[] = {
        {"<table name='T' reads='sql'/>",
         "the attribute 'reads' of <table> is 'sql', not procedure, query or none"},
        {"<table name='T'><argument name='@A' parameter='Unit'/></table>",
         "table 'T' has a <query> or <argument> but no reads=\"query\" or reads=\"procedure\""},
        {"<table name='T' reads='procedure'/>",
         "table 'T' reads a procedure: it needs a location and no <query>"},
        {"<table name='T' reads='query'><query> </query></table>",
         "table 'T' reads a query but has no <query> text"},
        {"<table name='T' reads='query'><query>SELECT 1</query><query>SELECT 2</query></table>",
         "a second <query> in table 'T'"},
        {"<table name='T' reads='query'><query>SELECT @A</query>"
         "<argument name='@A' parameter='Batches'/></table>",
         "argument '@A' names the parameter 'Batches', which the report does not declare"},
        {"<table name='T' reads='query'><query>SELECT @A</query>"
         "<argument name='@A' parameter='Period'/></table>",
         "argument '@A' is fed by the range parameter 'Period': say take=\"start\" or "
         "take=\"end\""},
        {"<table name='T' location='sp_Batches' reads='procedure'>"
         "<argument name='@Batches' parameter='Batch' take='list'/></table>",
         "argument '@Batches': a procedure takes one value per argument; use take=\"joined\" for "
         "a list"},
        {"<table name='T' reads='query'><query>SELECT @A</query>"
         "<argument name='@A' parameter='Unit' take='all'/></table>",
         "the attribute 'take' of <argument> is 'all', not value, list, joined, start, end or "
         "count"},
        {"<table name='T' reads='query'><query>SELECT 1</query>"
         "<argument name='A' parameter='Unit'/></table>",
         "the argument name 'A' is not an @Name"},
        {"<table name='T' reads='query'><query>SELECT @A</query>"
         "<argument name='@A' parameter='Unit'/><argument name='@a' parameter='Unit'/></table>",
         "duplicate argument '@a'"},
        {"<table name='T' reads='query'><query>SELECT @A, @B</query>"
         "<argument name='@A' parameter='Unit'/></table>",
         "the query of table 'T': the query uses @B, which has no value"},
        {"<table name='T' reads='query'><query>SELECT 1</query>"
         "<argument name='@A' parameter='Unit'/></table>",
         "the query of table 'T': the value for @A matches no placeholder of the query"},
        {"<table name='T' reads='query'><query>SELECT 1; DELETE FROM x</query></table>",
         "the query of table 'T': the text holds more than one statement; only one statement "
         "that reads may run here"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.table);
        const std::string path = folder.WriteFile("bad.rpt", Report(row.table)).string();
        const ComError error = CaughtComError([&] { CoreEngine().NewReport()->Load(path); });
        EXPECT_EQ(error.Number(), 20510);
        EXPECT_EQ(error.Description(),
                  "Malformed report file " + path + ", line 1: " + row.problem);
    }
}

}  // namespace
}  // namespace hlreports::test
