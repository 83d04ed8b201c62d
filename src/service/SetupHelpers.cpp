#include "service/SetupHelpers.h"

#include "data/SPParams.h"
#include "data/clsRecordset.h"
#include "recordset/AdoTypes.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "runtime/Text.h"
#include "service/SharedObjects.h"
#include "ui/Ui.h"

namespace hlreports {

std::string GetSetupInfo(std::string_view property, std::string_view setting) {
    try {
        SPParams params;
        params.Add("@Property", adVarChar, 10, adParamInput, Variant(property));
        params.Add("@Setting", adVarChar, 30, adParamInput, Variant(setting));
        params.Add("@SettingValue", adVarChar, 255, adParamOutput, Variant::Missing());
        SharedRecordset().RunSPReturnValue("sp_GetSetupInfo", params);
        const Variant value = params.GetValue("@SettingValue");
        if (value.IsNull()) {
            // The classic conversion of a Null fails with the runtime's own text, which callers
            // match.
            throw ComError(ErrorNumber::InvalidUseOfNull, "GetSetupInfo", "Invalid use of Null");
        }
        return value.ToString();
    } catch (const ComError& error) {
        throw ComError(3002, "GetSetupInfo", error.Description());
    }
}

std::string basParseConnectionString(std::string_view connection, std::string_view key) {
    const std::string text = std::string(connection) + ";";
    const std::size_t keyPosition = FindIgnoreCase(text, key);
    if (keyPosition == std::string::npos || key.empty()) {
        throw ComError(ErrorNumber::FirstObjectError, "basRptFunctions.basParseConnectionString",
                       "The connection string has no \"" + std::string(key) + "\" key");
    }
    const std::size_t valueStart = keyPosition + key.size() + 1;
    const std::size_t valueEnd = text.find(';', keyPosition);
    if (valueStart > valueEnd) {
        throw ComError(
            ErrorNumber::FirstObjectError, "basRptFunctions.basParseConnectionString",
            "The connection string has no value for the \"" + std::string(key) + "\" key");
    }
    return text.substr(valueStart, valueEnd - valueStart);
}

Date FirstOfNextMonth(std::optional<Date> date) {
    const Date base = date.value_or(Date::Today());
    if (base.Month() == 12) {
        return Date::FromYmd(base.Year() + 1, 1, 1);
    }
    return Date::FromYmd(base.Year(), base.Month() + 1, 1);
}

void ShowErrorBox(std::string_view description, std::string_view /*source*/, std::string_view extra,
                  int32_t /*number*/) {
    const std::string text = description.empty()
                                 ? std::string(extra)
                                 : std::string(description) + " " + std::string(extra);
    TheUi().MsgBox(text, vbExclamation, "Hearthline");
}

}  // namespace hlreports
