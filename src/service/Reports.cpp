#include "hlreports/Reports.h"

#include "data/clsRecordset.h"
#include "hlreports/ReportDSNs.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "runtime/Text.h"
#include "service/ReportDispatcher.h"
#include "service/ReportRunner.h"
#include "service/RunnerHelpers.h"
#include "service/SetupHelpers.h"
#include "service/SharedObjects.h"

namespace hlreports {
namespace {

std::string WithoutAmpersands(const std::string& text) {
    return ReplaceAll(text, "&", "");
}

std::string First255Characters(const std::string& text) {
    // Characters, not bytes: never cut a UTF-8 sequence in two.
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (characters == 255) {
                return text.substr(0, i);
            }
            ++characters;
        }
    }
    return text;
}

// The report file's name for a description, through "sp_Rep_GetReportName"; error 2944.
std::string GetReportName(const std::string& description) {
    try {
        SPParams params;
        params.Add("@Description", adVarChar, 30, adParamInput, Variant(description));
        params.Add("@Name", adVarChar, 30, adParamOutput, Variant::Missing());
        SharedRecordset().RunSPReturnValue("sp_Rep_GetReportName", params);
        const Variant name = params.GetValue("@Name");
        if (name.IsNull()) {
            throw ComError(ErrorNumber::InvalidUseOfNull, "GetReportName", "Invalid use of Null");
        }
        return name.ToString();
    } catch (const ComError& error) {
        throw ComError(2944, "GetReportName", error.Description());
    }
}

}  // namespace

Reports::Reports(std::shared_ptr<ReportDispatcher> dispatcher)
    : dispatcher_(std::move(dispatcher)) {
    TheSession().sharedRecordset = std::make_shared<clsRecordset>();
}

Reports::~Reports() {
    Session& session = TheSession();
    session.sharedRecordset.reset();
    if (session.reportDSNs) {
        session.reportDSNs->RemoveDSNs();
        session.reportDSNs.reset();
    }
}

void Reports::AddPreview() {
    // The counter is 16-bit; running past its top is the classic overflow.
    openPreviews_ = Variant(static_cast<int32_t>(openPreviews_) + 1).ToInteger();
}

bool Reports::ClosePreview() {
    openPreviews_ = Variant(static_cast<int32_t>(openPreviews_) - 1).ToInteger();
    return openPreviews_ < 1;
}

void Reports::SetLastReportFormOpened(std::shared_ptr<CoreReportForm>& frmReportForm) {
    TheSession().lastReportForm = frmReportForm;
}

std::shared_ptr<CoreReport> Reports::PrintReport(
    const std::string& strReportName, const std::string& strGLPrefix,
    const std::string& strPropertyID, const std::string& strPropertyName,
    const std::string& strConnectionString, const std::string& strUserName, int32_t& Destination,
    bool& bParamsWindow, const Variant& bReportCriteriaFormRestoresFocus,
    std::string& strDataFolder, std::string& strQZUser, std::string& strQZPassword,
    Date dtePeriodEndDate, Date /*dteFiscalEndDate*/, const Variant& varCriteria) {
    Session& session = TheSession();
    std::shared_ptr<CoreReport> report;
    try {
        session.settings.focusFlag = bReportCriteriaFormRestoresFocus.IsMissing()
                                         ? false
                                         : bReportCriteriaFormRestoresFocus.ToBoolean();
        SharedRecordset().SetConnectionString(strConnectionString);
        if (!session.reportDSNs) {
            session.reportDSNs = std::make_shared<ReportDSNs>();
        }
        session.reportDSNs->Initialize(strDataFolder);

        session.settings.reportName = strReportName;
        session.settings.userName = strUserName;
        session.settings.destination = Destination;
        if (!varCriteria.IsMissing()) {
            session.settings.criteria = varCriteria;
        }
        session.settings.glPrefix = strGLPrefix;
        session.settings.propertyId = strPropertyID;
        session.settings.propertyName = strPropertyName;
        session.settings.periodEndDate = dtePeriodEndDate;

        report = RunReport(*dispatcher_, bParamsWindow, strQZUser, strQZPassword, strReportName);

        Destination = session.settings.destination;
        if (Destination == DestinationPreviewFromStatusForm) {
            AddPreview();
        }
        if (report && report->Title().empty()) {
            report->SetTitle(WithoutAmpersands(strReportName));
        }
        return report;
    } catch (const ComError& error) {
        if (error.Source() == "LoadCrystal") {
            throw;
        }
        throw ComError(2942, "PrintReport", error.Description());
    }
}

std::shared_ptr<CoreReport> Reports::PrintRS(const std::string& strReportName,
                                             const RecordsetPtr& rstReportData,
                                             const std::string& strConnectionString,
                                             const Variant& arrParams) {
    Session& session = TheSession();
    try {
        SharedRecordset().SetConnectionString(strConnectionString);
        const std::string directory =
            ReportDirectoryWithSeparator(GetSetupInfo("", "ReportDirectory"));
        const std::string path = directory + GetReportName(strReportName);

        std::shared_ptr<CoreReport> report = CoreEngine().NewReport();
        session.currentReport = report;
        report->Load(path);
        const auto& tables = report->Database()->Tables();
        CoreParameterArray& parameters = report->Parameters();

        if (!arrParams.IsNull() && !arrParams.IsMissing()) {
            const VariantArray& values = arrParams.AsArray();
            for (int i = values.LowerBound(1); i <= values.UpperBound(1); ++i) {
                const std::size_t position = static_cast<std::size_t>(i - values.LowerBound(1));
                if (position >= parameters.size()) {
                    throw ComError(ErrorNumber::SubscriptOutOfRange, "PrintRS",
                                   "Subscript out of range: the report has " +
                                       std::to_string(parameters.size()) +
                                       " parameters and the values have more rows");
                }
                parameters[position]->SetCurrentValue(
                    Variant(First255Characters(values.At(i, 1).ToString())));
            }
        }
        if (tables.empty()) {
            throw ComError(ErrorNumber::SubscriptOutOfRange, "PrintRS",
                           "Subscript out of range: the report file " + path + " has no table");
        }
        if (!rstReportData) {
            throw ComError(
                ErrorNumber::ObjectRequired, "PrintRS",
                "Object variable or With block variable not set (no recordset was given)");
        }
        tables.front()->SetRows(rstReportData->SavedCopy());
        const CoreHostConnection host = HostConnection(SharedRecordset().ConnectionString());
        report->ReadTables(&host);
        AddPreview();
        if (report->Title().empty()) {
            report->SetTitle(strReportName);
        }
        session.currentReport.reset();
        return report;
    } catch (const ComError& error) {
        session.currentReport.reset();
        if (error.Number() == 2944) {
            throw ComError(2943, "PrintRS",
                           "The report requested does not exist in the report table.");
        }
        if (error.Description().find("needs to be upgraded") != std::string::npos) {
            return nullptr;
        }
        throw ComError(2943, "PrintRS", error.Description());
    } catch (const std::exception& error) {
        // Whatever else fails (no memory, a library's own exception) ends the same way.
        session.currentReport.reset();
        throw ComError(2943, "PrintRS", error.what());
    }
}

}  // namespace hlreports
