// The parameter journal rows and the code that fills a journal's report; see
// ParameterJournals.h. Sources keep the journals' own spelling ("RefundDepositsJournal").
#include "catalogue/ParameterJournals.h"

#include "runtime/Err.h"
#include "runtime/Text.h"
#include "service/RunnerHelpers.h"

namespace hlreports {
namespace {

constexpr auto List = JournalSettingKind::ListItems;
constexpr auto AddAndApply = JournalSettingKind::AddAndApply;
constexpr auto Set = JournalSettingKind::Set;

ReportError JournalError(std::string source) {
    return ReportError{2909, std::move(source), false};
}

std::vector<JournalSpec> BuildRows() {
    std::vector<JournalSpec> rows;
    rows.push_back({"PostingJournal",
                    JournalError("PostingJournal"),
                    {{"Batch ID", CriteriaText(0), List},
                     {"Task Description", CriteriaElement(1), Set},
                     {"GL Recap", CriteriaElement(2), Set},
                     {"CM Recap", CriteriaElement(3), Set},
                     {"AP Recap", CriteriaElement(4), Set},
                     {"Warnings", CriteriaElement(5), Set},
                     {"Previous Edit Payment Sequence", CriteriaLong(6), Set},
                     {"Sequences", CriteriaText(7), List}}});
    rows.push_back({"PostRefundsJournal",
                    JournalError("RefundDepositsJournal"),
                    {{"Batch ID", CriteriaText(0), List},
                     {"AP Recap", CriteriaElement(1), Set},
                     {"Warnings", CriteriaElement(2), Set},
                     {"Accounting Date", CriteriaDate(3), Set},
                     {"Sent By", CriteriaElement(4), Set}}});
    rows.push_back({"SendInvoicesJournal",
                    JournalError("SendInvoicesJournal"),
                    {{"Batch ID", CriteriaElement(0), AddAndApply},
                     {"AP Recap", CriteriaElement(1), Set},
                     {"Warnings", CriteriaElement(2), Set}}});
    // The import tasks pass a two-dimensional array; their values sit in row 1.
    rows.push_back({"ImportPaymentsJournal",
                    std::nullopt,
                    {{"First Batch", CriteriaElement(1, 0), AddAndApply},
                     {"Last Batch", CriteriaElement(1, 1), Set},
                     {"Rejected", CriteriaElement(1, 2), Set}}});
    rows.push_back({"ImportChargesJournal",
                    std::nullopt,
                    {{"Sequence Start", CriteriaLong(1, 0), AddAndApply},
                     {"Rejected", CriteriaElement(1, 1), Set}}});
    // The applicant ledger reads its own data too: one guest card, no procedure.
    rows.push_back({"rptApplicantLedger",
                    ReportError{2934, "rptApplicantLedger", false},
                    {{"GCardID", CriteriaElement(0), Set}}});
    return rows;
}

void SetParameter(CoreReport& report, const JournalParameter& row, const Variant& value) {
    switch (row.setting) {
        case JournalSettingKind::ListItems: {
            const std::vector<std::string> items = Split(value.ToString(), ",");
            if (items.empty()) {
                return;
            }
            for (const std::string& item : items) {
                report.ParameterByName(row.name)->AddCurrentValue(Variant(item));
            }
            report.ParameterByName(row.name)->ApplyValues();
            return;
        }
        case JournalSettingKind::AddAndApply:
            report.ParameterByName(row.name)->AddCurrentValue(value);
            report.ParameterByName(row.name)->ApplyValues();
            return;
        case JournalSettingKind::Set:
            report.ParameterByName(row.name)->SetCurrentValue(value);
            return;
    }
}

}  // namespace

const std::vector<JournalSpec>& ParameterJournalSpecs() {
    static const std::vector<JournalSpec> rows = BuildRows();
    return rows;
}

RecordsetPtr RunParameterJournal(const JournalSpec& spec, BuilderContext& context) {
    Err().Clear();
    try {
        const BuilderValues values{
            context.propertyId, context.propertyName, context.criteria, Date::Today(), {}, nullptr};
        std::vector<Variant> parameterValues;
        for (const JournalParameter& row : spec.parameters) {
            parameterValues.push_back(row.value.read(values));
        }
        // A report without one of the parameters fails before any of them is set.
        for (const JournalParameter& row : spec.parameters) {
            context.report->ParameterByName(row.name);
        }
        SetReportDatabase(*context.report, context.connectionString);
        for (std::size_t i = 0; i < spec.parameters.size(); ++i) {
            SetParameter(*context.report, spec.parameters[i], parameterValues[i]);
        }
        return nullptr;
    } catch (...) {
        RaiseReportError(spec.error);
    }
}

}  // namespace hlreports
