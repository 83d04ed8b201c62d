// The ODBC installer's own error records, as one line of text for an error description.
//
// The installer keeps up to 8 records of the last call; each later installer call clears them, so
// read them straight after the call that failed.
#pragma once

#include <string>

namespace hlreports {

// The messages of the pending installer records, oldest first, joined by "; ". "" when none.
std::string InstallerErrorText();

}  // namespace hlreports
