// Names of report DSNs: "HLReportDSN" and six upper-case hex digits of a random GUID.
//
// Six digits give 16.7 million names, so two sessions of one user practically never meet; the
// setup library refuses to add a name that already exists rather than overwrite it.
#pragma once

#include <string>
#include <string_view>

namespace hlreports {

// The name from a GUID's text (32 upper-case hex digits, no separators): the first digit is
// dropped and the next six are used. Text of 7 characters or fewer gives "".
std::string DsnNameFromGuidText(std::string_view guidText);

// A name from a new random GUID (libuuid, from the kernel's random source).
std::string NewDsnName();

}  // namespace hlreports
