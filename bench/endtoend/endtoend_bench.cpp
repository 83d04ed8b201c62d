// End to end on a generated property of 100,000 wait-list rows ("Wait List", whose procedure is
// one SELECT with a join): PrintReport through the Reports object, and PrintRS with rows fetched
// once, each rendered to HTML as the command writes it (streamed, here into a stream that only
// counts); against the sqlite3 shell writing the same query as CSV, timed in the same run.
// Memory: the peak of the heap (C++ allocations, pugixml and SQLite) during one request, against
// the size of the report's recordset XML text.
//
// Setup builds a temporary copy of the demo database (HLREPORTS_DEMO_DB), so the build's demo
// database is never touched; the host's private ODBC configuration goes beside it. With
// HLREPORTS_BENCH_KEEP_DATABASE set to a file name, the generated database is also copied there,
// for compare.sh to run the command on the same rows.
// Counters: ShellMs (the shell, run beside each request so both see the same machine load),
// VsShell (request time / shell time), PeakMB, XmlMB, PeakPerXml, HtmlMB. BM_Stage* time the
// parts of a request on their own.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <streambuf>
#include <string>

#include "HeapCounter.h"
#include "data/clsRecordset.h"
#include "engine/Render.h"
#include "hlreports/CreateObject.h"
#include "hlreports/DemoDatabase.h"
#include "hlreports/Reports.h"
#include "runtime/Session.h"
#include "ui/Ui.h"

namespace {

namespace fs = std::filesystem;
using namespace hlreports;

constexpr int Rows = 100'000;
constexpr const char* Property = "GEN";
constexpr const char* Description = "Wait List";

// The body of sp_Rep_WaitList for the generated property.
constexpr const char* ReportQuery =
    "SELECT w.WaitID, w.Name, w.Phone, w.Unit_Class, uc.Description AS Class_Description, "
    "w.Date_Added, w.Desired_Date, w.Notes FROM tblWaitList w LEFT JOIN tblUnitClass uc ON "
    "uc.Property = w.Property AND uc.Unit_Class = w.Unit_Class WHERE w.Property = 'GEN' "
    "ORDER BY w.Date_Added, w.WaitID";

// A copy of OAK's property and unit classes, and the wait list rows, all computed from the row
// number so every run reads the same data.
constexpr const char* GeneratedProperty = R"sql(
CREATE TEMP TABLE p AS SELECT * FROM tblProperty WHERE Property = 'OAK';
UPDATE p SET Property = 'GEN', Name = 'Generated Gardens';
INSERT INTO tblProperty SELECT * FROM p;
CREATE TEMP TABLE c AS SELECT * FROM tblUnitClass WHERE Property = 'OAK';
UPDATE c SET Property = 'GEN';
INSERT INTO tblUnitClass SELECT * FROM c;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000),
     k(Unit_Class, k) AS (SELECT Unit_Class, row_number() OVER (ORDER BY Unit_Class) - 1
                          FROM tblUnitClass WHERE Property = 'GEN')
INSERT INTO tblWaitList (WaitID, Property, Name, Phone, Unit_Class, Date_Added, Desired_Date, Notes)
SELECT 1000000 + i, 'GEN', 'Prospect ' || i || ', O''Leary', '555-' || printf('%04d', i % 10000),
       k.Unit_Class, date('2025-01-01', '+' || (i % 700) || ' days'),
       date('2026-01-01', '+' || (i % 400) || ' days'),
       CASE WHEN i % 5 = 0 THEN 'Prefers a top floor & a view' END
FROM n JOIN k ON k.k = n.i % (SELECT count(*) FROM tblUnitClass WHERE Property = 'GEN');
)sql";

void Execute(const fs::path& database, const char* sql) {
    sqlite3* handle = nullptr;
    char* message = nullptr;
    const bool ok = sqlite3_open(database.c_str(), &handle) == SQLITE_OK &&
                    sqlite3_exec(handle, sql, nullptr, nullptr, &message) == SQLITE_OK;
    const std::string text = message ? message : sqlite3_errmsg(handle);
    sqlite3_free(message);
    sqlite3_close(handle);
    if (!ok) {
        throw std::runtime_error("generating the property: " + text);
    }
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class Fixture {
  public:
    Fixture() {
        std::string pattern = (fs::temp_directory_path() / "hlreports-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create " + pattern);
        }
        folder_ = pattern;
        setenv("HLREPORTS_DEMO_DB", (folder_ / "demo.db").c_str(), 1);
        paths_ = host::DefaultDemoPaths();
        host::EnsureDemoDatabase(paths_, true);
        host::UsePrivateOdbcConfigurationUnlessSet(paths_);
        Execute(paths_.database, GeneratedProperty);
        if (const char* keep = std::getenv("HLREPORTS_BENCH_KEEP_DATABASE")) {
            fs::copy_file(paths_.database, keep, fs::copy_options::overwrite_existing);
        }
        connection_ = host::EmbeddedConnectionString(paths_.database);
        shellCommand_ =
            "sqlite3 -csv '" + paths_.database.string() + "' \"" + ReportQuery + "\" > /dev/null";
    }
    ~Fixture() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    Fixture(const Fixture&) = delete;
    Fixture& operator=(const Fixture&) = delete;

    const std::string& Connection() const { return connection_; }
    std::string DataFolder() const { return paths_.dataFolder.string(); }
    double RunShell() const {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(shellCommand_.c_str()) != 0) {
            throw std::runtime_error("the sqlite3 shell failed: " + shellCommand_);
        }
        return SecondsSince(start);
    }

  private:
    fs::path folder_;
    host::DemoPaths paths_;
    std::string connection_;
    std::string shellCommand_;
};

const Fixture& TheFixture() {
    static const Fixture fixture;
    return fixture;
}

std::shared_ptr<Reports> NewReports() {
    TheSession().ui = std::make_shared<RecordingUi>();
    return std::dynamic_pointer_cast<Reports>(CreateObject("HLReports.Reports"));
}

// An output stream that keeps nothing and counts what it is given.
class CountingBuffer final : public std::streambuf {
  public:
    std::size_t Bytes() const { return bytes_; }

  protected:
    int_type overflow(int_type character) override {
        ++bytes_;
        return traits_type::not_eof(character);
    }
    std::streamsize xsputn(const char*, std::streamsize count) override {
        bytes_ += static_cast<std::size_t>(count);
        return count;
    }

  private:
    std::size_t bytes_ = 0;
};

std::size_t HtmlBytes(const CoreReport& report) {
    CountingBuffer counter;
    std::ostream stream(&counter);
    RenderHtml(report, stream);
    return counter.Bytes();
}

// What one request cost: its time, the heap's peak above the start, and the HTML's size.
struct Measured {
    double seconds = 0;
    std::size_t peakBytes = 0;
    std::size_t htmlBytes = 0;
};

template <typename Request>
Measured Measure(Request request) {
    const hlreports::bench::HeapWindow heap;
    sqlite3_memory_highwater(1);
    const std::size_t sqliteBefore = static_cast<std::size_t>(sqlite3_memory_used());
    const auto start = std::chrono::steady_clock::now();
    std::shared_ptr<CoreReport> report = request();
    if (!report) {
        throw std::runtime_error("no report came back");
    }
    const std::size_t htmlBytes = HtmlBytes(*report);
    Measured measured;
    measured.seconds = SecondsSince(start);
    measured.htmlBytes = htmlBytes;
    measured.peakBytes =
        heap.PeakBytes() + static_cast<std::size_t>(sqlite3_memory_highwater(0)) - sqliteBefore;
    return measured;
}

// Totals over the iterations: the requests' time and the shell's, run beside each request so
// that both see the same load on the machine.
void Report(benchmark::State& state, const Measured& worst, double totalSeconds,
            double shellSeconds, std::size_t xmlBytes) {
    state.counters["ShellMs"] = shellSeconds / static_cast<double>(state.iterations()) * 1e3;
    state.counters["VsShell"] = totalSeconds / shellSeconds;
    state.counters["PeakMB"] = static_cast<double>(worst.peakBytes) / 1e6;
    state.counters["XmlMB"] = static_cast<double>(xmlBytes) / 1e6;
    state.counters["PeakPerXml"] =
        static_cast<double>(worst.peakBytes) / static_cast<double>(xmlBytes);
    state.counters["HtmlMB"] = static_cast<double>(worst.htmlBytes) / 1e6;
}

// The rows through the component's own wrapper.
RecordsetPtr FetchRows() {
    clsRecordset wrapper;
    wrapper.SetConnectionString(TheFixture().Connection());
    RecordsetPtr rows;
    if (!wrapper.GetRS(ReportQuery, rows, false) || !rows || rows->RecordCount() != Rows) {
        throw std::runtime_error("the generated rows could not be read");
    }
    return rows;
}

void BM_Sqlite3ShellCsv(benchmark::State& state) {
    const Fixture& fixture = TheFixture();
    for (auto _ : state) {
        state.SetIterationTime(fixture.RunShell());
    }
}
BENCHMARK(BM_Sqlite3ShellCsv)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_PrintReportToHtml(benchmark::State& state) {
    const Fixture& fixture = TheFixture();
    const std::size_t xmlBytes = FetchRows()->SaveXml().size();
    Measured worst;
    double total = 0;
    double shell = 0;
    for (auto _ : state) {
        std::shared_ptr<Reports> reports = NewReports();
        const Measured measured = Measure([&] {
            int32_t destination = irtowindow;
            bool paramsWindow = false;
            std::string dataFolder = fixture.DataFolder();
            std::string qzUser;
            std::string qzPassword;
            const Date periodEnd = Date::FromYmd(2026, 12, 31);
            return reports->PrintReport(Description, "01", Property, "Generated Gardens",
                                        fixture.Connection(), "manager", destination, paramsWindow,
                                        Variant(false), dataFolder, qzUser, qzPassword, periodEnd,
                                        periodEnd);
        });
        total += measured.seconds;
        state.PauseTiming();
        shell += fixture.RunShell();
        state.ResumeTiming();
        worst.peakBytes = std::max(worst.peakBytes, measured.peakBytes);
        worst.htmlBytes = measured.htmlBytes;
    }
    Report(state, worst, total, shell, xmlBytes);
}
BENCHMARK(BM_PrintReportToHtml)->Unit(benchmark::kMillisecond);

void BM_PrintRsToHtml(benchmark::State& state) {
    const Fixture& fixture = TheFixture();
    const RecordsetPtr rows = FetchRows();
    const std::size_t xmlBytes = rows->SaveXml().size();
    Measured worst;
    double total = 0;
    double shell = 0;
    for (auto _ : state) {
        std::shared_ptr<Reports> reports = NewReports();
        const Measured measured = Measure([&] {
            return reports->PrintRS(Description, rows, fixture.Connection(), Variant::Null());
        });
        total += measured.seconds;
        state.PauseTiming();
        shell += fixture.RunShell();
        state.ResumeTiming();
        worst.peakBytes = std::max(worst.peakBytes, measured.peakBytes);
        worst.htmlBytes = measured.htmlBytes;
    }
    Report(state, worst, total, shell, xmlBytes);
}
BENCHMARK(BM_PrintRsToHtml)->Unit(benchmark::kMillisecond);

// The stages of a request one by one, to show where its time and memory go: the fetch through
// the wrapper, the hand-over of the rows to the report's table (a copy equal to what their XML
// would load as), and rendering to HTML. PeakMB is the heap's peak above the start of one stage.
template <typename Stage>
void RunStage(benchmark::State& state, Stage stage) {
    std::size_t peak = 0;
    for (auto _ : state) {
        const hlreports::bench::HeapWindow heap;
        stage();
        peak = std::max(peak, heap.PeakBytes());
    }
    state.counters["PeakMB"] = static_cast<double>(peak) / 1e6;
}

void BM_StageFetchRows(benchmark::State& state) {
    RunStage(state, [&] { benchmark::DoNotOptimize(FetchRows().get()); });
}
BENCHMARK(BM_StageFetchRows)->Unit(benchmark::kMillisecond);

void BM_StageHandOver(benchmark::State& state) {
    const RecordsetPtr rows = FetchRows();
    RunStage(state, [&] { benchmark::DoNotOptimize(rows->SavedCopy().get()); });
}
BENCHMARK(BM_StageHandOver)->Unit(benchmark::kMillisecond);

void BM_StageRenderHtml(benchmark::State& state) {
    const RecordsetPtr rows = FetchRows();
    std::shared_ptr<Reports> reports = NewReports();
    const std::shared_ptr<CoreReport> report =
        reports->PrintRS(Description, rows, TheFixture().Connection(), Variant::Null());
    RunStage(state, [&] { benchmark::DoNotOptimize(HtmlBytes(*report)); });
}
BENCHMARK(BM_StageRenderHtml)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
