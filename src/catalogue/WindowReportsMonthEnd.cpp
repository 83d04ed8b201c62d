// Month-length rules of the financial reports and the End of Month builder, which differs from
// a row: its window shows only when the host gives no criteria, and the property's proration
// setting (from "sp_GetPropertyInfo") decides the end date and the day count sent to "sp_EOM".
#include "catalogue/WindowReports.h"

#include <cmath>

#include "catalogue/ReportError.h"
#include "catalogue/StandardReport.h"
#include "criteria/frmRepCriteria.h"
#include "data/SPParams.h"
#include "data/clsRecordset.h"
#include "runtime/Err.h"
#include "service/SetupHelpers.h"
#include "service/SharedObjects.h"
#include "ui/Ui.h"

namespace hlreports {
namespace {

constexpr const char* ActualNumberDays = "Actual Number Days";
constexpr const char* ThirtyDayMonth = "30 Day Month";

// The proration setting; nullopt when the property information cannot be read, which leaves the
// end date as chosen and the day count 0 as the classic builder did, but no longer silently: the
// user is told through a message box (standard error for the host command).
std::optional<std::string> ProrationSetting(const std::string& property) {
    try {
        SPParams params;
        params.Add("@Property", adVarChar, 10, adParamInput, Variant(property));
        params.Add("@DBVersion", adVarChar, 10, adParamOutput, Variant::Missing());
        RecordsetPtr info;
        SharedRecordset().RunSPRetRSOutParams("sp_GetPropertyInfo", &params, info, false);
        if (!info || !info->IsOpen() || info->EOF()) {
            return std::string();
        }
        return info->Value("Occ_Proration_Opt").ToString();
    } catch (const ComError& error) {
        Err().Clear();
        TheUi().MsgBox("End of Month: the property information could not be read (" +
                           error.Description() + "); the report is run with 0 days in the month.",
                       vbOKOnly | vbExclamation, "Hearthline");
        return std::nullopt;
    }
}

Date EndDateOf(const BuilderContext& context, Date today, bool& cancelled) {
    cancelled = false;
    if (!HasNoCriteria(context.criteria)) {
        return context.criteria.AsArray().At(0).ToDate();
    }
    frmRepCriteria form;
    form.DateOnly("End Of Month Report", FirstOfNextMonth(today).AddDays(-1), "Period End Date:");
    if (!form.Result()) {
        cancelled = true;
        return Date();
    }
    return form.Get("datDate1").Value().ToDate();
}

}  // namespace

int16_t DaysInMonth(Date date) {
    return static_cast<int16_t>(Date::DaysInMonth(date.Year(), date.Month()));
}

bool ProrationDays(Date startDate, Date endDate, const std::string& option, int16_t& days) {
    if (option == ActualNumberDays) {
        if (startDate.Month() != endDate.Month()) {
            // Halves round to even, as the classic integer conversion does.
            days = static_cast<int16_t>(
                std::nearbyint((DaysInMonth(startDate) + DaysInMonth(endDate)) / 2.0));
            return true;
        }
        days = DaysInMonth(startDate);
        return true;
    }
    if (option == ThirtyDayMonth) {
        days = 30;
        return true;
    }
    return false;
}

int16_t EndOfMonthDays(Date endDate, const std::string& option) {
    if (option == ThirtyDayMonth) {
        return 30;
    }
    if (option != ActualNumberDays) {
        return 0;
    }
    if (endDate.Day() > 27) {
        return static_cast<int16_t>(endDate.Day());
    }
    return static_cast<int16_t>(endDate.DayNumber() - endDate.AddMonths(-1).DayNumber());
}

RecordsetPtr EndOfMonthReport(BuilderContext& context) {
    Err().Clear();
    const ReportError error{2960, "EndOfMonth", false};
    try {
        const Date today = Date::Today();
        bool cancelled = false;
        Date endDate = EndDateOf(context, today, cancelled);
        if (cancelled) {
            return nullptr;
        }
        if (HasNoCriteria(context.criteria)) {
            context.bParamsWindow = true;
        }
        int16_t days = 0;
        if (const auto setting = ProrationSetting(context.propertyId)) {
            endDate =
                endDate.Day() > 27 ? FirstOfNextMonth(endDate).AddDays(-1) : endDate.DateOnly();
            days = EndOfMonthDays(endDate, *setting);
        }
        const ReportRow spec{
            .key = "EndOfMonth",
            .error = error,
            .procedure = "sp_EOM",
            .parameters = {PropertyParameter(),
                           In("@EndDate", adDBDate, 8, Literal(Variant(endDate))),
                           In("@DaysInMonth", adInteger, 8, Literal(Variant(int32_t{days}))),
                           In("@ReportOnly", adSmallInt, 4, Literal(Variant::Integer(1))),
                           Out("@GPR", adDouble, 8), Out("@LTL", adDouble, 8),
                           Out("@VL", adDouble, 8)},
            .formulas = {{"PropertyName", PropertyName()},
                         {"AsOfDate", Literal(Variant(endDate))},
                         {"DaysInMonth", Literal(Variant::Integer(days))}}};
        return RunStandardReport(spec, context);
    } catch (...) {
        RaiseReportError(error);
    }
}

}  // namespace hlreports
