#include "service/SharedObjects.h"

#include "data/clsRecordset.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"

namespace hlreports {

clsRecordset& SharedRecordset() {
    const auto& shared = TheSession().sharedRecordset;
    if (!shared) {
        throw ComError(ErrorNumber::ObjectRequired, "HLReports",
                       "Object variable or With block variable not set (no shared database "
                       "connection object)");
    }
    return *shared;
}

}  // namespace hlreports
