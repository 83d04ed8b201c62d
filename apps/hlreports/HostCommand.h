// The host command's requests: print (PrintReport), printrs (PrintRS) and demo. Each returns the
// documented exit code: 0 report prepared, 1 error, 2 wrong usage, 3 the user cancelled, 4 no
// report and no error. Message boxes and errors go to the error stream.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hlreports {
class CoreReport;
class Ui;
}  // namespace hlreports

namespace hlreports::host {

enum ExitCode : int {
    ExitReport = 0,
    ExitError = 1,
    ExitUsage = 2,
    ExitCancelled = 3,
    ExitNoReport = 4
};

struct PrintRequest {
    std::string description;
    std::optional<std::string> connection;  // default: the embedded demo database
    std::string propertyId = "OAK";
    std::string propertyName = "Oak Terrace Apartments";
    std::string glPrefix = "01";
    std::string user = "manager";
    std::optional<std::string> dataFolder;  // default: the demo data folder
    std::string qzUser;
    std::string qzPassword;
    std::string periodEnd;  // text dates; empty = end of this month
    std::string fiscalEnd;
    std::string destination = "window";
    std::optional<std::string> criteriaJson;
    std::optional<std::string> answersFile;
    std::optional<std::string> outFile;
    // "qt", "headless", or empty: the Qt dialogs when a display is available and no answers are
    // given, the scripted driver otherwise.
    std::string ui;
    std::optional<std::string> recordFile;  // the Qt dialogs' session as an answer file
};

struct PrintRsRequest {
    std::string description;
    std::string dataFile;
    std::vector<std::string> parameters;
    std::optional<std::string> connection;
    std::optional<std::string> outFile;
};

int RunPrint(const PrintRequest& request, std::ostream& errors);
// As RunPrint, with the request's dialogs on the given driver (the screenshot command's); the
// prepared report is handed back through `prepared` when it is given, instead of being shown.
int RunPrintOn(const PrintRequest& request, const std::shared_ptr<Ui>& ui, std::ostream& errors,
               std::shared_ptr<CoreReport>* prepared = nullptr);
int RunPrintRs(const PrintRsRequest& request, std::ostream& errors);
// Builds the demo database afresh and prints a few reports as HTML and text into the folder.
int RunDemo(const std::string& outFolder, std::ostream& output, std::ostream& errors);

}  // namespace hlreports::host
