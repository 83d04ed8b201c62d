// The accounting transaction report's window: its pick lists, the GL account titles from the
// data folder's setup service, and frmDetailTrasactionOptions. A lookup that fails raises its own
// error, which the row raises as 2955 "rptTransDetailOptions"; a failed parameter procedure
// leaves the accounts, batches and runs lists empty and the window still opens.
#include <string>
#include <vector>

#include "catalogue/OwnWindowReports.h"
#include "catalogue/WindowReports.h"
#include "criteria/frmDetailTrasactionOptions.h"
#include "data/SPParams.h"
#include "data/clsRecordset.h"
#include "engine/CoreSetupService.h"
#include "runtime/ComError.h"
#include "runtime/Err.h"
#include "runtime/Session.h"
#include "runtime/Text.h"
#include "service/SharedObjects.h"

namespace hlreports {
namespace {

RecordsetPtr Filtered(const Recordset& rows, const std::string& criteria) {
    RecordsetPtr copy = rows.Clone();
    copy->SetFilter(criteria);
    return copy;
}

// The accounts, batches and runs of the property; nullptr when the procedure failed, which
// leaves those lists empty without keeping the window from opening.
RecordsetPtr ParameterRows(const std::string& property) {
    SPParams params;
    params.Add("@Property", adVarChar, 10, adParamInput, Variant(property));
    RecordsetPtr rows;
    try {
        SharedRecordset().RunSpRetRS("sp_TransDetailOptions_Parameters", rows, &params, false);
    } catch (const ComError&) {
        Err().Clear();
        return nullptr;
    }
    return rows && rows->IsOpen() ? rows : nullptr;
}

}  // namespace

RecordsetPtr AccountsWithTitles(Recordset& parameterRows, const std::string& glPrefix) {
    std::vector<std::string> numbers;
    const RecordsetPtr accountRows = Filtered(parameterRows, "Type = 'Account'");
    for (; !accountRows->EOF(); accountRows->MoveNext()) {
        numbers.push_back(accountRows->Value("Value").ToString());
    }
    RecordsetPtr accounts = EmptyList({"Value", "Title"});
    if (numbers.empty()) {
        return accounts;
    }
    const std::shared_ptr<CoreSetupService>& service = TheSession().setupService;
    if (!service) {
        throw ComError(ErrorNumber::ObjectRequired, "rptTransDetailOptions",
                       "The setup service is not initialised.");
    }
    const RecordsetPtr titles = service->GLAccounts(glPrefix);
    for (const std::string& number : numbers) {
        titles->SetFilter("Value = " + SqlQuoted(number));
        accounts->AppendRow({Variant(number), titles->EOF()
                                                  ? Variant("Unknown account")
                                                  : Variant(titles->Value("Title").ToString())});
    }
    accounts->FinishLoading();
    return accounts;
}

bool TransDetailOptionsWindow(const CriteriaWindow&, BuilderValues& values) {
    RecordsetPtr residents = GetResidentsAndApplicants(values.propertyId);
    RecordsetPtr chargeTypes = GetChargeTypes(values.propertyId);
    RecordsetPtr units = Units();
    if (!residents) {
        residents = EmptyList({"Name", "Resident", "Status"});
    }
    if (!chargeTypes) {
        chargeTypes = EmptyList({"Charge_Type", "Charge_Description"});
    }
    units = units ? Filtered(*units, "Property = " + SqlQuoted(values.propertyId))
                  : EmptyList({"Unit", "SortOrder"});
    units->SetSort("SortOrder");

    RecordsetPtr accounts = EmptyList({"Value", "Title"});
    RecordsetPtr batches = EmptyList({"Value"});
    RecordsetPtr runs = EmptyList({"Value"});
    if (const RecordsetPtr parameterRows = ParameterRows(values.propertyId)) {
        accounts = AccountsWithTitles(*parameterRows, TheSession().settings.glPrefix);
        batches = Filtered(*parameterRows, "Type = 'Batch'");
        runs = Filtered(*parameterRows, "Type = 'Run'");
    }

    frmDetailTrasactionOptions window;
    std::string accountMethod, startDate, endDate, residentStatus, residentList, accountList,
        chargeTypeList, batchList, runList;
    int16_t dateType = 0;
    int32_t unitStart = 0;
    int32_t unitEnd = 0;
    window.FormShow(accountMethod, dateType, startDate, endDate, unitStart, unitEnd, residentStatus,
                    residentList, accountList, chargeTypeList, batchList, runList, *residents,
                    *chargeTypes, *units, *accounts, *batches, *runs);
    if (!window.Result()) {
        return false;
    }
    values.answers["AcctgMethod"] = Variant(accountMethod);
    values.answers["DateType"] = Variant::Integer(dateType);
    values.answers["StartDt"] = Variant(startDate);
    values.answers["EndDt"] = Variant(endDate);
    values.answers["UnitStart"] = Variant(unitStart);
    values.answers["UnitEnd"] = Variant(unitEnd);
    values.answers["UnitStatus"] = Variant(residentStatus);
    values.answers["Residents"] = Variant(residentList);
    values.answers["Accounts"] = Variant(accountList);
    values.answers["ChargeTypes"] = Variant(chargeTypeList);
    values.answers["Batches"] = Variant(batchList);
    values.answers["Runs"] = Variant(runList);
    return true;
}

}  // namespace hlreports
