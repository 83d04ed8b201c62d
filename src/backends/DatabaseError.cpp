// See DatabaseError.h.
#include "backends/DatabaseError.h"

#include "runtime/ComError.h"

namespace hlreports {

void RaiseDatabaseError(std::string description) {
    throw ComError(ErrorNumber::DatabaseError, std::string(DatabaseErrorSource),
                   std::move(description));
}

}  // namespace hlreports
