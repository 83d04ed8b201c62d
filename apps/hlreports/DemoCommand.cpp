// The demo: builds the demo database afresh, then prints reports that need no dialog, and those
// whose answer file exists under demo/answers, as HTML and text into one folder.
#include <filesystem>
#include <ostream>
#include <sstream>
#include <utility>
#include <vector>

#include "hlreports/DemoDatabase.h"
#include "hlreports/HostCommand.h"
#include "runtime/ComError.h"

namespace hlreports::host {
namespace {

namespace fs = std::filesystem;

struct DemoReport {
    std::string description;
    std::string fileStem;
    std::string answers;   // file under demo/answers, or empty
    std::string criteria;  // --criteria JSON, or empty
};

const std::vector<DemoReport>& DemoReports() {
    static const std::vector<DemoReport> reports = {
        {"Apartment Status", "apartment-status", "", ""},
        {"Owner's Summary", "owners-summary", "", ""},
        {"Charge Type List", "charge-type-list", "", ""},
        {"Demographics", "demographics", "", ""},
        {"Wait List", "wait-list", "", ""},
        {"Make Ready", "make-ready", "", ""},
        {"Occupancy Custom", "occupancy-custom", "", ""},
        {"Resident Review", "resident-review", "custom/ResidentReview.json", ""},
        {"Returned Items", "returned-items", "rptNSF.json", ""},
        {"Resident List", "resident-list", "rptTenantList.json", ""},
        {"Lease Expiration", "lease-expiration", "rptLeaseExpiration.json", ""},
        {"Monthly Summary", "monthly-summary", "rptMonthlySum.json", ""},
        {"Posting Journal", "posting-journal", "",
         R"(["O261205C,O261204C", "Post cash receipts", "", "", "", "", 0, ""])"},
        {"Refund Deposits Journal", "refund-deposits-journal", "",
         R"(["O261208F,O261210F", "", "", "12/10/2026", "amartin"])"},
        {"Import Payments Journal", "import-payments-journal", "",
         R"([["First", "Last", "Rejected"], ["O261103I", "O261203I", "0"]])"},
        {"Applicant Ledger", "applicant-ledger", "", R"(["GCO00439"])"},
    };
    return reports;
}

}  // namespace

int RunDemo(const std::string& outFolder, std::ostream& output, std::ostream& errors) {
    const DemoPaths demo = DefaultDemoPaths();
    try {
        output << "Building the demo database " << demo.database.string() << " ...\n";
        EnsureDemoDatabase(demo, true);
    } catch (const ComError& error) {
        errors << "error " << error.Number() << " (" << error.Source()
               << "): " << error.Description() << "\n";
        return ExitError;
    }
    fs::create_directories(outFolder);
    const fs::path answersFolder = demo.reportDirectory.parent_path() / "answers";
    int failures = 0;
    int printed = 0;
    for (const DemoReport& report : DemoReports()) {
        PrintRequest request;
        request.description = report.description;
        if (!report.answers.empty()) {
            const fs::path answers = answersFolder / report.answers;
            if (!fs::exists(answers)) {
                continue;
            }
            request.answersFile = answers.string();
        }
        if (!report.criteria.empty()) {
            request.criteriaJson = report.criteria;
        }
        for (const char* extension : {".html", ".txt"}) {
            request.outFile = (fs::path(outFolder) / (report.fileStem + extension)).string();
            const int code = RunPrint(request, errors);
            if (code != ExitReport) {
                errors << "demo: \"" << report.description << "\" ended with exit code " << code
                       << "\n";
                ++failures;
                break;
            }
            output << "  " << report.description << " -> " << *request.outFile << "\n";
        }
        ++printed;
    }
    output << "Demo reports are in " << fs::absolute(outFolder).string() << "\n";
    return failures == 0 && printed > 0 ? ExitReport : ExitError;
}

}  // namespace hlreports::host
