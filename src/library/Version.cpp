// The version compiled into libhlreports (HL_VERSION comes from the build's project version).
#include "hlreports/Version.h"

namespace hlreports {

std::string_view ComponentVersion() {
    return HL_VERSION;
}

}  // namespace hlreports
