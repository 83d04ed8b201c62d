#include "hlreports/HostCommand.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <regex>
#include <stdexcept>

#include "hlreports/CreateObject.h"
#include "hlreports/DemoDatabase.h"
#include "hlreports/Desktop.h"
#include "hlreports/HeadlessUi.h"
#include "hlreports/HostValues.h"
#include "hlreports/ReportOutput.h"
#include "hlreports/Reports.h"
#include "recordset/Recordset.h"
#include "runtime/CausedComError.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "service/SetupHelpers.h"
#include "ui/AnswerFile.h"
#include "ui/AnswerRecorder.h"
#include "ui/ScriptedUi.h"

namespace hlreports::host {
namespace {

namespace fs = std::filesystem;

constexpr int64_t kProgressRows = 5000;

struct UsageError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Whether the request runs the Qt dialogs; wrong combinations are usage errors.
bool WantsDesktop(const PrintRequest& request) {
    bool desktop = false;
    if (request.ui.empty()) {
        desktop = !request.answersFile && DesktopAvailable();
    } else if (request.ui == "qt") {
        if (!HasDesktop()) {
            throw UsageError("--ui qt: this build has no Qt front-end");
        }
        if (request.answersFile) {
            throw UsageError("--ui qt and --answers exclude each other: answers play headless");
        }
        // Without a display the windows would wait unseen; a platform set on purpose is kept.
        if (!DesktopAvailable() && !IsSet("QT_QPA_PLATFORM")) {
            throw UsageError("--ui qt needs a display (DISPLAY or WAYLAND_DISPLAY)");
        }
        desktop = true;
    } else if (request.ui != "headless") {
        throw UsageError("--ui must be qt or headless, not " + request.ui);
    }
    if (request.recordFile && !desktop) {
        throw UsageError("--record writes what is done in the Qt dialogs; it needs --ui qt");
    }
    if (request.recordFile) {
        const fs::path folder = fs::absolute(*request.recordFile).parent_path();
        if (!fs::is_directory(folder)) {
            throw UsageError("--record " + *request.recordFile + ": the folder does not exist");
        }
    }
    return desktop;
}

void InstallUi(const std::optional<std::string>& answersFile, std::ostream& errors) {
    if (answersFile) {
        TheSession().ui = std::make_shared<ScriptedUi>(AnswerFile::Load(*answersFile), errors);
        return;
    }
    TheSession().ui = std::make_shared<HeadlessUi>(errors);
}

std::shared_ptr<Reports> NewReports() {
    auto reports = std::dynamic_pointer_cast<Reports>(CreateObject("HLReports.Reports"));
    if (!reports) {
        throw ComError(429, "hlreports",
                       "ActiveX component can't create object: HLReports.Reports");
    }
    return reports;
}

Date DateOption(const std::string& text, const char* option, Date fallback) {
    if (text.empty()) {
        return fallback;
    }
    const std::optional<Date> date = Date::Parse(text);
    if (!date) {
        throw UsageError(std::string(option) + " " + text +
                         " is not a date (write month/day/year or YYYY-MM-DD)");
    }
    return *date;
}

int32_t DestinationOption(const std::string& text) {
    if (text == "window") {
        return irtowindow;
    }
    if (text == "printer") {
        return irToPrinter;
    }
    throw UsageError("--destination must be window or printer, not " + text);
}

// The connection and data folder of a request: the embedded demo database unless given.
struct Target {
    std::string connection;
    std::string dataFolder;
};

Target ResolveTarget(const std::optional<std::string>& connection,
                     const std::optional<std::string>& dataFolder) {
    Target target;
    if (connection && dataFolder) {
        target.connection = *connection;
        target.dataFolder = *dataFolder;
        return target;
    }
    const DemoPaths demo = DefaultDemoPaths();
    if (!connection) {
        EnsureDemoDatabase(demo, false);
    }
    if (!dataFolder) {
        // The demo's data folder, also for a server database holding the demo
        // (scripts/demo-server.sh), with the private ODBC setup its report data sources need.
        EnsureDemoDataFolder(demo);
        UsePrivateOdbcConfigurationUnlessSet(demo);
    }
    target.connection = connection.value_or(EmbeddedConnectionString(demo.database));
    target.dataFolder = dataFolder.value_or(demo.dataFolder.string());
    return target;
}

void Deliver(const CoreReport& report, const std::optional<std::string>& outFile,
             const RequestOutcome& outcome, std::ostream& errors) {
    if (!outFile) {
        errors << "hlreports: report \"" << report.Title() << "\" prepared ("
               << MainTableRows(report) << " rows); give --out FILE to write it\n";
        return;
    }
    const int64_t rows = MainTableRows(report);
    if (rows > kProgressRows) {
        errors << "hlreports: rendering " << rows << " rows to " << *outFile << " ..." << std::endl;
    }
    WriteReport(report, *outFile, outcome);
    if (rows > kProgressRows) {
        errors << "hlreports: wrote " << *outFile << std::endl;
    }
}

std::string ReadDataFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw UsageError("--data " + file + ": cannot read the file");
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A database's message may quote the connection string it was given; its password stays hidden.
std::string WithoutPasswords(const std::string& text) {
    static const std::regex password(R"(((?:pwd|password)\s*=\s*)(\{[^}]*\}|[^;'"\s]*))",
                                     std::regex::icase);
    return std::regex_replace(text, password, "$1***");
}

int ReportError(const ComError& error, std::ostream& errors) {
    errors << "error " << error.Number() << " (" << error.Source() << "): " << error.Description()
           << "\n";
    if (const ComError* cause = CauseOf(error)) {
        errors << "  cause: error " << cause->Number() << " (" << cause->Source()
               << "): " << WithoutPasswords(cause->Description()) << "\n";
    }
    return ExitError;
}

template <typename Body>
int Guarded(std::ostream& errors, Body body) {
    try {
        return body();
    } catch (const UsageError& error) {
        errors << "hlreports: " << error.what() << "\n";
        return ExitUsage;
    } catch (const std::invalid_argument& error) {
        errors << "hlreports: " << error.what() << "\n";
        return ExitUsage;
    } catch (const ComError& error) {
        return ReportError(error, errors);
    } catch (const std::exception& error) {
        errors << "error: " << error.what() << "\n";
        return ExitError;
    }
}

}  // namespace

int RunPrint(const PrintRequest& request, std::ostream& errors) {
    return RunPrintOn(request, nullptr, errors);
}

int RunPrintOn(const PrintRequest& request, const std::shared_ptr<Ui>& ui, std::ostream& errors,
               std::shared_ptr<CoreReport>* prepared) {
    return Guarded(errors, [&] {
        int32_t destination = DestinationOption(request.destination);
        const Date periodEnd =
            DateOption(request.periodEnd, "--period-end", FirstOfNextMonth().AddDays(-1));
        const Date fiscalEnd = DateOption(request.fiscalEnd, "--fiscal-end", periodEnd);
        const Variant criteria =
            request.criteriaJson ? CriteriaFromJson(*request.criteriaJson) : Variant::Missing();
        if (request.outFile) {
            CheckOutputFile(*request.outFile);
        }
        const bool desktop = !ui && WantsDesktop(request);
        const Target target = ResolveTarget(request.connection, request.dataFolder);
        AnswerRecorder recorder;
        if (ui) {
            TheSession().ui = ui;
        } else if (desktop) {
            InstallDesktopUi(request.recordFile ? &recorder : nullptr);
        } else {
            InstallUi(request.answersFile, errors);
        }

        std::shared_ptr<CoreReport> report;
        bool paramsWindow = false;
        {
            std::shared_ptr<Reports> reports = NewReports();
            std::string dataFolder = target.dataFolder;
            std::string qzUser = request.qzUser;
            std::string qzPassword = request.qzPassword;
            report = reports->PrintReport(request.description, request.glPrefix, request.propertyId,
                                          request.propertyName, target.connection, request.user,
                                          destination, paramsWindow, Variant(false), dataFolder,
                                          qzUser, qzPassword, periodEnd, fiscalEnd, criteria);
            if (request.recordFile) {
                // Saved whatever the outcome: a cancel replays as a cancel.
                recorder.Save(*request.recordFile);
            }
            if (report && desktop && !request.outFile) {
                PresentReport(report, *reports, destination);
                return static_cast<int>(ExitReport);
            }
        }
        if (!report) {
            return static_cast<int>(Err().Number() == ErrorNumber::UserCancelled ? ExitCancelled
                                                                                 : ExitNoReport);
        }
        if (prepared != nullptr) {
            *prepared = report;
            return static_cast<int>(ExitReport);
        }
        Deliver(*report, request.outFile, RequestOutcome{destination, paramsWindow}, errors);
        return static_cast<int>(ExitReport);
    });
}

int RunPrintRs(const PrintRsRequest& request, std::ostream& errors) {
    return Guarded(errors, [&] {
        const Variant parameters = ParameterArray(request.parameters);
        if (request.outFile) {
            CheckOutputFile(*request.outFile);
        }
        const Target target = ResolveTarget(request.connection, std::string());
        InstallUi(std::nullopt, errors);
        RecordsetPtr rows = Recordset::LoadXml(ReadDataFile(request.dataFile));
        std::shared_ptr<CoreReport> report;
        {
            std::shared_ptr<Reports> reports = NewReports();
            report = reports->PrintRS(request.description, rows, target.connection, parameters);
        }
        if (!report) {
            return static_cast<int>(ExitNoReport);
        }
        Deliver(*report, request.outFile, RequestOutcome{}, errors);
        return static_cast<int>(ExitReport);
    });
}

}  // namespace hlreports::host
