// The standard catalogue, assembled once from the row tables of the builders.
#include "catalogue/Catalogue.h"

#include <cassert>

#include "catalogue/CustomReports.h"
#include "catalogue/NoWindowReports.h"
#include "catalogue/OwnWindowReports.h"
#include "catalogue/PageReports.h"
#include "catalogue/ParameterJournals.h"
#include "catalogue/StandardReport.h"
#include "catalogue/WindowReports.h"

namespace hlreports {
namespace {

void AddEntry(Catalogue& catalogue, const std::string& key, CatalogueEntry entry) {
    [[maybe_unused]] const bool added = catalogue.emplace(key, std::move(entry)).second;
    assert(added && "a data-source key appears in two catalogue rows");
}

void AddRows(Catalogue& catalogue, const std::vector<ReportRow>& rows) {
    for (const ReportRow& spec : rows) {
        AddEntry(catalogue, spec.key,
                 {RoadKind::Builder,
                  [&spec](BuilderContext& context) { return RunStandardReport(spec, context); },
                  spec.needsSetupService});
    }
}

Catalogue BuildCatalogue() {
    Catalogue catalogue;
    AddRows(catalogue, NoWindowReportRows());
    AddRows(catalogue, WindowReportRows());
    AddRows(catalogue, OwnWindowReportRows());
    AddRows(catalogue, PageReportRows());
    AddEntry(catalogue, "EndOfMonth", {RoadKind::Builder, EndOfMonthReport});
    AddEntry(catalogue, "rptWO", {RoadKind::Builder, ServiceCallReport});
    for (const JournalSpec& spec : ParameterJournalSpecs()) {
        AddEntry(catalogue, spec.key, {RoadKind::Journal, [&spec](BuilderContext& context) {
                                           return RunParameterJournal(spec, context);
                                       }});
    }
    for (const char* key : {"CUSTOM", "NONE"}) {
        AddEntry(catalogue, key, {RoadKind::CustomReport, [key](BuilderContext& context) {
                                      CustomReports(key, context);
                                      return RecordsetPtr();
                                  }});
    }
    return catalogue;
}

}  // namespace

const Catalogue& StandardCatalogue() {
    static const Catalogue catalogue = BuildCatalogue();
    return catalogue;
}

}  // namespace hlreports
