// The report catalogue: data-source key -> how the dispatcher reaches that report's builder.
// Keys are compared exactly and case-sensitively ("rptNSF" is not "rptnsf" nor "rptNSF ").
//
// Three roads:
//   Builder       - a builder that returns the report's rows (ReportRow rows and own builders);
//   Journal       - the report file reads its own data; the dispatcher hands the builder the
//                   shared wrapper's connection string and marks the call as a journal;
//   CustomReport  - the same for reports written by the customer.
// The standard catalogue is assembled from the row tables of the builders (NoWindowReports,
// ParameterJournals, ...) plus "CUSTOM" and "NONE"; a later table joins by adding its rows in Catalogue.cpp.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "catalogue/BuilderContext.h"
#include "recordset/Recordset.h"

namespace hlreports {

enum class RoadKind { Builder, Journal, CustomReport };

struct CatalogueEntry {
    RoadKind road = RoadKind::Builder;
    std::function<RecordsetPtr(BuilderContext&)> build;
    // The GL account lookup of the transaction detail report needs the data folder's setup
    // service: the dispatcher calls InitSetupService with the request's log-on first.
    bool needsSetupService = false;
};

using Catalogue = std::map<std::string, CatalogueEntry, std::less<>>;

const Catalogue& StandardCatalogue();

}  // namespace hlreports
