// The one way a backend raises an error: ComError(DatabaseError) whose description is the
// database's own message. clsRecordset re-raises it with its own number and source, keeping the
// description, so the source here is seen only by code that talks to a backend directly.
#pragma once

#include <string>
#include <string_view>

namespace hlreports {

inline constexpr std::string_view DatabaseErrorSource = "HLReports.Database";

[[noreturn]] void RaiseDatabaseError(std::string description);

}  // namespace hlreports
