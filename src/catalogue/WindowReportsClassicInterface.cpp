// The classic interface status report's window: the property's residents and applicants in
// frmClassicInterfaceStatus. The dialog's Cancel leaves 20545 pending itself.
#include "catalogue/OwnWindowReports.h"
#include "catalogue/WindowReports.h"
#include "criteria/frmClassicInterfaceStatus.h"

namespace hlreports {

bool ClassicInterfaceStatusWindow(const CriteriaWindow&, BuilderValues& values) {
    RecordsetPtr residents = GetResidentsAndApplicants(values.propertyId);
    if (!residents) {
        residents = EmptyList({"Name", "Unit", "Lease", "Revision_Num"});
    }
    frmClassicInterfaceStatus dialog;
    int16_t option = 0;
    std::string lease;
    int16_t revision = 0;
    if (!dialog.FormShow(*residents, option, lease, revision)) {
        return false;
    }
    values.answers["Option"] = Variant::Integer(option);
    values.answers["Lease"] = Variant(lease);
    values.answers["Revision"] = Variant::Integer(revision);
    return true;
}

}  // namespace hlreports
