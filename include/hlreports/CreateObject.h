// CreateObject: the class registry through which a host or a language binding creates the
// component's public classes by programmatic name ("HLReports.Reports", "HLReports.ReportDSNs",
// "HLReports.clsCustomRptParams"). Names compare ignoring case, as the classic registry's do.
// A name the registry does not hold raises 429 "ActiveX component can't create object: <name>".
#pragma once

#include <memory>
#include <string_view>

#include "runtime/Variant.h"

namespace hlreports {

std::shared_ptr<ComObject> CreateObject(std::string_view programmaticName);

}  // namespace hlreports
