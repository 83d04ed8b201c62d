// One embedded procedure call per iteration: a procedure with three inputs and one output that
// returns 20 rows, as a report builder runs it. Three roads are measured:
//   WrapperCommandRoad  clsRecordset::RunSPRetRSOutParams (opens and closes the connection per
//                       call, as the wrapper does outside a transaction)
//   WrapperTextRoad     clsRecordset::RunSpRetRS with the argument text
//   HeldConnection      Connection::CallProcedure on one open connection (the backend alone)
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "data/Connections.h"
#include "data/clsRecordset.h"
#include "recordset/AdoTypes.h"

namespace hlreports {
namespace {

// A database file with 500 charges over 5 properties and the measured procedure; removed at exit.
class BenchDatabase {
  public:
    BenchDatabase() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "hlreports-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        folder_ = pattern;
        file_ = folder_ / "bench.db";
        sqlite3* db = nullptr;
        sqlite3_open_v2(file_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        std::string sql =
            "CREATE TABLE sys_procedures (name TEXT PRIMARY KEY COLLATE NOCASE, params TEXT NOT "
            "NULL DEFAULT '',"
            " body TEXT NOT NULL);"
            "CREATE TABLE tblCharge (id INTEGER PRIMARY KEY, property varchar(10), posted date, "
            "amount money,"
            " memo varchar(40));"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500)"
            " INSERT INTO tblCharge (property, posted, amount, memo)"
            " SELECT 'P' || (i % 5), date('2024-01-01', '+' || (i / 5) || ' days'), i * 1.25, "
            "'Charge ' || i FROM n;"
            "INSERT INTO sys_procedures VALUES ('sp_Rep_Bench',"
            " '@Property varchar(10), @From date, @Days int = 30, @Total money OUTPUT',"
            " 'SELECT sum(amount) AS \"@Total\" FROM tblCharge WHERE property = @Property;"
            "  SELECT id, property, posted, amount, memo FROM tblCharge WHERE property = @Property"
            "   AND posted >= @From AND posted < date(@From, ''+'' || @Days || '' days'') ORDER BY "
            "id LIMIT 20');";
        char* message = nullptr;
        int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
        sqlite3_close(db);
        if (rc != SQLITE_OK) {
            std::string text = message ? message : "?";
            sqlite3_free(message);
            throw std::runtime_error("cannot build the benchmark database: " + text);
        }
    }
    ~BenchDatabase() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string ConnectionString() const { return "Server=(embedded);Database=" + file_.string(); }

  private:
    std::filesystem::path folder_;
    std::filesystem::path file_;
};

const BenchDatabase& Database() {
    static BenchDatabase database;
    return database;
}

SPParams BenchParams() {
    SPParams params;
    params.Add("@Property", adVarChar, 10, adParamInput, "P1");
    params.Add("@From", adDBDate, 0, adParamInput, Date::FromYmd(2024, 1, 10));
    params.Add("@Days", adInteger, 4, adParamInput, 60);
    params.Add("@Total", adCurrency, 8, adParamOutput, Variant::Missing());
    return params;
}

void WrapperCommandRoad(benchmark::State& state) {
    clsRecordset wrapper;
    wrapper.SetConnectionString(Database().ConnectionString());
    SPParams params = BenchParams();
    for (auto _ : state) {
        RecordsetPtr rows;
        wrapper.RunSPRetRSOutParams("sp_Rep_Bench", &params, rows, false);
        if (!rows || rows->RecordCount() != 20) {
            state.SkipWithError("the procedure did not return 20 rows");
            break;
        }
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(WrapperCommandRoad);

void WrapperTextRoad(benchmark::State& state) {
    clsRecordset wrapper;
    wrapper.SetConnectionString(Database().ConnectionString());
    SPParams params = BenchParams();
    for (auto _ : state) {
        RecordsetPtr rows;
        wrapper.RunSpRetRS("sp_Rep_Bench", rows, &params, false);
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(WrapperTextRoad);

void HeldConnection(benchmark::State& state) {
    std::unique_ptr<Connection> connection = OpenConnection(Database().ConnectionString());
    std::vector<ProcedureArgument> arguments{
        {"@Property", adVarChar, 10, adParamInput, "P1"},
        {"@From", adDBDate, 0, adParamInput, Date::FromYmd(2024, 1, 10)},
        {"@Days", adInteger, 4, adParamInput, 60},
        {"@Total", adCurrency, 8, adParamOutput, Variant::Missing()},
    };
    for (auto _ : state) {
        ProcedureResult result = connection->CallProcedure("sp_Rep_Bench", arguments);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(HeldConnection);

}  // namespace
}  // namespace hlreports

BENCHMARK_MAIN();
