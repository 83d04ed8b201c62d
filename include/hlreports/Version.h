// The version of the component a host runs with. The CMake package and the pkg-config file give
// the version a host builds against; a host that must be sure the two agree compares them.
#pragma once

#include <string_view>

namespace hlreports {

// "MAJOR.MINOR.PATCH" of the loaded libhlreports.
std::string_view ComponentVersion();

}  // namespace hlreports
