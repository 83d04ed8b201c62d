// A prepared report of generated rows laid out on pages and written as PDF: 250 and 1,000 pages
// of a rent-roll style list with a page header, column headings and "Page N of M" on each page.
// The rows are prepared outside the timed loop. Counters: pages written, the PDF's size, and
// heap_growth_mb, how much the process's peak resident size grew while writing (the layout
// streams its pages, so this stays flat as the page count grows).
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>

#include "engine/CoreReport.h"
#include "engine/PageLayout.h"
#include "engine/ReportLoader.h"
#include "ui-qt/PagePainter.h"
#include "ui-qt/QtApplication.h"

namespace hlreports {
namespace {

constexpr const char* RentRoll = R"(<report name="rptRentRoll" title="Rent Roll">
  <parameters><parameter name="Property" type="11"/></parameters>
  <tables><table name="Units"/></tables>
  <page-header><parameter name="Property"/><text>Generated rows</text></page-header>
  <detail>
    <column field="Unit" width="6"/>
    <column field="Resident" width="26"/>
    <column field="MoveIn" heading="Move In" format="date"/>
    <column field="Rent" format="currency" width="12"/>
    <column field="Balance" format="currency" width="12"/>
  </detail>
  <report-footer count="true"><sum field="Rent"/></report-footer>
</report>)";

// Rows per page of this layout on Letter: page header and headings take the top lines.
constexpr int RowsPerPage = 57;

std::shared_ptr<CoreReport> RentRollReport(int rows) {
    Recordset units;
    const auto field = [&units](const char* name, int32_t type) {
        FieldInfo info;
        info.name = name;
        info.type = type;
        info.definedSize = 50;
        units.AppendField(std::move(info));
    };
    field("Unit", adVarChar);
    field("Resident", adVarChar);
    field("MoveIn", adDBTimeStamp);
    field("Rent", adCurrency);
    field("Balance", adCurrency);
    units.Open();
    for (int i = 0; i < rows; ++i) {
        units.AppendRow({Variant("U" + std::to_string(10000 + i)),
                         Variant("Tenant number " + std::to_string(i)),
                         Variant(Date::FromYmd(2020 + i % 5, 1 + i % 12, 1 + i % 28)),
                         Variant::Currency(int64_t{9500000} + (i % 700) * 10000),
                         Variant::Currency(int64_t{(i % 13) * 2500})});
    }
    units.FinishLoading();
    auto report = std::make_shared<CoreReport>();
    ReportLoader::LoadFromText(*report, RentRoll, "bench.rpt");
    report->ParameterByName("Property")->SetCurrentValue(Variant("P1 - Sunset Apartments"));
    report->Database()->Tables()[0]->SetDataSource(units.SaveXml());
    return report;
}

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_WritePdf(benchmark::State& state) {
    EnsureQtApplication(true);
    const int pages = static_cast<int>(state.range(0));
    const auto report = RentRollReport(pages * RowsPerPage);
    const PageSetup letter;
    const auto file = std::filesystem::temp_directory_path() / "hlreports-bench.pdf";
    const double before = PeakResidentMegabytes();
    for (auto _ : state) {
        WritePdf(*report, letter, file);
    }
    state.counters["pages"] = static_cast<double>(LayOutPages(*report, letter).size());
    state.counters["heap_growth_mb"] = PeakResidentMegabytes() - before;
    state.counters["pdf_mb"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    state.counters["rows"] = pages * RowsPerPage;
    std::filesystem::remove(file);
}
BENCHMARK(BM_WritePdf)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The layout alone (both passes), without drawing: what the preview and PDF share.
void BM_LayOutPages(benchmark::State& state) {
    const auto report = RentRollReport(static_cast<int>(state.range(0)) * RowsPerPage);
    const PageSetup letter;
    std::size_t pages = 0;
    for (auto _ : state) {
        pages = LayOutPages(*report, letter).size();
    }
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_LayOutPages)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hlreports
