// Rendering a prepared report of many rows: JSON, text and HTML of a returned-items style report
// grouped by unit with count and sum footers. The rows reach the table as recordset XML, as the
// runner hands them over; building them is outside the timed loop.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "engine/CoreReport.h"
#include "engine/Render.h"
#include "engine/ReportLoader.h"

namespace hlreports {
namespace {

constexpr const char* Definition = R"(<report name="rptNSF" title="Returned Items">
  <parameters><parameter name="Property" type="11"/></parameters>
  <tables><table name="NSF"/></tables>
  <page-header><parameter name="Property"/></page-header>
  <detail>
    <column field="Unit" width="6"/>
    <column field="Resident" width="24"/>
    <column field="Returned" format="date"/>
    <column field="Amount" format="currency" width="12"/>
    <column field="Reason" width="20"/>
  </detail>
  <group field="Unit"><footer count="true"><sum field="Amount"/></footer></group>
  <report-footer count="true"><sum field="Amount"/></report-footer>
</report>)";

std::string RowsXml(int rows) {
    Recordset recordset;
    const auto field = [&](const char* name, int32_t type, int32_t size) {
        FieldInfo info;
        info.name = name;
        info.type = type;
        info.definedSize = size;
        recordset.AppendField(std::move(info));
    };
    field("Unit", adVarChar, 10);
    field("Resident", adVarChar, 50);
    field("Returned", adDBTimeStamp, 16);
    field("Amount", adCurrency, 8);
    field("Reason", adVarChar, 30);
    recordset.Open();
    for (int i = 0; i < rows; ++i) {
        recordset.AppendRow({Variant(std::to_string(100 + (i * 7919) % 400)),
                             Variant("Resident " + std::to_string(i)),
                             Variant(Date::FromYmd(2024, 1 + i % 12, 1 + i % 28)),
                             Variant::Currency(int64_t{350000} + (i % 1000) * 125),
                             i % 10 == 0 ? Variant::Null() : Variant("Insufficient funds")});
    }
    recordset.FinishLoading();
    return recordset.SaveXml();
}

std::shared_ptr<CoreReport> PreparedReport(int rows) {
    auto report = std::make_shared<CoreReport>();
    ReportLoader::LoadFromText(*report, Definition, "bench.rpt");
    report->ParameterByName("Property")->SetCurrentValue(Variant("P1 - Sunset Apartments"));
    report->Database()->Tables()[0]->SetDataSource(RowsXml(rows));
    return report;
}

template <std::string (*Render)(const CoreReport&)>
void BM_Render(benchmark::State& state) {
    const auto report = PreparedReport(static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string out = Render(*report);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["output_bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK_TEMPLATE(BM_Render, RenderJson)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Render, RenderText)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Render, RenderHtml)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Loading the documented-size report definition (parse, check, install).
void BM_LoadDefinition(benchmark::State& state) {
    for (auto _ : state) {
        CoreReport report;
        ReportLoader::LoadFromText(report, Definition, "bench.rpt");
        benchmark::DoNotOptimize(report.Sections().size());
    }
}
BENCHMARK(BM_LoadDefinition);

}  // namespace
}  // namespace hlreports
