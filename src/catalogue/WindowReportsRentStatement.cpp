// The rent statement's window and lookups: the current active residents of the property, its
// last statement date, and, after a successful run, the statement date written back as the new
// last statement date. Each lookup raises its own number with the source
// "basRptRSVarrik.<procedure>"; the builder then raises 2919 "rptRentStatement" with that text.
#include "catalogue/WindowReports.h"

#include "criteria/frmRepCriteria.h"
#include "data/SPParams.h"
#include "data/clsRecordset.h"
#include "runtime/Err.h"
#include "runtime/Text.h"
#include "service/SetupHelpers.h"
#include "service/SharedObjects.h"

namespace hlreports {
namespace {

constexpr const char* LookupUnit = "basRptRSVarrik.";

std::string PropertyFilter(const std::string& property) {
    return "Property = " + SqlQuoted(property);
}

}  // namespace

namespace {

// One lookup procedure of the property (or of every property when property is absent); a failure
// raises number with source "basRptRSVarrik.<name>".
RecordsetPtr RunLookup(const char* procedure, const std::string* property, int32_t number,
                       const char* name) {
    try {
        SPParams params;
        if (property) {
            params.Add("@Property", adVarChar, 10, adParamInput, Variant(*property));
        }
        RecordsetPtr rows;
        SharedRecordset().RunSpRetRS(procedure, rows, property ? &params : nullptr, false);
        return rows;
    } catch (...) {
        Reraise(number, std::string(LookupUnit) + name);
    }
}

}  // namespace

RecordsetPtr GetResidentsAndUnits(const std::string& property) {
    return RunLookup("sp_ResidentsAndUnits", &property, 3034, "GetResidentsAndUnits");
}

RecordsetPtr GetResidentsAndApplicants(const std::string& property) {
    return RunLookup("sp_ResidentsAndApplicants", &property, 3099, "GetResidentsAndApplicants");
}

RecordsetPtr GetChargeTypes(const std::string& property) {
    return RunLookup("sp_ChargeTypes", &property, 3024, "GetChargeTypes");
}

RecordsetPtr Units() {
    return RunLookup("sp_stp_Units", nullptr, 3017, "Units");
}

Date GetLastStatementDate(const std::string& property) {
    try {
        RecordsetPtr properties;
        SharedRecordset().RunSpRetRS("sp_stp_Properties", properties, nullptr, false);
        if (!properties || !properties->IsOpen()) {
            return Date();
        }
        properties->SetFilter(PropertyFilter(property));
        Date last;
        if (properties->RecordCount() > 0) {
            const Variant value = properties->Value("LastStatementDate");
            last = value.IsNull() ? Date::Today() : value.ToDate();
        }
        properties->Close();
        return last;
    } catch (...) {
        Reraise(3024, std::string(LookupUnit) + "GetLastStatementDate");
    }
}

void SetLastStatementDate(const std::string& property, Date date) {
    try {
        RecordsetPtr properties;
        SharedRecordset().RunSpRetRS("sp_stp_Properties", properties, nullptr, true);
        if (!properties || !properties->IsOpen()) {
            return;
        }
        properties->SetFilter(PropertyFilter(property));
        if (properties->RecordCount() != 1) {
            return;
        }
        properties->SetValue("LastStatementDate", Variant(date));
        properties->Update();
        SharedRecordset().RSUpdateBatch(properties, false);
    } catch (...) {
        Reraise(3024, std::string(LookupUnit) + "SetLastStatementDate");
    }
}

void SetResidentFilter(int16_t option, Recordset& residents) {
    if (option == 0) {
        residents.SetFilter(std::string("Account_Status") + " = 'Active' And " + "Status" +
                            " = 'Current'");
    } else if (option == 1) {
        residents.SetFilter("Status = 'Terminated'");
    } else if (option == 2) {
        residents.SetFilter("");
    }
}

bool RentStatementWindow(const CriteriaWindow& window, BuilderValues& values) {
    const auto& c = window.captions;
    Date statementDate = values.today;
    Date asOf = FirstOfNextMonth(values.today);
    RecordsetPtr residents = GetResidentsAndUnits(values.propertyId);
    if (!residents || !residents->IsOpen()) {
        residents = std::make_shared<Recordset>();
        residents->Open();
        residents->FinishLoading();
    } else {
        SetResidentFilter(0, *residents);
    }
    Date lastStatement = GetLastStatementDate(values.propertyId);

    frmRepCriteria form;
    form.DateCboResidents(c.at(0), c.at(1), statementDate, c.at(4), *residents, c.at(2), asOf,
                          c.at(3), lastStatement);
    if (!form.Result()) {
        return false;
    }
    const bool allResidents = form.Get("chk2").IsChecked();
    values.answers["StatementDate"] = Variant(statementDate);
    values.answers["AsOf"] = Variant(asOf);
    values.answers["LastStatementDate"] = Variant(lastStatement);
    values.answers["Resident"] = Variant(allResidents ? std::string() : form.Combo2());
    return true;
}

}  // namespace hlreports
