// Text across the ODBC boundary: the component speaks UTF-8, the wide ODBC calls UTF-16. The
// wide calls are used throughout so that no driver manager or driver guesses a character set
// from the process locale. Result text is the exception where the driver proves it hands narrow
// text over in UTF-8: converting to UTF-16 costs some drivers more than the fetch itself.
#pragma once

#include <sql.h>

#include <string>
#include <string_view>

namespace hlreports {

class OdbcHandle;

using OdbcWideText = std::basic_string<SQLWCHAR>;

// Malformed input raises a ComError naming the problem (never the text: it may be a password).
OdbcWideText ToOdbcWide(std::string_view utf8);
std::string FromOdbcWide(const SQLWCHAR* text, std::size_t units);
inline std::string FromOdbcWide(const OdbcWideText& text) {
    return FromOdbcWide(text.data(), text.size());
}

// Whether the driver of a live `connection` hands narrow text (SQL_C_CHAR) over in UTF-8: it
// reads a literal 'é' back that way. Any failure of the probe counts as no.
bool ProbeCharsAreUtf8(const OdbcHandle& connection);

}  // namespace hlreports
