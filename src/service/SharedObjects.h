// Access to the process-wide shared objects of the Session with a clear error when one is
// missing (a call outside a Reports object's life).
#pragma once

namespace hlreports {

class clsRecordset;

// The shared clsRecordset; raises 91 "Object variable or With block variable not set" when no
// Reports object has created it.
clsRecordset& SharedRecordset();

}  // namespace hlreports
