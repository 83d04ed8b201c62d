// Recordset speed and memory on 100,000 rows x 10 mixed columns: SaveXml and LoadXml throughput
// (bytes/second of XML), a two-clause Filter, a Find over every row, a two-key Sort, and the
// memory a loaded recordset keeps against the size of its XML (RetainedPerXmlByte) plus the
// transient peak while loading (PeakPerXmlByte, which includes pugixml's document tree).
//
// Memory is counted by the benchmarks' heap counter (bench/support), which sees every byte the
// recordset and the parser ask for.
#include <benchmark/benchmark.h>

#include <string>

#include "HeapCounter.h"
#include "recordset/Recordset.h"

namespace {

using namespace hlreports;

constexpr int Rows = 100'000;

FieldInfo Field(const char* name, int32_t type, int32_t size = 0) {
    FieldInfo field;
    field.name = name;
    field.type = type;
    field.definedSize = size;
    return field;
}

RecordsetPtr MakeRows() {
    auto recordset = std::make_shared<Recordset>();
    for (const FieldInfo& field :
         {Field("ID", adInteger), Field("Name", adVarChar, 30), Field("Address", adVarChar, 50),
          Field("Due", adDBDate), Field("Stamp", adDBTimeStamp), Field("Rate", adDouble),
          Field("Amount", adCurrency), Field("Active", adBoolean), Field("Units", adSmallInt),
          Field("Note", adVarChar, 40)}) {
        recordset->AppendField(field);
    }
    recordset->Open();
    const char* const first[] = {"Anna", "Bert",  "Carla", "Dieter",
                                 "Eve",  "Frank", "Greta", "Hugo"};
    const char* const streets[] = {"Main Street", "O'Connell Road", "Smith & Sons Lane",
                                   "Harbour View"};
    for (int i = 0; i < Rows; ++i) {
        std::string name = std::string(first[i % 8]) + " Tenant-" + std::to_string(i);
        std::string address =
            std::to_string(i % 997 + 1) + " " + streets[i % 4] + ", Unit " + std::to_string(i % 50);
        Variant note = i % 2 == 0
                           ? Variant::Null()
                           : Variant("Reminder sent " + std::to_string(i % 31 + 1) + " days ago");
        recordset->AppendRow(
            {Variant(i + 1), Variant(name), Variant(address), Variant(Date(40000.0 + i % 3000)),
             Variant(Date(40000.0 + i % 3000 + (i % 86400) / 86400.0)), Variant(i * 0.37),
             Variant::Currency(static_cast<int64_t>(i % 500000) * 125), Variant(i % 3 == 0),
             Variant::Integer(static_cast<int16_t>(i % 1000)), note});
    }
    recordset->FinishLoading();
    return recordset;
}

const RecordsetPtr& Shared() {
    static const RecordsetPtr recordset = MakeRows();
    return recordset;
}

const std::string& SharedXml() {
    static const std::string xml = Shared()->SaveXml();
    return xml;
}

void BM_SaveXml(benchmark::State& state) {
    const RecordsetPtr& recordset = Shared();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string xml = recordset->SaveXml();
        bytes = xml.size();
        benchmark::DoNotOptimize(xml.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
    state.counters["XmlBytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveXml)->Unit(benchmark::kMillisecond);

void BM_LoadXml(benchmark::State& state) {
    const std::string& xml = SharedXml();
    double retained = 0;
    double peak = 0;
    for (auto _ : state) {
        const hlreports::bench::HeapWindow heap;
        RecordsetPtr loaded = Recordset::LoadXml(xml);
        retained = static_cast<double>(heap.RetainedBytes());
        peak = static_cast<double>(heap.PeakBytes());
        benchmark::DoNotOptimize(loaded.get());
    }
    state.SetBytesProcessed(static_cast<int64_t>(xml.size()) * state.iterations());
    state.counters["RetainedPerXmlByte"] = retained / static_cast<double>(xml.size());
    state.counters["PeakPerXmlByte"] = peak / static_cast<double>(xml.size());
    state.counters["RetainedMB"] = retained / 1e6;
}
BENCHMARK(BM_LoadXml)->Unit(benchmark::kMillisecond);

void BM_FilterTwoClauses(benchmark::State& state) {
    RecordsetPtr view = Shared()->Clone();
    for (auto _ : state) {
        view->SetFilter("Amount > 100 AND Name LIKE 'A*'");
        benchmark::DoNotOptimize(view->RecordCount());
    }
    state.counters["Visible"] = static_cast<double>(view->RecordCount());
}
BENCHMARK(BM_FilterTwoClauses)->Unit(benchmark::kMillisecond);

void BM_FindLastRow(benchmark::State& state) {
    RecordsetPtr view = Shared()->Clone();
    for (auto _ : state) {
        view->MoveFirst();
        view->Find("Note LIKE '*31 days*'", 0, adSearchForward);
        view->MoveLast();
        view->Find("ID = 1", 0, adSearchBackward);
        benchmark::DoNotOptimize(view->AbsolutePosition());
    }
}
BENCHMARK(BM_FindLastRow)->Unit(benchmark::kMillisecond);

void BM_SortTwoKeys(benchmark::State& state) {
    RecordsetPtr view = Shared()->Clone();
    for (auto _ : state) {
        view->SetSort("Name DESC, Amount");
        benchmark::DoNotOptimize(view->AbsolutePosition());
    }
}
BENCHMARK(BM_SortTwoKeys)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
