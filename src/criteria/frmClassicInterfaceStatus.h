// frmClassicInterfaceStatus: the options of the classic interface status report ("Classic
// Interface Status Report Options"). FormShow lists the residents and applicants, shows the
// dialog modally and returns whether the user confirmed; the answers come back through its
// arguments.
//
// Options (OptReport(0..4), 0 selected on opening): 0 all applicants and residents, 1 not yet
// sent, 2 sent without a response, 3 applicants without a unit, 4 one applicant or resident,
// chosen in cboResidents (enabled only for option 4). The chosen option is 0 until an option is
// clicked.
//
// Preview and Print check first: option 4 without a resident listed in cboResidents shows "A
// resident must be selected when choosing this option." and keeps the dialog open. Passing the
// check, Print sets the request's destination to the printer (1) and Preview to 2; for option 4
// the lease and revision come from the chosen row (Lease, Revision_Num), otherwise they stay ""
// and 0.
//
// Cancel, and closing the window, end the dialog unconfirmed and leave 20545 pending (source
// "frmClassicInterfaceStatus"), the same cancel signal as the criteria dialog's, so the request
// ends as the user's cancel rather than as an error without a description.
//
// Each handler traps its errors and shows them in the common error box with the source
// "frmClassicInterfaceStatus." + the handler's name; the handler then ends.
#pragma once

#include <cstdint>
#include <string>

#include "recordset/Recordset.h"
#include "ui/Form.h"

namespace hlreports {

class frmClassicInterfaceStatus : public Form {
  public:
    frmClassicInterfaceStatus();

    bool FormShow(Recordset& rstResidents, int16_t& intOption, std::string& strLease,
                  int16_t& intRevision);

  private:
    void Design();
    void OptReportClick(int index);
    void Finish(bool toPrinter);
    void CancelDialog();
    bool Validate();

    int16_t option_ = 0;
    std::string lease_;
    int16_t revision_ = 0;
    bool confirmed_ = false;
};

}  // namespace hlreports
