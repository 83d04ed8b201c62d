// The namespace URIs of rowset XML. The reader resolves prefixes to these URIs (any prefix may be
// used); the writer always declares them as s, dt, rs and z, as stored files have them.
#pragma once

#include <string_view>

namespace hlreports::rowset_xml {

inline constexpr std::string_view SchemaUri = "uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882";
inline constexpr std::string_view DataTypeUri = "uuid:C2F41010-65B3-11d1-A29F-00AA00C14882";
inline constexpr std::string_view RowsetUri = "urn:schemas-microsoft-com:rowset";
inline constexpr std::string_view RowUri = "#RowsetSchema";

}  // namespace hlreports::rowset_xml
