// The test program's ODBC sandbox: "Larchfield Data" registered with the setup library built
// here (HL_ODBC_SETUP_LIBRARY), set up by a global environment before any test's first ODBC call.
#pragma once

#include "datasources/OdbcSandbox.h"

namespace hlreports::test {

const OdbcSandbox& Sandbox();

}  // namespace hlreports::test
