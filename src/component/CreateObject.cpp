// The registry is a table: one row per creatable class. "HLReports.Reports" is wired to the
// standard catalogue's dispatcher, which is what the host's PrintReport reaches.
#include "hlreports/CreateObject.h"

#include <array>
#include <string>

#include "catalogue/CatalogueDispatcher.h"
#include "hlreports/ReportDSNs.h"
#include "hlreports/Reports.h"
#include "prompts/clsCustomRptParams.h"
#include "runtime/ComError.h"
#include "runtime/RuntimeErrors.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

struct CreatableClass {
    std::string_view programmaticName;
    std::shared_ptr<ComObject> (*create)();
};

constexpr std::array<CreatableClass, 3> kClasses = {{
    {"HLReports.Reports",
     [] {
         return std::shared_ptr<ComObject>(
             std::make_shared<Reports>(std::make_shared<CatalogueDispatcher>()));
     }},
    {"HLReports.ReportDSNs",
     [] { return std::shared_ptr<ComObject>(std::make_shared<ReportDSNs>()); }},
    {"HLReports.clsCustomRptParams",
     [] { return std::shared_ptr<ComObject>(std::make_shared<clsCustomRptParams>()); }},
}};

constexpr int32_t kCannotCreateObject = 429;

}  // namespace

std::shared_ptr<ComObject> CreateObject(std::string_view programmaticName) {
    for (const CreatableClass& creatable : kClasses) {
        if (EqualsIgnoreCase(creatable.programmaticName, programmaticName)) {
            return creatable.create();
        }
    }
    throw ComError(kCannotCreateObject, std::string(RuntimeErrorSource),
                   "ActiveX component can't create object: " + std::string(programmaticName));
}

}  // namespace hlreports
