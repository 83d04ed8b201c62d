// 100,000 rows of a procedure on MariaDB, two ways in the same run:
//   OdbcBackendIntoRecordset  clsRecordset::RunSpRetRS through the ODBC backend into a
//                             disconnected recordset (connect, call, fetch, close)
//   OdbcBackendPlainSelect    the same rows from the SELECT alone (GetRS), which separates the
//                             procedure call's cost from the fetch
//   MariaDbClientToFile       the MariaDB command-line client writing the same rows to a file
// The target is at most twice the client's time. Run it with bench/odbc/run.sh, which starts a
// throwaway server and passes its socket in HL_MARIADB_SOCKET.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "data/Connections.h"
#include "data/clsRecordset.h"

namespace hlreports {
namespace {

constexpr int kRows = 100000;

std::string Socket() {
    const char* socket = std::getenv("HL_MARIADB_SOCKET");
    if (socket == nullptr) {
        throw std::runtime_error("HL_MARIADB_SOCKET is not set; run bench/odbc/run.sh");
    }
    return socket;
}

std::string ConnectionString() {
    return "Driver={MariaDB Unicode};Socket=" + Socket() + ";UID=root;Database=hlbench";
}

void BuildDatabase() {
    std::unique_ptr<Connection> admin =
        OpenBackendConnection("Driver={MariaDB Unicode};Socket=" + Socket() + ";UID=root");
    for (const char* sql : {
             "DROP DATABASE IF EXISTS hlbench",
             "CREATE DATABASE hlbench CHARACTER SET utf8mb4",
             "USE hlbench",
             "CREATE TABLE tblCharge (id INT PRIMARY KEY, property VARCHAR(10), posted DATE,"
             " amount DECIMAL(19,4), memo VARCHAR(40))",
             "INSERT INTO tblCharge SELECT seq, CONCAT('P', seq % 5),"
             " DATE_ADD('2024-01-01', INTERVAL seq % 700 DAY), seq * 1.25, CONCAT('Charge ', seq)"
             " FROM seq_1_to_100000",
             "CREATE PROCEDURE sp_Rep_Rows() SELECT c.id, c.property, c.posted, c.amount, c.memo"
             " FROM tblCharge c ORDER BY c.id",
         }) {
        admin->Execute(sql);
    }
}

void OdbcBackendIntoRecordset(benchmark::State& state) {
    clsRecordset rs;
    rs.SetConnectionString(ConnectionString());
    for (auto _ : state) {
        RecordsetPtr rows;
        rs.RunSpRetRS("sp_Rep_Rows", rows, nullptr, false);
        if (rows->RecordCount() != kRows) {
            state.SkipWithError("wrong row count");
        }
        benchmark::DoNotOptimize(rows);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void OdbcBackendPlainSelect(benchmark::State& state) {
    clsRecordset rs;
    rs.SetConnectionString(ConnectionString());
    for (auto _ : state) {
        RecordsetPtr rows;
        rs.GetRS(
            "SELECT c.id, c.property, c.posted, c.amount, c.memo FROM tblCharge c ORDER BY c.id",
            rows, false);
        if (rows->RecordCount() != kRows) {
            state.SkipWithError("wrong row count");
        }
        benchmark::DoNotOptimize(rows);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void MariaDbClientToFile(benchmark::State& state) {
    std::string out = (std::filesystem::temp_directory_path() / "hlbench-rows.txt").string();
    std::string command = "mariadb --no-defaults --socket=" + Socket() +
                          " -uroot --batch hlbench -e 'CALL sp_Rep_Rows()' > " + out;
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("the mariadb client failed");
        }
    }
    std::filesystem::remove(out);
    state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(OdbcBackendIntoRecordset)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(OdbcBackendPlainSelect)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(MariaDbClientToFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace hlreports

int main(int argc, char** argv) {
    hlreports::BuildDatabase();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
