// frmClassicInterfaceStatus: design, handlers and FormShow; the contract is in the header.
#include "criteria/frmClassicInterfaceStatus.h"

#include <exception>

#include "criteria/RecordsetList.h"
#include "runtime/ComError.h"
#include "runtime/Err.h"
#include "runtime/Session.h"
#include "service/SetupHelpers.h"
#include "ui/Ui.h"

namespace hlreports {
namespace {

constexpr const char* FormName = "frmClassicInterfaceStatus";
constexpr int SpecifyResident = 4;

const char* const kOptionCaptions[] = {"All Applicants/Residents",
                                       "Applicants/Residents not yet sent to Classic",
                                       "Applicants/Residents with no response from Classic",
                                       "Applicants with No Unit", "Specify Applicant/Resident"};

// Runs a handler as a trapped procedure: its error goes to the common error box under the
// handler's name, and the handler ends there.
template <typename Body>
void Trapped(const char* procedure, Body body) {
    try {
        body();
    } catch (const ComError& error) {
        ShowErrorBox(error.Description(), std::string(FormName) + "." + procedure, "",
                     error.Number());
    } catch (const std::exception& error) {
        ShowErrorBox(error.what(), std::string(FormName) + "." + procedure, "",
                     ErrorNumber::DatabaseError);
    }
}

}  // namespace

frmClassicInterfaceStatus::frmClassicInterfaceStatus()
    : Form(FormName, "Classic Interface Status Report Options") {
    Design();
    for (int index = 0; index < 5; ++index) {
        Get("OptReport", index).handlers.click = [this, index] { OptReportClick(index); };
    }
    Control& residents = Get("cboResidents");
    residents.handlers.change = [&residents] {
        Trapped("cboResidents_Change", [&residents] { residents.SetDroppedDown(true); });
    };
    Get("cmdPreview").handlers.click = [this] {
        Trapped("cmdPreview_Click", [this] { Finish(false); });
    };
    Get("cmdPrint").handlers.click = [this] {
        Trapped("cmdPrint_Click", [this] { Finish(true); });
    };
    Get("cmdCancel").handlers.click = [this] {
        Trapped("cmdCancel_Click", [this] { CancelDialog(); });
    };
    handlers.queryUnload = [this](bool& cancel) {
        cancel = true;
        CancelDialog();
    };
}

void frmClassicInterfaceStatus::Design() {
    Move(0, 0, 6435, 4095);
    Add(ControlKind::Frame, "fraReportOptions")
        .SetCaption("Select An Option")
        .Move(240, 120, 5955, 2535);
    for (int index = 0; index < 5; ++index) {
        Add(ControlKind::OptionButton, "OptReport", index)
            .SetContainer(Get("fraReportOptions"))
            .Move(240, 300 + 420 * index, 5535, 315)
            .SetCaption(kOptionCaptions[index]);
    }
    Add(ControlKind::GridCombo, "cboResidents").Move(720, 2760, 5475, 315).SetEnabled(false);
    Add(ControlKind::CommandButton, "cmdPreview")
        .SetCaption("P&review")
        .Move(2100, 3360, 1215, 435);
    Add(ControlKind::CommandButton, "cmdPrint").SetCaption("&Print").Move(3540, 3360, 1215, 435);
    Add(ControlKind::CommandButton, "cmdCancel").SetCaption("&Cancel").Move(4980, 3360, 1215, 435);
    Get("cmdCancel").SetCausesValidation(false);
    // Selected without a click: the chosen option stays 0 until the user clicks one.
    Get("OptReport", 0).SetValue(true);
}

bool frmClassicInterfaceStatus::FormShow(Recordset& rstResidents, int16_t& intOption,
                                         std::string& strLease, int16_t& intRevision) {
    Trapped("FormShow", [&] {
        FillList(Get("cboResidents"), rstResidents,
                 {{"Name", "Name", 3600},
                  {"Unit", "Unit", 1200},
                  {"Lease", "Lease", 0, false},
                  {"Revision_Num", "Revision", 0, false}});
        TheUi().SetMousePointer(vbDefault);
        ShowModal();
    });
    intOption = option_;
    strLease = lease_;
    intRevision = revision_;
    TheUi().SetMousePointer(vbHourglass);
    return confirmed_;
}

void frmClassicInterfaceStatus::OptReportClick(int index) {
    option_ = static_cast<int16_t>(index);
    Get("cboResidents").SetEnabled(index == SpecifyResident);
}

bool frmClassicInterfaceStatus::Validate() {
    bool passed = false;
    Trapped("Validate", [&] {
        lease_.clear();
        revision_ = 0;
        if (option_ != SpecifyResident) {
            passed = true;
            return;
        }
        // A name typed but found in no row is no resident: there would be no lease to send.
        const Control& residents = Get("cboResidents");
        if (residents.Value().ToString().empty() || residents.SelectedRow() < 0) {
            TheUi().MsgBox("A resident must be selected when choosing this option.",
                           vbOKOnly | vbExclamation, "Hearthline");
            return;
        }
        const GridData& rows = residents.List();
        const int row = residents.SelectedRow();
        lease_ = rows.Cell(row, *rows.ColumnIndex("Lease"));
        revision_ = Variant(rows.Cell(row, *rows.ColumnIndex("Revision_Num"))).ToInteger();
        passed = true;
    });
    return passed;
}

void frmClassicInterfaceStatus::Finish(bool toPrinter) {
    if (!Validate()) {
        return;
    }
    TheSession().settings.destination = toPrinter ? irToPrinter : DestinationPreviewFromStatusForm;
    confirmed_ = true;
    Unload();
}

void frmClassicInterfaceStatus::CancelDialog() {
    confirmed_ = false;
    Err().SetPending(ErrorNumber::UserCancelled, FormName, "");
    Unload();
}

}  // namespace hlreports
