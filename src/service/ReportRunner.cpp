#include "service/ReportRunner.h"

#include <array>
#include <optional>

#include "data/clsRecordset.h"
#include "runtime/CausedComError.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "runtime/Text.h"
#include "service/RunnerHelpers.h"
#include "service/SetupHelpers.h"
#include "service/SharedObjects.h"
#include "ui/Ui.h"

namespace hlreports {
namespace {

constexpr std::string_view kNoInformation = "There is no information to print.";
constexpr std::array<std::string_view, 6> kSpecialDataSources = {
    "PostingJournal",     "PostRefundsJournal",    "SendInvoicesJournal",
    "rptApplicantLedger", "ImportPaymentsJournal", "ImportChargesJournal"};

bool IsSpecialDataSource(const std::string& dataSource) {
    for (std::string_view name : kSpecialDataSources) {
        if (dataSource == name) {
            return true;
        }
    }
    return false;
}

bool FillsItsOwnReport(const std::string& dataSource) {
    return dataSource == "NONE" || dataSource == "CUSTOM" || IsSpecialDataSource(dataSource);
}

// What the request knows when it reaches the error path.
struct FailureState {
    std::string message;
    std::string file;
    RecordsetPtr recordset;
};

std::shared_ptr<CoreReport> FinishWithError(FailureState& state, const std::string& reportName) {
    Session& session = TheSession();
    TheUi().SetMousePointer(vbDefault);
    const int32_t number = Err().Number();
    // The classic text of an early failure names no reason; the pending error travels with it.
    std::optional<ComError> cause;
    if (state.message.empty() && !session.currentReport) {
        state.message = "Unable to open the file " + state.file +
                        ".  The file may be missing or the path may be incorrect.";
        if (number != 0) {
            cause.emplace(number, Err().Source(), Err().Description());
        }
    }
    if (number == ErrorNumber::ObjectRequired) {
        state.message = kNoInformation;
    } else if (number == ErrorNumber::ReportFileNotFound ||
               number == ErrorNumber::NoCurrentRecord) {
        state.message = "Cannot find the report you requested: " + reportName +
                        ".  Please contact the system administrator to verify that the report file "
                        "has not been "
                        "moved or deleted.";
    }
    session.currentReport.reset();
    if (state.recordset) {
        // Closing a closed recordset is an error of its own that would hide the message.
        if (state.recordset->State() != adStateClosed) {
            state.recordset->Close();
        }
        state.recordset.reset();
    }
    if (state.message.empty()) {
        state.message = "Error processing report: " + Err().Description();
    }
    if (state.message == kNoInformation) {
        TheUi().MsgBox(state.message, vbOKOnly, "Hearthline");
        return nullptr;
    }
    if (state.message.find("needs to be upgraded") != std::string::npos ||
        number == ErrorNumber::UserCancelled) {
        return nullptr;
    }
    ComError error(2905, "LoadCrystal", state.message);
    if (cause && state.message.starts_with("Unable to open the file")) {
        throw CausedComError(std::move(error), std::move(*cause));
    }
    throw error;
}

}  // namespace

std::string ReportDirectoryWithSeparator(std::string directory) {
    if (!directory.empty() && (directory.back() == '\\' || directory.back() == '/')) {
        return directory;
    }
    const bool windowsStyle =
        directory.find('\\') != std::string::npos && directory.find('/') == std::string::npos;
    return directory + (windowsStyle ? "\\" : "/");
}

std::shared_ptr<CoreReport> RunReport(ReportDispatcher& dispatcher, bool& bParamsWindow,
                                      const std::string& user, const std::string& password,
                                      const std::string& reportName) {
    Session& session = TheSession();
    TheUi().SetMousePointer(vbHourglass);
    Err().Clear();
    FailureState state;
    try {
        const std::string directory = ReportDirectoryWithSeparator(
            GetSetupInfo(session.settings.propertyId, "ReportDirectory"));

        RecordsetPtr library;
        SharedRecordset().GetRS("SELECT Name,DataSource FROM tblReportLib WHERE Description = " +
                                    SqlQuoted(session.settings.reportName),
                                library, false);
        state.recordset = library;
        if (!library || library->EOF()) {
            state.message = "Report data source not found";
            return FinishWithError(state, reportName);
        }
        const Variant dataSourceValue = library->Value("DataSource");
        const std::string dataSource =
            dataSourceValue.IsNull() ? std::string() : dataSourceValue.ToString();
        const std::string name = library->Value("Name").ToString();
        state.file = dataSource == "CUSTOM" ? name : directory + name;
        library->Close();
        state.recordset.reset();

        std::shared_ptr<CoreReport> report = CoreEngine().NewReport();
        session.currentReport = report;
        report->Load(state.file);
        const auto& tables = report->Database()->Tables();
        CoreParameterArray& parameters = report->Parameters();

        bool journalHandled = false;
        if (FillsItsOwnReport(dataSource)) {
            dispatcher.GetReportData(dataSource, bParamsWindow, journalHandled, parameters, user,
                                     password, reportName);
            if (dataSource == "NONE" && !bParamsWindow) {
                Err().SetPending(ErrorNumber::UserCancelled, "RunReport", "");
                return FinishWithError(state, reportName);
            }
        } else if (!dataSource.empty()) {
            state.recordset = dispatcher.GetReportData(dataSource, bParamsWindow, journalHandled,
                                                       parameters, user, password, "");
            if (!state.recordset || Err().Number() == ErrorNumber::UserCancelled) {
                return FinishWithError(state, reportName);
            }
            if (state.recordset->State() != adStateOpen || state.recordset->EOF()) {
                state.message = std::string(kNoInformation);
                return FinishWithError(state, reportName);
            }
            if (tables.empty()) {
                throw ComError(
                    ErrorNumber::SubscriptOutOfRange, "RunReport",
                    "Subscript out of range: the report file " + state.file + " has no table");
            }
            tables.front()->SetRows(state.recordset->SavedCopy());
        }
        // Tables that read their own rows do so now, after every road has filled what it fills.
        const CoreHostConnection host = HostConnection(SharedRecordset().ConnectionString());
        report->ReadTables(&host);
        TheUi().SetMousePointer(vbDefault);
        state.recordset.reset();
        return session.currentReport;
    } catch (const ComError& error) {
        if (error.Number() == 2905 && error.Source() == "LoadCrystal") {
            throw;  // the error path's own verdict: it has already run
        }
        Err().SetPending(error);
        return FinishWithError(state, reportName);
    } catch (const std::exception& error) {
        Err().SetPending(ErrorNumber::DatabaseError, "RunReport", error.what());
        return FinishWithError(state, reportName);
    }
}

}  // namespace hlreports
