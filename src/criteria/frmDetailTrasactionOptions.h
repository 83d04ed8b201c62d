// frmDetailTrasactionOptions: the criteria window of the accounting transaction report
// ("Accounting Transaction Report Criteria"). FormShow binds the six pick lists, shows the
// window modally and, when the user confirmed, fills its twelve answers.
//
// Opening state: accounting method "1" (the combo shows and sends the value column: "1"
// Accrual, "2" Cash), date field "<All>" (0), both pickers on today, every "All" box checked so
// that Preview at once reports everything, resident status "All".
//
// Handlers: an "All" box disables its grid (residents: also the status frame; dates and units:
// their frame) while checked. "All Dates:" checked sets the date field back to "<All>"; picking
// "<All>" in the date field checks it, any other row clears it. The resident status filters the
// residents grid (Current: Status = 'Current', status text "Active"; Former: 'Terminated',
// "Closed"; All: no filter, ""); residents still listed stay selected.
//
// Preview sets Result and, for each list whose "All" box is clear, its selection text from the
// grid's selected rows through GridToList: residents (column Resident), charge types
// (Charge_Type), accounts and batches (Value) quoted, runs (Value) not quoted. Print does the
// same and sends the request to the printer. Cancel, and closing the window, hide it with Result
// False and leave 20545 pending (source "frmDetailTrasactionOptions"), the criteria dialogs'
// cancel signal; FormShow then leaves its arguments as they were.
//
// Answers: the dates are the pickers' short dates ("12/6/2026"), empty while "All Dates:" is
// checked; the units are the chosen rows' sort orders, -1 for a combo without a listed unit or
// while "All Units:" is checked.
#pragma once

#include <cstdint>
#include <string>

#include "recordset/Recordset.h"
#include "ui/Form.h"

namespace hlreports {

class frmDetailTrasactionOptions : public Form {
  public:
    frmDetailTrasactionOptions();

    void FormShow(std::string& strAccountMethod, int16_t& intDateType, std::string& strStartDate,
                  std::string& strEndDate, int32_t& lngUnitStartSortOrder,
                  int32_t& lngUnitEndSortOrder, std::string& strResidentStatus,
                  std::string& strResidents, std::string& strAccounts, std::string& strChargeTypes,
                  std::string& strBatches, std::string& strRuns,
                  Recordset& rstResidentsAndApplicants, Recordset& rstChargeTypes,
                  Recordset& rstUnits, Recordset& rstAccounts, Recordset& rstBatches,
                  Recordset& rstRuns);

    bool Result() const { return result_; }

  private:
    void Design();
    void BindLists(Recordset& residents, Recordset& chargeTypes, Recordset& units,
                   Recordset& accounts, Recordset& batches, Recordset& runs);
    void EnableWithContents(const char* name, bool enabled);
    void AllBoxClicked(const char* box, const char* target);
    void DatesClicked();
    void DateUsedPicked();
    void ResidentStatusClicked(int index);
    void ShowResidents();
    void Finish(bool toPrinter);
    void CancelWindow();
    int32_t UnitSortOrder(const char* combo) const;

    bool result_ = false;
    std::string residentStatus_;
    std::string residents_;
    std::string accounts_;
    std::string chargeTypes_;
    std::string batches_;
    std::string runs_;
    Recordset* residentRows_ = nullptr;  // the bound list, refiltered by the status options
};

}  // namespace hlreports
