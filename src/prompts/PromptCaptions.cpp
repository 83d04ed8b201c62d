// Captions and period dates of prompt lines; see PromptCaptions.h.
#include "prompts/PromptCaptions.h"

#include <array>

#include "data/SPParams.h"
#include "data/clsRecordset.h"
#include "prompts/ParameterTokens.h"
#include "recordset/AdoTypes.h"
#include "runtime/ComError.h"
#include "runtime/Err.h"
#include "runtime/Session.h"
#include "runtime/Text.h"
#include "service/SetupHelpers.h"
#include "service/SharedObjects.h"
#include "util/DateUtils.h"

namespace hlreports {
namespace {

constexpr std::array<std::string_view, 7> Tokens = {
    "QZLIST(",
    "QZPROMPT(",
    "QZPREFILL(",
    "HLPROPERTYPERIODBEGINDATE(",
    "HLPROPERTYPERIODENDDATE(",
    "HLCALENDARMONTHBEGINDATE(",
    "HLCALENDARMONTHENDDATE(",
};

bool NameStartsWith(const CoreParameter& parameter, std::string_view keyword) {
    const std::string fullName = parameter.ParameterName();
    return fullName.size() >= 2 &&
           StartsWithIgnoreCase(std::string_view(fullName).substr(2), keyword);
}

}  // namespace

std::string CaptionFromName(std::string_view text) {
    std::string caption = ReplaceAll(text, "_", " ");
    if (!caption.empty() && caption.front() == '@') {
        caption.erase(0, 1);
    }
    return caption;
}

std::string StripToken(std::string_view text) {
    const std::string trimmed = Trim(text);
    for (std::string_view token : Tokens) {
        if (StartsWithIgnoreCase(trimmed, token)) {
            if (trimmed.size() <= token.size()) {
                return "";
            }
            return trimmed.substr(token.size(), trimmed.size() - token.size() - 1);
        }
    }
    return std::string(text);
}

std::string LineCaption(const CoreParameter& parameter) {
    std::string text = parameter.PromptText();
    if (text.empty()) {
        text = basStripBraces(parameter.ParameterName());
    }
    return StripToken(CaptionFromName(text));
}

Date CurrentPeriodEnd(const std::string& propertyId) {
    try {
        SPParams params;
        params.Add("@Property", adVarChar, 10, adParamInput, Variant(propertyId));
        params.Add("@DBVersion", adVarChar, 10, adParamOutput, Variant());
        SharedRecordset().RunSPReturnValue("sp_GetPropertyInfo", params);
    } catch (const ComError&) {
        Err().Clear();
        return Date();
    }
    const Date periodEnd = TheSession().settings.periodEndDate;
    if (periodEnd.Day() > 27) {
        return FirstOfNextMonth(periodEnd).AddDays(-1);
    }
    return periodEnd;
}

Date PrefillDate(const CoreParameter& parameter, const std::string& propertyId) {
    if (NameStartsWith(parameter, "hlPropertyPeriodEndDate")) {
        return CurrentPeriodEnd(propertyId);
    }
    if (NameStartsWith(parameter, "hlPropertyPeriodBeginDate")) {
        return basBeginningOfPeriod(CurrentPeriodEnd(propertyId));
    }
    if (NameStartsWith(parameter, "hlCalendarMonthEndDate")) {
        return FirstOfNextMonth(Date::Today()).AddDays(-1);
    }
    if (NameStartsWith(parameter, "hlCalendarMonthBeginDate")) {
        return basFirstOfMonth();
    }
    return Date::Today();
}

}  // namespace hlreports
