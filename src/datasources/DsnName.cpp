// Makes DSN names from random GUIDs; see DsnName.h.
#include "datasources/DsnName.h"

#include <uuid/uuid.h>

namespace hlreports {

namespace {

// The classic GUID text: each of the 16 bytes, in the order they are printed, as two digits.
// libuuid keeps the bytes in printed order, so no field needs swapping.
std::string GuidText(const uuid_t guid) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(2 * sizeof(uuid_t));
    for (std::size_t i = 0; i < sizeof(uuid_t); ++i) {
        text.push_back(digits[guid[i] >> 4]);
        text.push_back(digits[guid[i] & 0x0F]);
    }
    return text;
}

}  // namespace

std::string DsnNameFromGuidText(std::string_view guidText) {
    if (guidText.size() <= 7) {
        return "";
    }
    return "HLReportDSN" + std::string(guidText.substr(1, 6));
}

std::string NewDsnName() {
    uuid_t guid;
    uuid_generate_random(guid);
    return DsnNameFromGuidText(GuidText(guid));
}

}  // namespace hlreports
